#include "calculation_ranges.h"

#include <algorithm>
#include <cmath>

#include "carbon_arithmetic.h"
#include "number_text.h"

namespace humo::report {
namespace {

constexpr size_t kHistogramBars = 30;

engine::SystemShown shown(const SystemFigures& system) {
    return {
        system.land_use,
        system.management,
        system.input,
        {system.land_use_factor.text, system.management_factor.text, system.input_factor.text},
        {system.land_use_factor.typed, system.management_factor.typed, system.input_factor.typed}};
}

RangeShown range_shown(const std::string& value, const engine::Range& range, int decimals,
                       numbers::DecimalSeparator separator) {
    auto text = [&](double bound) {
        return engine::exact_decimal(bound).fixed(decimals, separator);
    };
    RangeShown result{value, text(range.low), text(range.high), {}};
    const double shown = numbers::leading_number(value, separator);
    if (shown != 0) {
        const double percent = (range.high - range.low) / 2 / std::fabs(shown) * 100;
        result.half_width = "±" + engine::exact_decimal(percent).fixed(0, separator) + "%";
    }
    return result;
}

Histogram histogram(const std::vector<double>& samples) {
    Histogram result;
    if (samples.empty())
        return result;
    const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
    result.low = *low;
    result.high = *high;
    result.counts.assign(*high > *low ? kHistogramBars : 1, 0);
    const double width = (*high - *low) / static_cast<double>(result.counts.size());
    for (double sample : samples) {
        const auto bar = width > 0 ? static_cast<size_t>((sample - *low) / width) : 0;
        ++result.counts[std::min(bar, result.counts.size() - 1)];
    }
    return result;
}

}  // namespace

std::string annual_co2(const CalculationReport& report) {
    return engine::co2_text(
        engine::annual_change_of_shown(report.from.stock, report.to.stock, report.separator),
        report.separator);
}

const char* const kRangesMethod =
    "95% ranges: the 2.5th and 97.5th percentiles of the stocks and the change computed with "
    "each published value drawn from a normal distribution (its ± read as two standard "
    "deviations, or as 1.96 for a 95% confidence limit; draws below zero drawn again), every "
    "value drawn once per iteration wherever it appears.";

std::string not_covered_text(const CalculationRanges& ranges) {
    if (ranges.not_covered.empty())
        return "Every value is drawn from its published uncertainty.";
    std::string text = "Not covered (used as exact): ";
    for (size_t i = 0; i < ranges.not_covered.size(); ++i)
        text += (i == 0 ? "" : "; ") + ranges.not_covered[i];
    return text + ".";
}

CalculationRanges calculation_ranges(const CalculationReport& report,
                                     const engine::PublishedUncertainties& published,
                                     const engine::Simulation& simulation) {
    const engine::ScenarioShown scenario{report.climate_region,       report.soil_type,
                                         report.reference_stock.text, report.reference_stock.typed,
                                         shown(report.from),          shown(report.to)};
    const engine::ScenarioValues values =
        engine::scenario_values(published, scenario, report.separator);
    engine::ValueDraws draws(simulation);
    engine::ScenarioSamples samples;
    engine::simulate(values, draws, samples);
    CalculationRanges ranges;
    ranges.simulation = simulation;
    ranges.change_histogram = histogram(samples.change);
    const engine::ScenarioRanges found = engine::ranges_of(samples);
    ranges.from_stock = range_shown(report.from.stock, found.from_stock, 1, report.separator);
    ranges.to_stock = range_shown(report.to.stock, found.to_stock, 1, report.separator);
    ranges.change = range_shown(report.annual_change, found.change, 2, report.separator);
    // Carbon gained is CO2 removed: the bounds change places.
    constexpr double kCo2PerCarbon = -44.0 / 12.0;
    ranges.co2 = range_shown(annual_co2(report),
                             {found.change.high * kCo2PerCarbon, found.change.low * kCo2PerCarbon},
                             2, report.separator);
    ranges.not_covered = values.not_covered();
    if (published.empty()) {
        ranges.note = published.missing_reason().empty()
                          ? "This edition publishes no uncertainty: every value is used as exact."
                          : "No published uncertainty: " + published.missing_reason() + ".";
    }
    return ranges;
}

}  // namespace humo::report
