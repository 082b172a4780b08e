#pragma once

#include <QWidget>

#include "history_chart.h"

namespace humo::app {

// The stock over a history's years with the equilibria as steps, drawn as the report draws it.
class HistoryChartView : public QWidget {
public:
    explicit HistoryChartView(QWidget* parent = nullptr);

    void show_chart(report::HistoryChart chart);
    const report::HistoryChart& chart() const { return chart_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    report::HistoryChart chart_;
};

}  // namespace humo::app
