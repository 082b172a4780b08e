#include "history_chart.h"

#include <algorithm>
#include <cmath>

#include "number_text.h"

namespace humo::report {
namespace {

// The years from the first to the last, ticked at round whole years.
ChartAxis year_axis(double first, double last) {
    ChartAxis axis;
    axis.low = first;
    axis.high = last > first ? last : first + 1;
    const double step = std::max(1.0, round_step(axis.high - axis.low));
    for (double tick = std::ceil(axis.low / step) * step; tick <= axis.high; tick += step) {
        axis.ticks.push_back(tick);
        axis.labels.push_back(std::to_string(std::lround(tick)));
    }
    return axis;
}

}  // namespace

HistoryChart history_chart(std::span<const engine::RegimeStock> regimes, int from, int to,
                           numbers::DecimalSeparator separator) {
    HistoryChart chart;
    chart.years_label = "Year";
    chart.stock_label = "Soil carbon stock (MgC/ha)";
    chart.stock_legend = "Stock at the end of the year";
    chart.equilibrium_legend = "Equilibrium of the regime in force";
    if (regimes.empty() || to < from)
        return chart;
    engine::HistoryTable table(regimes, {from, to, 1}, separator);
    double low = 0;
    double high = 0;
    while (table.next()) {
        const engine::HistoryRow& row = table.row();
        const double stock = numbers::leading_number(row.stock, separator);
        const double equilibrium = numbers::leading_number(row.equilibrium, separator);
        const double year = row.year;
        if (chart.stocks.empty() || chart.equilibria.back().equilibrium != equilibrium)
            chart.equilibria.push_back({chart.stocks.empty() ? year : year - 1, year, equilibrium});
        chart.equilibria.back().to_year = year;
        chart.stocks.push_back({year, stock});
        low = std::min({low, stock, equilibrium});
        high = std::max({high, stock, equilibrium});
    }
    if (chart.empty())
        return chart;
    chart.years = year_axis(chart.stocks.front().year, chart.stocks.back().year);
    chart.stock = stock_axis(low, high, separator);
    return chart;
}

}  // namespace humo::report
