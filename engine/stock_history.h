#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "decimal.h"
#include "decimal_separator.h"

namespace humo::engine {

// One regime of a land unit's history: a land-use system in force from the start of its first
// year until the next regime starts, with its equilibrium stock, MgC/ha, unrounded.
struct RegimeStock {
    int first_year = 0;
    numbers::Decimal equilibrium;
};

// The stock at the end of each year of a history, in order from the first regime's first
// year. The first regime is taken to be at its equilibrium then. A regime with another
// equilibrium than the one before starts a transition from the stock of the year before it:
// that stock moves a twentieth of the way to the new equilibrium each year, and reaches it
// after twenty years unless another change comes first. A change that keeps the equilibrium
// leaves the transition under way as it is.
class StockWalk {
public:
    // `regimes` in order of their first years, each year once, at least one; they must
    // outlive the walk.
    explicit StockWalk(std::span<const RegimeStock> regimes);

    int year() const { return year_; }
    const numbers::Decimal& stock() const { return stock_; }
    // The regime in force and its equilibrium.
    size_t regime() const { return regime_; }
    const numbers::Decimal& equilibrium() const { return regimes_[regime_].equilibrium; }
    // The stock's change over this year; none in the first year, whose previous stock the
    // history does not give.
    bool has_annual_change() const { return year_ > regimes_.front().first_year; }
    const numbers::Decimal& annual_change() const { return annual_change_; }
    // Changes exactly when annual_change() may: lets a caller keep its text.
    uint32_t change_count() const { return change_count_; }

    void next();

private:
    std::span<const RegimeStock> regimes_;
    size_t regime_ = 0;
    int year_ = 0;
    numbers::Decimal stock_;
    // The transition under way: its target, its yearly step and the years it has to go.
    numbers::Decimal target_;
    numbers::Decimal step_;
    int years_left_ = 0;
    numbers::Decimal annual_change_;
    uint32_t change_count_ = 0;
};

// The year the first regime's stock is assumed to be at its equilibrium, and a warning when
// the history gives fewer than twenty years before its equilibrium first changes; empty
// otherwise.
std::string equilibrium_assumption(std::span<const RegimeStock> regimes);
std::string short_start_warning(std::span<const RegimeStock> regimes);

// The years a history is shown for: from its first year to twenty years after its last change,
// unless told otherwise; every `every` years from `from`.
struct YearSpan {
    std::optional<int> from;
    std::optional<int> to;
    int every = 1;
};

// One year of a history as it is shown: stocks with one decimal, changes with two, halves away
// from zero on the exact values. The views last until the next year is read.
struct HistoryRow {
    int year = 0;
    std::string_view stock;
    std::string_view equilibrium;
    // Empty in the history's first year.
    std::string_view annual_change;
    // The change per year since the previous year shown; empty in the first year shown.
    std::string_view period_change;
    // Over the area, MgC and MgC/yr; empty without one.
    std::string_view total_stock;
    std::string_view total_annual_change;
};

// The rows of a history for the years asked, computed as they are read.
class HistoryTable {
public:
    // `regimes` as StockWalk takes them; they must outlive the table.
    HistoryTable(std::span<const RegimeStock> regimes, const YearSpan& years,
                 numbers::DecimalSeparator separator,
                 std::optional<numbers::Decimal> area = std::nullopt);

    // The last year shown when not told: twenty years after the last change.
    static int default_last_year(std::span<const RegimeStock> regimes);

    // Moves to the next year shown; false when there is none.
    bool next();
    const HistoryRow& row() const { return row_; }
    // The current year's stock and annual change over the area, exact, for sums over sites.
    const numbers::Decimal& exact_total_stock() const { return total_stock_; }
    const numbers::Decimal& exact_total_annual_change() const { return total_change_; }

private:
    StockWalk walk_;
    numbers::DecimalSeparator separator_;
    std::optional<numbers::Decimal> area_;
    int next_year_ = 0;
    int last_year_ = 0;
    int every_ = 1;
    bool started_ = false;
    // The stock of the previous year shown, for the period's change.
    std::optional<numbers::Decimal> shown_stock_;
    HistoryRow row_;
    std::string stock_text_;
    std::string equilibrium_text_;
    size_t equilibrium_regime_ = SIZE_MAX;
    std::string change_text_;
    uint32_t change_count_ = UINT32_MAX;
    std::string period_text_;
    std::string total_stock_text_;
    std::string total_change_text_;
    numbers::Decimal total_stock_;
    numbers::Decimal total_change_;
};

}  // namespace humo::engine
