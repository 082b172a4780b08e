#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "decimal.h"
#include "decimal_separator.h"

namespace humo::batch {

// The sums over sites of each year's total stock and annual change, exact until they are shown.
class YearTotals {
public:
    // A site's totals in a year; `change` is none in the site's first year.
    void add(int year, const numbers::Decimal& stock, const numbers::Decimal* change);
    bool empty() const { return years_.empty(); }
    // One line a year in order, such as "total in 1981: stock 327.8 MgC, annual change 0.00
    // MgC/yr (2 sites)", stocks and changes shown as each site's are.
    std::vector<std::string> lines(numbers::DecimalSeparator separator) const;

private:
    struct Year {
        numbers::DecimalSum stock;
        numbers::DecimalSum change;
        int64_t sites = 0;
        int64_t changes = 0;
    };
    int first_year_ = 0;
    std::vector<Year> years_;
};

}  // namespace humo::batch
