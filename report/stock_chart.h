#pragma once

#include <string>
#include <vector>

#include "decimal_separator.h"

namespace humo::report {

// One axis of the chart: its range and where its labelled ticks stand.
struct ChartAxis {
    double low = 0;
    double high = 1;
    std::vector<double> ticks;
    std::vector<std::string> labels;

    // Where `value` stands on a line of `length` drawn from `start` for the axis's range; a
    // negative length runs back, as a vertical axis drawn upwards on a page does.
    double place(double value, double start, double length) const {
        return start + (value - low) / (high - low) * length;
    }
};

// The carbon stock over the 20 years from the FROM to the TO stock, reached along a straight
// line as the method assumes.
struct StockChart {
    std::string title;
    std::string years_label;
    std::string stock_label;
    ChartAxis years;
    ChartAxis stock;
    double from_stock = 0;
    double to_stock = 0;
    // The two stocks as the calculator shows them, for the ends of the line.
    std::string from_text;
    std::string to_text;
};

// A round step for about five ticks over `span`: 1, 2, 2.5 or 5 times a power of ten.
double round_step(double span);

// An axis from zero, or below it for a negative value, to past the larger value, with round
// ticks; tick labels use the separator.
ChartAxis stock_axis(double from, double to, numbers::DecimalSeparator separator);

// The chart of two stocks as the calculator shows them.
StockChart stock_chart(const std::string& from_stock, const std::string& to_stock,
                       numbers::DecimalSeparator separator);

}  // namespace humo::report
