#include "pdf_report.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <stdexcept>

#include "file_in_place.h"
#include "histogram_painting.h"

namespace humo::report {
namespace {

constexpr int kResolution = 600;
constexpr double kMarginMm = 20;
// The chart needs at least this much of a page.
constexpr double kChartMinMm = 85;

QString q(const std::string& text) { return QString::fromStdString(text); }

// Lays the document out down an A4 page, in millimetres.
class Page {
public:
    explicit Page(QPdfWriter& writer) : writer_(writer), painter_(&writer) {
        width_ = mm_of(writer.width()) - 2 * kMarginMm;
        height_ = mm_of(writer.height()) - 2 * kMarginMm;
    }
    bool active() const { return painter_.isActive(); }
    QPainter& painter() { return painter_; }

    static double device(double mm) { return mm * kResolution / 25.4; }
    static double mm_of(double device) { return device * 25.4 / kResolution; }

    void font(double points, bool bold = false) {
        QFont font("Liberation Sans");
        font.setStyleHint(QFont::SansSerif);
        font.setPointSizeF(points);
        font.setBold(bold);
        painter_.setFont(font);
    }

    // Writes text from `indent` on, wrapped within `width` (the rest of the line by default),
    // at the current line; returns the height it took.
    double text(const std::string& text, double indent = 0, double width = 0, bool advance = true) {
        const double available = width > 0 ? width : width_ - indent;
        const QRectF box(device(kMarginMm + indent), device(kMarginMm + y_), device(available),
                         device(height_));
        QRectF used;
        painter_.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, q(text), &used);
        const double height = mm_of(used.height());
        if (advance)
            y_ += height;
        return height;
    }
    void space(double mm) { y_ += mm; }
    double remaining() const { return height_ - y_; }
    void new_page() {
        writer_.newPage();
        y_ = 0;
    }
    // The rest of the page as a rectangle in device units.
    QRectF rest() const {
        return {device(kMarginMm), device(kMarginMm + y_), device(width_), device(height_ - y_)};
    }

private:
    QPdfWriter& writer_;
    QPainter painter_;
    double width_ = 0;
    double height_ = 0;
    double y_ = 0;
};

void draw_chart(Page& page, const StockChart& chart) {
    QPainter& p = page.painter();
    const QRectF area = page.rest();
    const double mm = Page::device(1);
    page.font(11, true);
    page.text(chart.title);
    page.font(8);
    const QFontMetricsF metrics(p.font(), p.device());
    const QRectF plot(area.left() + 18 * mm, area.top() + 10 * mm, area.width() - 24 * mm,
                      std::min(area.height() - 24 * mm, 100 * mm));

    auto x_of = [&](double year) {
        return plot.left() +
               (year - chart.years.low) / (chart.years.high - chart.years.low) * plot.width();
    };
    auto y_of = [&](double stock) {
        return plot.bottom() -
               (stock - chart.stock.low) / (chart.stock.high - chart.stock.low) * plot.height();
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
void lay_out_ranges(Page& page, const ReportDocument& d) {
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
    const QRectF area(rest.left(), rest.top(), Page::device(170), Page::device(80));
    paint_change_histogram(page.painter(), area, d.histogram, d.change_low, d.change_high,
                           d.separator, QColor(80, 120, 170), Qt::black);
}

void lay_out(Page& page, const ReportDocument& d) {
    page.font(16, true);
    page.text(d.title);
    page.space(3);
    page.font(9);
    for (const std::string& line : d.origin)
        page.text(line);
    page.font(8);
    for (const std::string& row : d.edited_rows)
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
    // Drawn in memory first, then written as every file of the program is: whole or not at all.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(kResolution);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(q(document.title));
        writer.setCreator("humo_tool");
        Page page(writer);
        if (!page.active())
            throw std::runtime_error("cannot write " + path + ": the page cannot be drawn");
        lay_out(page, document);
    }
    files::write_whole(
        path, std::string_view(pdf.data().constData(), static_cast<size_t>(pdf.data().size())));
}

}  // namespace humo::report
