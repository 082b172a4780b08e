#pragma once

#include <span>
#include <string>
#include <vector>

#include "stock_chart.h"
#include "stock_history.h"

namespace humo::report {

// A history's stock at the end of each year, with the equilibrium of the regime in force drawn
// as steps. A year spans from the end of the one before it to its own end, so a regime's step
// starts where the stock starts moving towards it.
struct HistoryChart {
    struct Point {
        double year = 0;
        double stock = 0;
    };
    struct Step {
        double from_year = 0;
        double to_year = 0;
        double equilibrium = 0;
    };

    std::string years_label;
    std::string stock_label;
    std::string stock_legend;
    std::string equilibrium_legend;
    ChartAxis years;
    ChartAxis stock;
    std::vector<Point> stocks;
    std::vector<Step> equilibria;

    bool empty() const { return stocks.empty(); }
};

// The chart of every year from `from` to `to` that the history has, read from the rows as the
// table shows them.
HistoryChart history_chart(std::span<const engine::RegimeStock> regimes, int from, int to,
                           numbers::DecimalSeparator separator);

}  // namespace humo::report
