#include "batch_columns.h"

#include <optional>

#include "name_index.h"
#include "utf8.h"

namespace humo::batch {
namespace {

constexpr std::array<std::string_view, kInputColumnCount> kInputNames = {
    "country",         "climate_region", "soil_type",   "from_land_use",
    "from_management", "from_input",     "to_land_use", "to_management",
    "to_input",        "carbon_stock",   "area_ha",     "area_uncertainty",
};

constexpr std::array<std::string_view, kResultColumnCount> kResultNames = {
    "reference_stock",
    "from_land_use_factor",
    "from_management_factor",
    "from_input_factor",
    "from_stock",
    "to_land_use_factor",
    "to_management_factor",
    "to_input_factor",
    "to_stock",
    "annual_change",
    "total_annual_change",
    "from_stock_low",
    "from_stock_high",
    "to_stock_low",
    "to_stock_high",
    "annual_change_low",
    "annual_change_high",
    "total_annual_change_low",
    "total_annual_change_high",
    "annual_co2",
    "annual_co2_low",
    "annual_co2_high",
    "total_annual_co2",
    "total_annual_co2_low",
    "total_annual_co2_high",
    "not_covered",
    "error",
};

template <size_t N>
std::optional<size_t> index_of(const std::array<std::string_view, N>& names,
                               const std::string& name) {
    for (size_t i = 0; i < N; ++i) {
        if (names[i] == name)
            return i;
    }
    return std::nullopt;
}

bool between(size_t result, ResultColumn first, ResultColumn last) {
    return result >= static_cast<size_t>(first) && result <= static_cast<size_t>(last);
}

// Whether a result is one the run computes at all.
bool asked_for(size_t result, AskedResults asked) {
    using enum ResultColumn;
    const bool range = between(result, kFromStockLow, kTotalAnnualChangeHigh) ||
                       result == static_cast<size_t>(kNotCovered) ||
                       between(result, kAnnualCo2Low, kAnnualCo2High) ||
                       between(result, kTotalAnnualCo2Low, kTotalAnnualCo2High);
    const bool co2 = between(result, kAnnualCo2, kTotalAnnualCo2High);
    return (asked.ranges || !range) && (asked.co2 || !co2);
}

bool is_total_column(size_t result) {
    using enum ResultColumn;
    return result == static_cast<size_t>(kTotalAnnualChange) ||
           between(result, kTotalAnnualChangeLow, kTotalAnnualChangeHigh) ||
           between(result, kTotalAnnualCo2, kTotalAnnualCo2High);
}

std::string quoted(std::string_view name) { return "\"" + std::string(name) + "\""; }

}  // namespace

std::string_view column_name(InputColumn column) {
    return kInputNames[static_cast<size_t>(column)];
}

std::string_view column_name(ResultColumn column) {
    return kResultNames[static_cast<size_t>(column)];
}

ColumnLayout layout_columns(const std::vector<std::string_view>& header, AskedResults asked) {
    ColumnLayout layout;
    layout.position.fill(-1);
    layout.width = header.size();
    std::array<bool, kResultColumnCount> in_input{};
    // The columns that are none of ours, which may hold a misspelt one.
    std::vector<std::string> others;
    for (size_t i = 0; i < header.size(); ++i) {
        const std::string name = engine::folded(engine::trimmed(header[i]));
        layout.output_names.emplace_back(header[i]);
        if (auto input = index_of(kInputNames, name)) {
            if (layout.position[*input] >= 0) {
                throw HeaderError("the header names the column " + quoted(kInputNames[*input]) +
                                  " twice (columns " + std::to_string(layout.position[*input] + 1) +
                                  " and " + std::to_string(i + 1) + ")");
            }
            layout.position[*input] = static_cast<int>(i);
            layout.output.push_back({false, i});
        } else if (auto result = index_of(kResultNames, name);
                   result && asked_for(*result, asked)) {
            // A result of an earlier run: the new result takes its place.
            in_input[*result] = true;
            layout.results_appended = false;
            layout.output.push_back({true, *result});
        } else {
            others.emplace_back(engine::trimmed(header[i]));
            layout.output.push_back({false, i});
        }
    }
    for (size_t i = 0; i < kRequiredColumnCount; ++i) {
        if (layout.position[i] >= 0)
            continue;
        std::string message = "the header has no column " + quoted(kInputNames[i]);
        const std::string near = engine::nearest_name(kInputNames[i], others);
        if (!near.empty())
            message += "; the column " + quoted(near) + " may be meant";
        throw HeaderError(message);
    }
    const bool has_area = layout.at(InputColumn::kAreaHa) >= 0;
    for (size_t i = 0; i < kResultColumnCount; ++i) {
        const bool wanted = (has_area || !is_total_column(i)) && asked_for(i, asked);
        if (!in_input[i] && wanted) {
            layout.output.push_back({true, i});
            layout.output_names.emplace_back(kResultNames[i]);
        }
    }
    return layout;
}

engine::ScenarioCells scenario_cells(const ColumnLayout& layout,
                                     std::span<const std::string_view> fields) {
    auto cell = [&](InputColumn column) { return fields[static_cast<size_t>(layout.at(column))]; };
    auto optional_cell = [&](InputColumn column) -> std::optional<std::string_view> {
        if (layout.at(column) < 0)
            return std::nullopt;
        return cell(column);
    };
    return {cell(InputColumn::kCountry),
            cell(InputColumn::kClimateRegion),
            cell(InputColumn::kSoilType),
            {cell(InputColumn::kFromLandUse), cell(InputColumn::kFromManagement),
             cell(InputColumn::kFromInput)},
            {cell(InputColumn::kToLandUse), cell(InputColumn::kToManagement),
             cell(InputColumn::kToInput)},
            optional_cell(InputColumn::kCarbonStock),
            optional_cell(InputColumn::kAreaHa),
            optional_cell(InputColumn::kAreaUncertainty)};
}

std::string field_fault(std::string_view field, std::string_view column) {
    if (!is_valid_utf8(field))
        return "column " + quoted(column) + " is not UTF-8 text";
    if (field.find('\0') != std::string_view::npos)
        return "column " + quoted(column) + " holds a NUL byte";
    return {};
}

}  // namespace humo::batch
