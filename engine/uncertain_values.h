#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "decimal_separator.h"
#include "published_uncertainty.h"

namespace humo::engine {

// One value a predicted stock is the product of, as a simulation draws it.
struct UncertainValue {
    uint64_t identity = 0;
    // The value as shown.
    double value = 0;
    // Its standard deviation; 0 for a value used as exact.
    double deviation = 0;
    // What it is called where the results say it is used as exact, such as "grassland
    // management factor 1.17"; empty when it is drawn, or exact by definition.
    std::string not_covered;

    bool drawn() const { return deviation > 0; }
};

// What one system of a scenario picked and shows.
struct SystemShown {
    std::string_view land_use;
    std::string_view management;
    std::string_view input;
    // The factors as their boxes show them, and whether the user typed each.
    std::array<std::string_view, 3> factors;
    std::array<bool, 3> typed{};
};

// What a scenario picked and shows: the site and both systems.
struct ScenarioShown {
    std::string_view climate_region;
    std::string_view soil_type;
    std::string_view reference_stock;
    bool reference_typed = false;
    SystemShown from;
    SystemShown to;
};

// The seven values of a scenario: the reference stock and each system's land-use, management
// and input factors.
struct ScenarioValues {
    UncertainValue reference;
    std::array<UncertainValue, 3> from;
    std::array<UncertainValue, 3> to;

    // What the results say is used as exact, each value once, in the order of the calculator's
    // boxes.
    std::vector<std::string> not_covered() const;
};

// Each value with the ± its edition publishes for it. A value the user typed, edited since (it
// differs from the value the ± was published for) or without a published ± is used as exact
// and named; a factor of 1 without one is a reference level, exact by definition.
ScenarioValues scenario_values(const PublishedUncertainties& published, const ScenarioShown& shown,
                               numbers::DecimalSeparator separator);

}  // namespace humo::engine
