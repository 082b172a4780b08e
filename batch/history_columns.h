#pragma once

#include <array>
#include <string_view>
#include <vector>

namespace humo::batch {

// The columns of a history file, one row per regime: eight required, then the optional ones.
enum class HistoryColumn {
    kSite,
    kYear,
    kCountry,
    kClimateRegion,
    kSoilType,
    kLandUse,
    kManagement,
    kInput,
    kCarbonStock,
    kAreaHa,
};
inline constexpr size_t kHistoryColumnCount = 10;

std::string_view column_name(HistoryColumn column);

// Where each column is in a history file's header; -1 for an optional column it lacks.
struct HistoryLayout {
    std::array<int, kHistoryColumnCount> position{};

    int at(HistoryColumn column) const { return position[static_cast<size_t>(column)]; }
    bool has(HistoryColumn column) const { return at(column) >= 0; }
};

// Matches the header's names as a scenario file's are matched; other columns are left alone.
// Throws HeaderError.
HistoryLayout layout_history_columns(const std::vector<std::string_view>& header);

// The columns of the output: the site, the year and its figures, the totals when the input has
// areas, a note and the error.
std::vector<std::string_view> history_output_names(bool with_totals);

}  // namespace humo::batch
