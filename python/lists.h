#pragma once

#include <pybind11/pybind11.h>

#include <optional>
#include <string>

#include "memory_tables.h"

namespace humo::python {

// What the calculator's lists offer once these are picked: the countries and soil types always;
// a country's climate regions; a region's land-use types; a land-use type's management systems,
// and its input levels as the management system picked lets the calculator fill them. Keyed by
// the lists' names; a name is matched as a scenario's cell is.
pybind11::dict offered_lists(const engine::MemoryTables& tables,
                             const std::optional<std::string>& country,
                             const std::optional<std::string>& climate_region,
                             const std::optional<std::string>& land_use,
                             const std::optional<std::string>& management);

}  // namespace humo::python
