#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

#include "calculation_ranges.h"

namespace humo::report {

// The iterations' annual changes as bars in `area`, with the 95% range from `low` to `high`
// dashed and the axes labelled, in the painter's font; the window and the PDF draw it alike.
// A histogram without spread says so; an empty one draws the axes alone.
void paint_change_histogram(QPainter& painter, const QRectF& area, const Histogram& histogram,
                            double low, double high, numbers::DecimalSeparator separator,
                            const QColor& bars, const QColor& text);

}  // namespace humo::report
