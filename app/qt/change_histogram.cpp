#include "change_histogram.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "carbon_arithmetic.h"

namespace humo::app {

ChangeHistogram::ChangeHistogram(QWidget* parent) : QWidget(parent) {
    setObjectName("changeHistogram");
    setMinimumSize(420, 220);
    setAccessibleName("Histogram of the annual carbon stock change");
}

void ChangeHistogram::show_ranges(const report::Histogram& histogram, double low, double high,
                                  numbers::DecimalSeparator separator) {
    histogram_ = histogram;
    low_ = low;
    high_ = high;
    separator_ = separator;
    update();
}

void ChangeHistogram::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height();
    const std::vector<int>& counts = histogram_.counts;
    const int tallest = counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
    const QString tallest_text = QString::number(tallest);
    // The plot, with room for the axes' numbers and titles.
    const double left = line * 1.5 + metrics.horizontalAdvance(tallest_text);
    const QRectF plot(left, line * 0.5, width() - left - line, height() - line * 3.5);
    const QPalette& colours = palette();
    painter.setPen(colours.color(QPalette::WindowText));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.drawText(QRectF(plot.left(), height() - line * 1.2, plot.width(), line),
                     Qt::AlignCenter, "Annual carbon stock change (MgC/ha/yr)");
    painter.save();
    painter.translate(line * 0.2, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line), Qt::AlignCenter,
                     "Iterations");
    painter.restore();

    const double span = histogram_.high - histogram_.low;
    if (counts.empty() || span <= 0) {
        if (!counts.empty())
            painter.drawText(plot, Qt::AlignCenter | Qt::TextWordWrap,
                             "No spread: every value is used as exact.");
        return;
    }
    auto x_of = [&](double change) {
        return plot.left() + (change - histogram_.low) / span * plot.width();
    };
    const double bar = plot.width() / static_cast<double>(counts.size());
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.color(QPalette::Highlight));
    for (size_t i = 0; i < counts.size(); ++i) {
        const double h = tallest > 0 ? plot.height() * counts[i] / tallest : 0;
        painter.drawRect(QRectF(plot.left() + bar * static_cast<double>(i) + 0.5, plot.bottom() - h,
                                std::max(bar - 1.0, 1.0), h));
    }
    // The 95% range, dashed, and the numbers under the axis at its ends and the extremes.
    painter.setPen(QPen(colours.color(QPalette::WindowText), 1.5, Qt::DashLine));
    for (double bound : {low_, high_})
        painter.drawLine(QPointF(x_of(bound), plot.top()), QPointF(x_of(bound), plot.bottom()));
    painter.setPen(colours.color(QPalette::WindowText));
    auto label = [&](double value, Qt::Alignment alignment) {
        const QString text =
            QString::fromStdString(engine::change_text(engine::exact_decimal(value), separator_));
        const double w = metrics.horizontalAdvance(text) + 4;
        double left = x_of(value) - w / 2;
        left = std::clamp(left, 0.0, width() - w);
        painter.drawText(QRectF(left, plot.bottom() + 2, w, line), alignment, text);
    };
    label(histogram_.low, Qt::AlignLeft);
    label(histogram_.high, Qt::AlignRight);
    label(low_, Qt::AlignCenter);
    label(high_, Qt::AlignCenter);
    painter.drawText(QRectF(0, plot.top() - line * 0.5, plot.left() - 4, line),
                     Qt::AlignRight | Qt::AlignVCenter, QString::number(tallest));
}

}  // namespace humo::app
