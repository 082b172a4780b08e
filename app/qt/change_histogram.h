#pragma once

#include <QWidget>

#include "calculation_ranges.h"

namespace humo::app {

// The iterations' annual changes as bars, with the 95% range marked and the axes labelled.
class ChangeHistogram : public QWidget {
public:
    explicit ChangeHistogram(QWidget* parent = nullptr);

    // Draws these; an empty histogram draws the axes alone.
    void show_ranges(const report::Histogram& histogram, double low, double high,
                     numbers::DecimalSeparator separator);
    const report::Histogram& histogram() const { return histogram_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    report::Histogram histogram_;
    double low_ = 0;
    double high_ = 0;
    numbers::DecimalSeparator separator_;
};

}  // namespace humo::app
