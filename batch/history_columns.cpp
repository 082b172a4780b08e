#include "history_columns.h"

#include <algorithm>
#include <string>

#include "batch_columns.h"
#include "name_index.h"

namespace humo::batch {
namespace {

constexpr std::array<std::string_view, kHistoryColumnCount> kNames = {
    "site",     "year",       "country", "climate_region", "soil_type",
    "land_use", "management", "input",   "carbon_stock",   "area_ha",
};
constexpr size_t kRequired = 8;

}  // namespace

std::string_view column_name(HistoryColumn column) { return kNames[static_cast<size_t>(column)]; }

HistoryLayout layout_history_columns(const std::vector<std::string_view>& header) {
    const std::vector<int> positions = find_columns(header, kNames);
    std::vector<std::string> others;
    for (size_t i = 0; i < header.size(); ++i) {
        if (std::find(positions.begin(), positions.end(), static_cast<int>(i)) == positions.end())
            others.emplace_back(engine::trimmed(header[i]));
    }
    require_columns(kNames, positions, kRequired, others);
    HistoryLayout layout;
    std::copy(positions.begin(), positions.end(), layout.position.begin());
    return layout;
}

std::vector<std::string_view> history_output_names(bool with_totals) {
    std::vector<std::string_view> names = {"site",        "year",          "stock",
                                           "equilibrium", "annual_change", "period_change"};
    if (with_totals)
        names.insert(names.end(), {"total_stock", "total_annual_change"});
    names.insert(names.end(), {"note", "error"});
    return names;
}

}  // namespace humo::batch
