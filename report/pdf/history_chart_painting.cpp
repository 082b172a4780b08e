#include "history_chart_painting.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>

namespace humo::report {
namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

double widest(const QFontMetricsF& metrics, const std::vector<std::string>& labels) {
    double width = 0;
    for (const std::string& label : labels)
        width = std::max(width, metrics.horizontalAdvance(q(label)));
    return width;
}

}  // namespace

void paint_history_chart(QPainter& painter, const QRectF& area, const HistoryChart& chart,
                         const HistoryChartColours& colours) {
    painter.save();
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double line = metrics.height();
    const double pen = std::max(1.0, line / 8);
    // The plot, with room for the legend above it and the axes' numbers and titles.
    const double left = line * 1.6 + widest(metrics, chart.stock.labels);
    const QString legends[] = {q(chart.stock_legend), q(chart.equilibrium_legend)};
    const double sample = line * 1.9;
    // Side by side when they fit, else one above the other.
    const bool stacked = left + 2 * sample + metrics.horizontalAdvance(legends[0]) + line * 1.5 +
                             metrics.horizontalAdvance(legends[1]) >
                         area.width();
    const double legend_height = line * (stacked ? 2.4 : 1.4);
    const QRectF plot(area.left() + left, area.top() + legend_height + line * 0.6,
                      area.width() - left - line, area.height() - legend_height - line * 3.6);
    painter.setPen(colours.text);
    painter.drawText(QRectF(plot.left(), area.bottom() - line * 1.2, plot.width(), line),
                     Qt::AlignCenter, q(chart.years_label));
    painter.save();
    painter.translate(area.left(), plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line), Qt::AlignCenter,
                     q(chart.stock_label));
    painter.restore();
    if (chart.empty() || plot.width() <= 0 || plot.height() <= 0) {
        painter.drawLine(plot.bottomLeft(), plot.bottomRight());
        painter.drawLine(plot.bottomLeft(), plot.topLeft());
        painter.restore();
        return;
    }

    auto x_of = [&](double year) { return chart.years.place(year, plot.left(), plot.width()); };
    auto y_of = [&](double stock) {
        return chart.stock.place(stock, plot.bottom(), -plot.height());
    };
    for (size_t i = 0; i < chart.stock.ticks.size(); ++i) {
        const double y = y_of(chart.stock.ticks[i]);
        painter.setPen(QPen(colours.grid, pen / 2));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(colours.text);
        painter.drawText(QRectF(area.left(), y - line / 2, left - line * 0.4, line),
                         Qt::AlignRight | Qt::AlignVCenter, q(chart.stock.labels[i]));
    }
    painter.setPen(QPen(colours.text, pen / 2));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    for (size_t i = 0; i < chart.years.ticks.size(); ++i) {
        const double x = x_of(chart.years.ticks[i]);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + line * 0.3));
        const QString label = q(chart.years.labels[i]);
        const double width = metrics.horizontalAdvance(label) + line;
        painter.drawText(QRectF(x - width / 2, plot.bottom() + line * 0.35, width, line),
                         Qt::AlignCenter, label);
    }

    QPainterPath steps;
    for (const HistoryChart::Step& step : chart.equilibria) {
        const QPointF start(x_of(step.from_year), y_of(step.equilibrium));
        if (steps.isEmpty())
            steps.moveTo(start);
        else
            steps.lineTo(start);
        steps.lineTo(QPointF(x_of(step.to_year), y_of(step.equilibrium)));
    }
    const QPen equilibrium_pen(colours.equilibrium, pen, Qt::DashLine);
    const QPen stock_pen(colours.stock, pen * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(stock_pen);
    if (chart.stocks.size() == 1) {
        painter.drawPoint(QPointF(x_of(chart.stocks[0].year), y_of(chart.stocks[0].stock)));
    } else {
        QPainterPath stocks(QPointF(x_of(chart.stocks[0].year), y_of(chart.stocks[0].stock)));
        for (const HistoryChart::Point& point : chart.stocks)
            stocks.lineTo(QPointF(x_of(point.year), y_of(point.stock)));
        painter.drawPath(stocks);
    }
    // Over the stock, which lies on it wherever the stock is at its equilibrium.
    painter.setPen(equilibrium_pen);
    painter.drawPath(steps);

    // The legend, above the plot: a sample of each line and what it shows.
    double x = plot.left();
    double y = area.top() + line * 0.6;
    const QPen* pens[] = {&stock_pen, &equilibrium_pen};
    for (int i = 0; i < 2; ++i) {
        painter.setPen(*pens[i]);
        painter.drawLine(QPointF(x, y), QPointF(x + line * 1.5, y));
        painter.setPen(colours.text);
        const double width = metrics.horizontalAdvance(legends[i]);
        painter.drawText(QRectF(x + sample, y - line / 2, width + line, line),
                         Qt::AlignLeft | Qt::AlignVCenter, legends[i]);
        if (stacked)
            y += line;
        else
            x += sample + width + line * 1.5;
    }
    painter.restore();
}

}  // namespace humo::report
