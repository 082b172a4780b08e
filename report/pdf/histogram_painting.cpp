#include "histogram_painting.h"

#include <QFontMetricsF>
#include <algorithm>
#include <vector>

#include "carbon_arithmetic.h"

namespace humo::report {

void paint_change_histogram(QPainter& painter, const QRectF& area, const Histogram& histogram,
                            double low, double high, numbers::DecimalSeparator separator,
                            const QColor& bars, const QColor& text) {
    painter.save();
    const QFontMetricsF metrics(painter.font());
    const double line = metrics.height();
    const std::vector<int>& counts = histogram.counts;
    const int tallest = counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
    const QString tallest_text = QString::number(tallest);
    // The plot, with room for the axes' numbers and titles.
    const double left = line * 1.5 + metrics.horizontalAdvance(tallest_text);
    const QRectF plot(area.left() + left, area.top() + line * 0.5, area.width() - left - line,
                      area.height() - line * 3.5);
    painter.setPen(text);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.drawText(QRectF(plot.left(), area.bottom() - line * 1.2, plot.width(), line),
                     Qt::AlignCenter, "Annual carbon stock change (MgC/ha/yr)");
    painter.save();
    painter.translate(area.left() + line * 0.2, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line), Qt::AlignCenter,
                     "Iterations");
    painter.restore();

    const double span = histogram.high - histogram.low;
    if (counts.empty() || span <= 0) {
        if (!counts.empty())
            painter.drawText(plot, Qt::AlignCenter | Qt::TextWordWrap,
                             "No spread: every value is used as exact.");
        painter.restore();
        return;
    }
    auto x_of = [&](double change) {
        return plot.left() + (change - histogram.low) / span * plot.width();
    };
    const double bar = plot.width() / static_cast<double>(counts.size());
    painter.setPen(Qt::NoPen);
    painter.setBrush(bars);
    for (size_t i = 0; i < counts.size(); ++i) {
        const double h = tallest > 0 ? plot.height() * counts[i] / tallest : 0;
        painter.drawRect(QRectF(plot.left() + bar * static_cast<double>(i) + bar * 0.05,
                                plot.bottom() - h, bar * 0.9, h));
    }
    painter.setPen(QPen(text, std::max(1.0, line / 12), Qt::DashLine));
    for (double bound : {low, high})
        painter.drawLine(QPointF(x_of(bound), plot.top()), QPointF(x_of(bound), plot.bottom()));
    painter.setPen(text);
    // Each number where its value lies, unless it would overlap one already written.
    std::vector<QRectF> written;
    auto label = [&](double value) {
        const QString shown =
            QString::fromStdString(engine::change_text(engine::exact_decimal(value), separator));
        const double w = metrics.horizontalAdvance(shown) + line * 0.4;
        const double at = std::clamp(x_of(value) - w / 2, area.left(), area.right() - w);
        const QRectF box(at, plot.bottom() + line * 0.1, w, line);
        for (const QRectF& other : written) {
            if (other.intersects(box))
                return;
        }
        written.push_back(box);
        painter.drawText(box, Qt::AlignCenter, shown);
    };
    for (double value : {low, high, histogram.low, histogram.high})
        label(value);
    painter.drawText(QRectF(area.left(), plot.top() - line * 0.5, left - line * 0.3, line),
                     Qt::AlignRight | Qt::AlignVCenter, tallest_text);
    painter.restore();
}

}  // namespace humo::report
