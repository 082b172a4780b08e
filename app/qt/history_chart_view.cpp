#include "history_chart_view.h"

#include <QPainter>

#include "history_chart_painting.h"

namespace humo::app {

HistoryChartView::HistoryChartView(QWidget* parent) : QWidget(parent) {
    setObjectName("historyChart");
    setMinimumSize(360, 240);
    setAccessibleName("Chart of the carbon stock over the years");
}

void HistoryChartView::show_chart(report::HistoryChart chart) {
    chart_ = std::move(chart);
    update();
}

void HistoryChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    report::paint_history_chart(
        painter, rect(), chart_,
        {colours.color(QPalette::Highlight), QColor(200, 90, 0), colours.color(QPalette::Midlight),
         colours.color(QPalette::WindowText)});
}

}  // namespace humo::app
