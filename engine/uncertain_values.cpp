#include "uncertain_values.h"

#include <algorithm>
#include <cmath>

#include "list_rules.h"
#include "number_text.h"

namespace humo::engine {
namespace {

// Published values are the table's values written as decimals: the same number when stored.
bool same_value(double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b));
}

UncertainValue uncertain(const PublishedUncertainties& published, const ValueKey& key,
                         std::string_view shown, bool typed, std::string_view label,
                         numbers::DecimalSeparator separator) {
    UncertainValue value;
    value.identity = value_identity(key);
    value.value = numbers::leading_number(shown, separator);
    const std::string named = std::string(label) + " " + std::string(shown);
    if (typed) {
        value.not_covered = named + " (typed)";
        return value;
    }
    const Published* found = published.find(key);
    if (!found) {
        if (key.table == ValueTable::kReferenceStock || value.value != 1)
            value.not_covered = named;
        return value;
    }
    if (!same_value(value.value, found->value)) {
        value.not_covered = named + " (edited)";
        return value;
    }
    value.deviation = value.value * found->relative_deviation();
    return value;
}

std::array<UncertainValue, 3> system_values(const PublishedUncertainties& published,
                                            std::string_view region, const SystemShown& system,
                                            numbers::DecimalSeparator separator) {
    const bool grassland = takes_grassland_factors(system.land_use);
    const std::string_view group = grassland ? kGrasslandFactorGroup : kOtherFactorGroup;
    const std::string prefix = grassland ? "grassland " : "";
    std::array<UncertainValue, 3> values{
        uncertain(published, {ValueTable::kLandUseFactor, region, system.land_use, {}},
                  system.factors[0], system.typed[0], "land-use factor", separator),
        uncertain(published, {ValueTable::kManagementFactor, region, system.management, group},
                  system.factors[1], system.typed[1], prefix + "management factor", separator),
        uncertain(published, {ValueTable::kInputFactor, region, system.input, group},
                  system.factors[2], system.typed[2], prefix + "input factor", separator)};
    return values;
}

}  // namespace

std::vector<std::string> ScenarioValues::not_covered() const {
    std::vector<std::string> names;
    std::vector<uint64_t> named;
    auto add = [&](const UncertainValue& value) {
        if (!value.not_covered.empty() &&
            std::find(named.begin(), named.end(), value.identity) == named.end()) {
            named.push_back(value.identity);
            names.push_back(value.not_covered);
        }
    };
    add(reference);
    for (const auto* system : {&from, &to})
        for (const UncertainValue& value : *system)
            add(value);
    return names;
}

ScenarioValues scenario_values(const PublishedUncertainties& published, const ScenarioShown& shown,
                               numbers::DecimalSeparator separator) {
    return {uncertain(published,
                      {ValueTable::kReferenceStock, shown.climate_region, shown.soil_type, {}},
                      shown.reference_stock, shown.reference_typed, "reference stock", separator),
            system_values(published, shown.climate_region, shown.from, separator),
            system_values(published, shown.climate_region, shown.to, separator)};
}

}  // namespace humo::engine
