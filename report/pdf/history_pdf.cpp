#include "history_pdf.h"

#include "history_chart_painting.h"
#include "pdf_page.h"

namespace humo::report {
namespace {

constexpr double kChartMm = 90;
constexpr double kRowMm = 4.6;

std::string chosen(const std::string& item) { return item.empty() ? "(none chosen)" : item; }

void heading(PdfPage& page, const std::string& text) {
    page.font(12, true);
    page.text(text);
    page.space(1);
    page.font(9);
}

// A row of cells across the page, each column `widths` wide, the first left-aligned and the
// others as `align` says.
void table_row(PdfPage& page, const std::vector<std::string>& cells,
               const std::vector<double>& widths, Qt::Alignment align) {
    double x = 0;
    double height = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
        height = std::max(
            height, page.text(cells[i], x, widths[i] - 2, false, i == 0 ? Qt::AlignLeft : align));
        x += widths[i];
    }
    page.space(std::max(height, kRowMm - 0.6) + 0.6);
}

void lay_out_site(PdfPage& page, const HistoryReport& r) {
    const HistoryEntries& e = r.entries;
    std::vector<std::pair<std::string, std::string>> site;
    if (!e.site_name.empty())
        site.emplace_back("Land unit", e.site_name);
    site.insert(site.end(), {{"Country", chosen(e.country)},
                             {"Climate region", chosen(e.climate_region)},
                             {"Native soil type", chosen(e.soil_type)}});
    if (!r.reference_stock.empty())
        site.emplace_back("Reference carbon stock", r.reference_stock);
    if (!e.area_ha.empty())
        site.emplace_back("Area", e.area_ha + " ha");
    heading(page, "Site");
    for (const auto& [label, value] : site) {
        page.text(label + ":", 0, 0, false);
        page.text(value, 50);
    }
    page.space(5);
}

void lay_out_regimes(PdfPage& page, const HistoryReport& r) {
    heading(page, "Regimes");
    const std::vector<double> widths = {20, 40, 40, 30, 40};
    page.font(9, true);
    table_row(
        page,
        {"First year", "Land use type", "Management system", "Input level", "Equilibrium (MgC/ha)"},
        widths, Qt::AlignLeft);
    page.font(9);
    for (size_t i = 0; i < r.entries.regimes.size(); ++i) {
        const RegimeEntry& regime = r.entries.regimes[i];
        table_row(page,
                  {std::to_string(regime.year), chosen(regime.land_use), chosen(regime.management),
                   chosen(regime.input), i < r.equilibria.size() ? r.equilibria[i] : ""},
                  widths, Qt::AlignLeft);
    }
    page.space(4);
}

void lay_out_notes(PdfPage& page, const HistoryReport& r) {
    page.font(9);
    auto paragraph = [&](const std::string& text, double after) {
        if (!text.empty())
            page.space(page.text(text, 0, 170, false) + after);
    };
    if (!r.usable())
        paragraph(sentence(history_error_text(r)), 1);
    paragraph(r.assumption, 1);
    if (!r.warning.empty())
        paragraph("Warning: " + r.warning, 1);
    paragraph(kHistoryMethod, 5);
}

void lay_out_chart(PdfPage& page, const HistoryReport& r) {
    if (page.remaining() < kChartMm + 10)
        page.new_page();
    heading(page, "Carbon stock over the years");
    page.font(8);
    const QRectF rest = page.rest();
    paint_history_chart(page.painter(),
                        QRectF(rest.left(), rest.top(), rest.width(), PdfPage::device(kChartMm)),
                        r.chart, {QColor(0, 0, 200), QColor(200, 90, 0), Qt::lightGray, Qt::black});
    page.space(kChartMm + 6);
}

// The table of years, its headings again at the top of each page.
void lay_out_years(PdfPage& page, const HistoryReport& r) {
    const std::vector<std::string> headings = shown_headings(r);
    const std::vector<double> widths(headings.size(), page.width() / headings.size());
    auto head = [&] {
        page.font(8, true);
        table_row(page, headings, widths, Qt::AlignRight);
        page.font(8);
    };
    if (page.remaining() < 40)
        page.new_page();
    heading(page, "Year by year");
    head();
    for (const HistoryRowText& row : r.rows) {
        if (page.remaining() < kRowMm) {
            page.new_page();
            head();
        }
        table_row(page, shown_cells(r, row), widths, Qt::AlignRight);
    }
}

}  // namespace

void write_history_pdf(const HistoryReport& report, const std::string& path) {
    const std::string title = "HUMO Soil Carbon Tool: land-use history";
    write_pdf(title, path, [&](PdfPage& page) {
        page.painter().setPen(Qt::black);
        page.font(16, true);
        page.text(title);
        page.space(3);
        page.font(9);
        for (const std::string& line : report.origin.lines)
            page.text(line);
        page.font(8);
        for (const std::string& row : report.origin.edited_rows)
            page.text(row, 5);
        page.space(5);
        lay_out_site(page, report);
        lay_out_regimes(page, report);
        lay_out_notes(page, report);
        if (report.usable()) {
            lay_out_chart(page, report);
            lay_out_years(page, report);
        }
    });
}

}  // namespace humo::report
