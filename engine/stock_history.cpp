#include "stock_history.h"

#include "carbon_arithmetic.h"

namespace humo::engine {
namespace {

const numbers::Decimal kOneYearShare = *numbers::Decimal::from_plain("0.05");
static_assert(kYears == 20, "kOneYearShare is 1 / kYears");

// The first regime whose equilibrium differs from the first one's, or none.
const RegimeStock* first_change(std::span<const RegimeStock> regimes) {
    for (const RegimeStock& regime : regimes.subspan(1)) {
        if (!(regime.equilibrium == regimes.front().equilibrium))
            return &regime;
    }
    return nullptr;
}

}  // namespace

StockWalk::StockWalk(std::span<const RegimeStock> regimes)
    : regimes_(regimes),
      year_(regimes.front().first_year),
      stock_(regimes.front().equilibrium),
      target_(regimes.front().equilibrium) {}

void StockWalk::next() {
    ++year_;
    if (regime_ + 1 < regimes_.size() && regimes_[regime_ + 1].first_year == year_) {
        ++regime_;
        // The new transition starts from wherever the stock is, reached or not.
        if (!(equilibrium() == target_)) {
            target_ = equilibrium();
            step_ = (target_ - stock_) * kOneYearShare;
            years_left_ = kYears;
        }
    }
    const numbers::Decimal& change = years_left_ > 0 ? step_ : numbers::Decimal();
    if (years_left_ > 0) {
        --years_left_;
        // Twenty steps are the whole way exactly; the target is taken as it is all the same.
        stock_ = years_left_ == 0 ? target_ : stock_ + step_;
    }
    if (!(change == annual_change_)) {
        annual_change_ = change;
        ++change_count_;
    }
}

std::string equilibrium_assumption(std::span<const RegimeStock> regimes) {
    return "the stock is assumed to be at the first regime's equilibrium at the end of " +
           std::to_string(regimes.front().first_year);
}

std::string short_start_warning(std::span<const RegimeStock> regimes) {
    const RegimeStock* change = first_change(regimes);
    if (!change)
        return {};
    const int years = change->first_year - regimes.front().first_year;
    if (years >= kYears)
        return {};
    return "only " + std::to_string(years) + (years == 1 ? " year" : " years") +
           " before the first change in " + std::to_string(change->first_year) +
           ": the stock may not have been at equilibrium in " +
           std::to_string(regimes.front().first_year);
}

HistoryTable::HistoryTable(std::span<const RegimeStock> regimes, const YearSpan& years,
                           numbers::DecimalSeparator separator,
                           std::optional<numbers::Decimal> area)
    : walk_(regimes),
      separator_(separator),
      area_(std::move(area)),
      last_year_(years.to.value_or(default_last_year(regimes))),
      every_(years.every < 1 ? 1 : years.every) {
    const int first = regimes.front().first_year;
    next_year_ = years.from.value_or(first);
    // Years before the history are not shown; the steps still count from `from`.
    if (next_year_ < first)
        next_year_ += (first - next_year_ + every_ - 1) / every_ * every_;
}

int HistoryTable::default_last_year(std::span<const RegimeStock> regimes) {
    return regimes.back().first_year + kYears;
}

bool HistoryTable::next() {
    if (next_year_ > last_year_)
        return false;
    while (walk_.year() < next_year_)
        walk_.next();
    row_ = {};
    row_.year = walk_.year();
    // A stock that has not moved since the year shown before keeps its texts and its total: in
    // most years of a long history it is at an equilibrium.
    const bool stock_moved = !shown_stock_ || !(*shown_stock_ == walk_.stock());
    if (stock_moved) {
        stock_text_ = stock_text(walk_.stock(), separator_);
        if (area_) {
            total_stock_ = walk_.stock() * *area_;
            total_stock_text_ = stock_text(total_stock_, separator_);
        }
    }
    row_.stock = stock_text_;
    if (walk_.regime() != equilibrium_regime_) {
        equilibrium_regime_ = walk_.regime();
        equilibrium_text_ = stock_text(walk_.equilibrium(), separator_);
    }
    row_.equilibrium = equilibrium_text_;
    if (walk_.has_annual_change()) {
        if (walk_.change_count() != change_count_) {
            change_count_ = walk_.change_count();
            change_text_ = change_text(walk_.annual_change(), separator_);
            if (area_) {
                total_change_ = walk_.annual_change() * *area_;
                total_change_text_ = change_text(total_change_, separator_);
            }
        }
        row_.annual_change = change_text_;
    }
    if (shown_stock_) {
        if (every_ == 1) {
            row_.period_change = change_text_;
        } else {
            period_text_ = quotient_text(walk_.stock() - *shown_stock_,
                                         static_cast<uint32_t>(every_), 2, separator_);
            row_.period_change = period_text_;
        }
    }
    if (stock_moved)
        shown_stock_ = walk_.stock();
    if (area_) {
        row_.total_stock = total_stock_text_;
        if (walk_.has_annual_change())
            row_.total_annual_change = total_change_text_;
    }
    next_year_ += every_;
    return true;
}

}  // namespace humo::engine
