#include "stock_chart.h"

#include <algorithm>
#include <cmath>

#include "carbon_arithmetic.h"
#include "number_text.h"

namespace humo::report {
namespace {

constexpr int kWantedTicks = 5;

void label_ticks(ChartAxis& axis, double step, numbers::DecimalSeparator separator) {
    // Counted, not summed, so no tick drifts off its round value.
    const long count = std::lround((axis.high - axis.low) / step);
    for (long i = 0; i <= count; ++i) {
        const double tick = axis.low + static_cast<double>(i) * step;
        axis.ticks.push_back(tick);
        axis.labels.push_back(numbers::general_text(tick, separator));
    }
}

}  // namespace

double round_step(double span) {
    const double raw = span / kWantedTicks;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double multiple : {1.0, 2.0, 2.5, 5.0}) {
        if (raw <= multiple * magnitude)
            return multiple * magnitude;
    }
    return 10 * magnitude;
}

ChartAxis stock_axis(double from, double to, numbers::DecimalSeparator separator) {
    const double low = std::min({0.0, from, to});
    const double high = std::max({0.0, from, to});
    const double step = round_step(high > low ? high - low : 1.0);
    ChartAxis axis;
    axis.low = std::floor(low / step) * step;
    axis.high = std::ceil(high / step) * step;
    if (axis.high <= axis.low)
        axis.high = axis.low + step;
    label_ticks(axis, step, separator);
    return axis;
}

StockChart stock_chart(const std::string& from_stock, const std::string& to_stock,
                       numbers::DecimalSeparator separator) {
    StockChart chart;
    chart.title = "Carbon stock over the " + std::to_string(engine::kYears) +
                  " years from the FROM to the TO system";
    chart.years_label = "Years after the change";
    chart.stock_label = "Soil carbon stock (MgC/ha)";
    chart.years.low = 0;
    chart.years.high = engine::kYears;
    label_ticks(chart.years, 5, separator);
    chart.from_stock = numbers::leading_number(from_stock, separator);
    chart.to_stock = numbers::leading_number(to_stock, separator);
    chart.from_text = from_stock;
    chart.to_text = to_stock;
    chart.stock = stock_axis(chart.from_stock, chart.to_stock, separator);
    return chart;
}

}  // namespace humo::report
