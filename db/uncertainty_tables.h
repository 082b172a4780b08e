#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace humo::db {

// The published uncertainties of default values: a table of their own, which databases made
// before the editions carried them lack.
inline constexpr std::string_view kUncertaintyTable = "value_uncertainty";

// The tables whose values may carry a published uncertainty.
enum class ValueTable : uint8_t {
    kReferenceStock,
    kLandUseFactor,
    kManagementFactor,
    kInputFactor
};

// A table whose values may carry a published uncertainty, and its columns that the
// climate_region, name and grassland_other of an uncertainty row stand for.
struct UncertainValues {
    ValueTable kind;
    std::string_view table;
    std::string_view region;
    std::string_view name;
    std::string_view group;  // empty: the table has no factor group
    std::string_view value;
};

// The table of that name, in any case as SQL compares names; null for a table whose values carry
// no uncertainty.
const UncertainValues* find_uncertain_values(std::string_view table);

// Their names for a message: "c_stocks, tbl_systems, ...".
std::string uncertain_value_tables();

}  // namespace humo::db
