#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

#include "history_chart.h"

namespace humo::report {

// The colours a history's chart is drawn in.
struct HistoryChartColours {
    QColor stock;
    QColor equilibrium;
    QColor grid;
    QColor text;
};

// The stock over the years as a line and the equilibria as dashed steps in `area`, with a legend
// and the axes labelled, in the painter's font; the window and the PDF draw it alike. An empty
// chart draws the axes' titles alone.
void paint_history_chart(QPainter& painter, const QRectF& area, const HistoryChart& chart,
                         const HistoryChartColours& colours);

}  // namespace humo::report
