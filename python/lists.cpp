#include "lists.h"

#include <pybind11/stl.h>

#include "fixed_names.h"
#include "list_rules.h"

namespace py = pybind11;

namespace humo::python {
namespace {

// The name as the tables spell it; the cell itself when the tables have no such name.
std::string spelt(const engine::NameIndex& names, const std::string& cell) {
    const engine::Id id = names.find_cell(cell);
    return id == engine::NameIndex::kNone ? cell : names.text(id);
}

}  // namespace

py::dict offered_lists(const engine::MemoryTables& tables,
                       const std::optional<std::string>& country,
                       const std::optional<std::string>& climate_region,
                       const std::optional<std::string>& land_use,
                       const std::optional<std::string>& management) {
    py::dict lists;
    lists["country"] = tables.countries().texts;
    lists["soil_type"] = tables.soil_types().texts;
    if (country)
        lists["climate_region"] =
            tables.climate_regions(spelt(tables.country_names, *country)).texts;
    if (climate_region)
        lists["land_use"] = tables.land_uses(spelt(tables.region_names, *climate_region)).texts;
    if (!land_use)
        return lists;
    const std::string land_use_name = spelt(tables.land_use_names, *land_use);
    lists["management"] = tables.managements(land_use_name).texts;
    const std::string management_name =
        management ? spelt(tables.management_names, *management) : std::string();
    switch (engine::input_levels(land_use_name, engine::takes_grassland_factors(land_use_name),
                                 management_name)) {
        case engine::InputLevels::kUnchanged:
            break;
        case engine::InputLevels::kInDisplayOrder:
            lists["input"] = tables.inputs(land_use_name, engine::InputOrder::kDisplay).texts;
            break;
        case engine::InputLevels::kInStoredOrder:
            lists["input"] = tables.inputs(land_use_name, engine::InputOrder::kStored).texts;
            break;
        case engine::InputLevels::kFixedDoesNotApply:
            lists["input"] = std::vector<std::string>{std::string(engine::kDoesNotApply)};
            break;
    }
    return lists;
}

}  // namespace humo::python
