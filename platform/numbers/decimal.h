#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "decimal_separator.h"

namespace humo::numbers {

// An exact decimal number, so that results are the hand arithmetic of the numbers as written:
// 0.69 is exactly 0.69, and (114.6 − 95.9) / 20 is exactly 0.935.
class Decimal {
public:
    Decimal() = default;  // zero

    // Reads a plain number: an optional sign, digits with an optional '.' fraction, an optional
    // exponent (e or E). Nothing else, not even blanks.
    static std::optional<Decimal> from_plain(std::string_view text);

    bool is_zero() const { return digits_.empty(); }
    bool negative() const { return negative_; }

    friend Decimal operator*(const Decimal& a, const Decimal& b);
    friend Decimal operator+(const Decimal& a, const Decimal& b);
    friend Decimal operator-(const Decimal& a, const Decimal& b);
    friend bool operator==(const Decimal& a, const Decimal& b) = default;

    // The nearest double; an infinity when the magnitude lies beyond the double range.
    double to_double() const;

    // Rounded halves away from zero at `decimals` places and written with the separator,
    // always with that many decimals; a result that rounds to zero has no minus sign.
    std::string fixed(int decimals, DecimalSeparator separator) const;

private:
    friend class DecimalSum;

    Decimal negated() const;
    // Drops trailing zeros into the exponent and leading zeros; zero has no sign.
    void normalise();

    bool negative_ = false;
    // Digit values 0–9, most significant first, no leading or trailing zeros; empty for zero.
    // A string, so the few digits of a factor or a stock live without a heap allocation.
    std::string digits_;
    // The value is digits × 10^exponent.
    int64_t exponent_ = 0;
};

// The exact sum of many decimals, such as a year's stocks over thousands of sites. The terms are
// gathered in one wide machine number at the smallest exponent seen, which is many times quicker
// than adding Decimals; a term or a sum too long for it is added as a Decimal.
class DecimalSum {
public:
    void add(const Decimal& term);
    Decimal value() const;

private:
    __extension__ using Wide = __int128;

    // Adds the machine number to the Decimal part and starts it afresh.
    void spill();

    Wide coefficient_ = 0;
    int64_t exponent_ = 0;
    Decimal rest_;
};

}  // namespace humo::numbers
