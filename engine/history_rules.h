#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "scenario_rules.h"
#include "stock_history.h"

namespace humo::engine {

// One regime of a history as the user wrote it: its first year and its land-use system.
struct RegimeCells {
    std::string_view year;
    SystemCells system;
};

// The land unit a history is of, as the user wrote it. An own reference stock applies to the
// whole history; an area gives totals.
struct HistorySiteCells {
    std::string_view country;
    std::string_view climate_region;
    std::string_view soil_type;
    std::optional<std::string_view> carbon_stock;
    std::optional<std::string_view> area_ha;
};

// The names a regime's cells and figures go by in messages.
extern const SystemColumns kRegimeColumns;

// The years a regime may start in.
inline constexpr int kFirstYear = 1;
inline constexpr int kLastYear = 9999;

// A history ready to be walked, or what is wrong with it.
struct SiteHistory {
    // In order of their first years.
    std::vector<RegimeStock> regimes;
    std::optional<numbers::Decimal> area;
    // What is wrong, naming the column and the value, and the first year of the regime at
    // fault (the first regime's when the site's own cells are).
    std::string error;
    std::optional<int> error_year;
    // The site's own cells are at fault, not a regime's.
    bool site_at_fault = false;

    bool usable() const { return error.empty(); }
};

// Picks the site and each regime's system as the calculator would and takes each regime's
// equilibrium as the calculator's predicted stock for it, unrounded. Regimes may come in any
// order; two in one year are an error.
SiteHistory build_history(ScenarioRules& rules, const HistorySiteCells& site,
                          std::span<const RegimeCells> regimes);

// A year as a regime's cell gives it, or nothing when it is not a whole year in range.
std::optional<int> read_year(std::string_view cell);

}  // namespace humo::engine
