#pragma once

#include <string>
#include <vector>

#include "calculation_report.h"
#include "monte_carlo.h"
#include "published_uncertainty.h"

namespace humo::report {

// A quantity as the calculator shows it, with its 95% range shown with the same decimals and
// the range's half-width as a percentage of the shown value ("±28%"; empty for a value of 0).
struct RangeShown {
    std::string value;
    std::string low;
    std::string high;
    std::string half_width;
};

// How many iterations fell between equally spaced bounds.
struct Histogram {
    double low = 0;
    double high = 0;
    std::vector<int> counts;
};

// The ranges of the calculation the calculator shows.
struct CalculationRanges {
    engine::Simulation simulation;
    RangeShown from_stock;
    RangeShown to_stock;
    RangeShown change;
    // The change as CO2, emissions positive.
    RangeShown co2;
    Histogram change_histogram;
    // The values used as exact, such as "grassland management factor 1.17".
    std::vector<std::string> not_covered;
    // Why no value is drawn, when the database publishes none.
    std::string note;
};

// The annual change of a report as CO2 in an inventory's sign, emissions positive, MgCO2/ha/yr:
// from the stocks as shown, as the change itself is.
std::string annual_co2(const CalculationReport& report);

// One sentence on how the ranges are made, for every place that shows them.
extern const char* const kRangesMethod;

// "Not covered (used as exact): reference stock 40 (typed)." or that every value is drawn.
std::string not_covered_text(const CalculationRanges& ranges);

// Draws the report's values as the published uncertainties say, each value once per iteration.
CalculationRanges calculation_ranges(const CalculationReport& report,
                                     const engine::PublishedUncertainties& published,
                                     const engine::Simulation& simulation);

}  // namespace humo::report
