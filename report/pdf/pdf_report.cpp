#include "pdf_report.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include "histogram_painting.h"
#include "pdf_page.h"

namespace humo::report {
namespace {

// The chart needs at least this much of a page.
constexpr double kChartMinMm = 85;

QString q(const std::string& text) { return QString::fromStdString(text); }

void draw_chart(PdfPage& page, const StockChart& chart) {
    QPainter& p = page.painter();
    const QRectF area = page.rest();
    const double mm = PdfPage::device(1);
    page.font(11, true);
    page.text(chart.title);
    page.font(8);
    const QFontMetricsF metrics(p.font(), p.device());
    const QRectF plot(area.left() + 18 * mm, area.top() + 10 * mm, area.width() - 24 * mm,
                      std::min(area.height() - 24 * mm, 100 * mm));

    auto x_of = [&](double year) { return chart.years.place(year, plot.left(), plot.width()); };
    auto y_of = [&](double stock) {
        return chart.stock.place(stock, plot.bottom(), -plot.height());
    };

    p.setPen(QPen(Qt::lightGray, 0.2 * mm));
    for (double tick : chart.stock.ticks)
        p.drawLine(QPointF(plot.left(), y_of(tick)), QPointF(plot.right(), y_of(tick)));
    p.setPen(QPen(Qt::black, 0.3 * mm));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    for (size_t i = 0; i < chart.years.ticks.size(); ++i) {
        const double x = x_of(chart.years.ticks[i]);
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 1.5 * mm));
        const QString label = q(chart.years.labels[i]);
        p.drawText(QPointF(x - metrics.horizontalAdvance(label) / 2,
                           plot.bottom() + 2 * mm + metrics.ascent()),
                   label);
    }
    for (size_t i = 0; i < chart.stock.ticks.size(); ++i) {
        const double y = y_of(chart.stock.ticks[i]);
        p.drawLine(QPointF(plot.left() - 1.5 * mm, y), QPointF(plot.left(), y));
        const QString label = q(chart.stock.labels[i]);
        p.drawText(QPointF(plot.left() - 2.5 * mm - metrics.horizontalAdvance(label),
                           y + metrics.ascent() / 2 - metrics.descent() / 2),
                   label);
    }
    const QString years_label = q(chart.years_label);
    p.drawText(QPointF(plot.center().x() - metrics.horizontalAdvance(years_label) / 2,
                       plot.bottom() + 9 * mm),
               years_label);
    p.save();
    const QString stock_label = q(chart.stock_label);
    p.translate(plot.left() - 13 * mm,
                plot.center().y() + metrics.horizontalAdvance(stock_label) / 2);
    p.rotate(-90);
    p.drawText(QPointF(0, 0), stock_label);
    p.restore();

    QPainterPath line(QPointF(x_of(chart.years.low), y_of(chart.from_stock)));
    line.lineTo(QPointF(x_of(chart.years.high), y_of(chart.to_stock)));
    p.setPen(QPen(QColor(0, 0, 255), 0.6 * mm));
    p.drawPath(line);
    p.setBrush(QColor(0, 0, 255));
    const QPointF from = line.elementAt(0);
    const QPointF to = line.elementAt(1);
    for (QPointF end : {from, to})
        p.drawEllipse(end, 0.9 * mm, 0.9 * mm);
    const QString from_label = "FROM " + q(chart.from_text);
    const QString to_label = "TO " + q(chart.to_text);
    p.drawText(QPointF(from.x() + 2 * mm, from.y() - 2 * mm), from_label);
    p.drawText(QPointF(to.x() - 2 * mm - metrics.horizontalAdvance(to_label), to.y() - 2 * mm),
               to_label);
}

// The ranges on a page of their own, with the histogram of the change.
void lay_out_ranges(PdfPage& page, const ReportDocument& d) {
    page.new_page();
    page.painter().setPen(Qt::black);
    page.font(12, true);
    page.text(d.ranges_heading);
    page.space(1);
    page.font(9);
    for (const std::string& line : d.ranges)
        page.space(page.text(line, 0, 170, false) + 1);
    page.space(2);
    page.space(page.text(d.ranges_method, 0, 170, false) + 4);
    page.font(8);
    const QRectF rest = page.rest();
    const QRectF area(rest.left(), rest.top(), PdfPage::device(170), PdfPage::device(80));
    paint_change_histogram(page.painter(), area, d.histogram, d.change_low, d.change_high,
                           d.separator, QColor(80, 120, 170), Qt::black);
}

void lay_out(PdfPage& page, const ReportDocument& d) {
    page.font(16, true);
    page.text(d.title);
    page.space(3);
    page.font(9);
    for (const std::string& line : d.origin.lines)
        page.text(line);
    page.font(8);
    for (const std::string& row : d.origin.edited_rows)
        page.text(row, 5);
    page.space(5);

    page.font(12, true);
    page.text(d.site_heading);
    page.space(1);
    page.font(9);
    for (const auto& [label, value] : d.site) {
        page.text(label + ":", 0, 0, false);
        page.text(value, 50);
    }
    page.space(5);

    for (size_t i = 0; i < d.systems.size(); ++i) {
        page.font(i == 0 ? 10 : 9, i == 0);
        const SystemsRow& row = d.systems[i];
        page.text(row.label, 0, 48, false);
        page.text(row.from, 50, 58, false);
        page.space(page.text(row.to, 110, 60, false) + 1);
    }
    page.space(3);
    page.font(11, true);
    page.text(d.change);
    page.font(9);
    page.text(d.co2);
    page.space(3);
    page.font(9);
    page.text(d.method);
    page.space(6);

    if (page.remaining() < kChartMinMm)
        page.new_page();
    draw_chart(page, d.chart);
    if (!d.ranges.empty())
        lay_out_ranges(page, d);
}

}  // namespace

void write_pdf_report(const ReportDocument& document, const std::string& path) {
    write_pdf(document.title, path, [&](PdfPage& page) { lay_out(page, document); });
}

}  // namespace humo::report
