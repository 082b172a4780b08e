#include "year_totals.h"

#include "carbon_arithmetic.h"

namespace humo::batch {

void YearTotals::add(int year, const numbers::Decimal& stock, const numbers::Decimal* change) {
    if (years_.empty())
        first_year_ = year;
    if (year < first_year_) {
        years_.insert(years_.begin(), static_cast<size_t>(first_year_ - year), Year{});
        first_year_ = year;
    }
    const auto index = static_cast<size_t>(year - first_year_);
    if (index >= years_.size())
        years_.resize(index + 1);
    Year& sums = years_[index];
    sums.stock.add(stock);
    ++sums.sites;
    if (change) {
        sums.change.add(*change);
        ++sums.changes;
    }
}

std::vector<std::string> YearTotals::lines(numbers::DecimalSeparator separator) const {
    std::vector<std::string> lines;
    for (size_t i = 0; i < years_.size(); ++i) {
        const Year& sums = years_[i];
        if (sums.sites == 0)
            continue;
        std::string line = "total in " + std::to_string(first_year_ + static_cast<int>(i)) +
                           ": stock " + engine::stock_text(sums.stock.value(), separator) + " MgC";
        if (sums.changes > 0)
            line += ", annual change " + engine::change_text(sums.change.value(), separator) +
                    " MgC/yr";
        line += " (" + std::to_string(sums.sites) + (sums.sites == 1 ? " site)" : " sites)");
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace humo::batch
