#include "change_histogram.h"

#include <QPainter>

#include "histogram_painting.h"

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
    report::paint_change_histogram(painter, rect(), histogram_, low_, high_, separator_,
                                   palette().color(QPalette::Highlight),
                                   palette().color(QPalette::WindowText));
}

}  // namespace humo::app
