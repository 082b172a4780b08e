#include "uncertainty_tables.h"

#include <array>

#include "sqlite_names.h"

namespace humo::db {
namespace {

constexpr std::array kTables = {
    UncertainValues{ValueTable::kReferenceStock, "c_stocks", "humoclim", "soil_type", "",
                    "c_stock_Mg_ha"},
    UncertainValues{ValueTable::kLandUseFactor, "tbl_systems", "climate_region", "system", "",
                    "land_use_factor"},
    UncertainValues{ValueTable::kManagementFactor, "tbl_management_factors", "climate_region",
                    "management_type", "grassland_other", "management_factor"},
    UncertainValues{ValueTable::kInputFactor, "tbl_input_factors", "climate_region", "input_type",
                    "grassland_other", "input_factor"},
};

}  // namespace

const UncertainValues* find_uncertain_values(std::string_view table) {
    for (const UncertainValues& values : kTables) {
        if (sqlite::same_name(values.table, table))
            return &values;
    }
    return nullptr;
}

std::string uncertain_value_tables() {
    std::string names;
    for (const UncertainValues& values : kTables)
        names += (names.empty() ? "" : ", ") + std::string(values.table);
    return names;
}

}  // namespace humo::db
