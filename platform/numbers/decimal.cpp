#include "decimal.h"

#include <locale.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace humo::numbers {
namespace {

// Digits, least significant first, for the arithmetic of long numbers below.
using Magnitude = std::vector<uint8_t>;

// Coefficients of up to 18 digits are added and multiplied as machine numbers.
constexpr size_t kMachineDigits = 18;

uint64_t machine_value(const std::string& digits) {
    uint64_t value = 0;
    for (char digit : digits)
        value = value * 10 + static_cast<uint8_t>(digit);
    return value;
}

std::string digits_of(uint64_t value) {
    // Written from the last digit back, two at a time, then taken at once: results are made by
    // the million.
    std::array<char, 20> buffer;
    auto first = buffer.end();
    for (; value >= 100; value /= 100) {
        const auto pair = static_cast<char>(value % 100);
        *--first = static_cast<char>(pair % 10);
        *--first = static_cast<char>(pair / 10);
    }
    for (; value > 0; value /= 10)
        *--first = static_cast<char>(value % 10);
    return std::string(first, buffer.end());
}

Magnitude magnitude_of(const std::string& digits, size_t zeros = 0) {
    Magnitude m(zeros, 0);
    m.insert(m.end(), digits.rbegin(), digits.rend());
    return m;
}

std::string digits_of(const Magnitude& m) { return std::string(m.rbegin(), m.rend()); }

// The wide sum's coefficient stays below 10^36, so a term below 10^36 can always be added.
constexpr size_t kWideDigits = 36;

template <typename Number>
Number power_of_ten(size_t n) {
    Number power = 1;
    for (size_t i = 0; i < n; ++i)
        power *= 10;
    return power;
}

// Exponents beyond this say nothing a double could hold; clamping them keeps a typed
// "1e-999999999" from costing memory.
constexpr int64_t kExponentLimit = 100000;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

int compare(const Magnitude& a, const Magnitude& b) {
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    for (size_t i = a.size(); i-- > 0;) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

Magnitude add(const Magnitude& a, const Magnitude& b) {
    Magnitude sum;
    int carry = 0;
    for (size_t i = 0; i < std::max(a.size(), b.size()) || carry; ++i) {
        int digit = carry + (i < a.size() ? a[i] : 0) + (i < b.size() ? b[i] : 0);
        sum.push_back(static_cast<uint8_t>(digit % 10));
        carry = digit / 10;
    }
    return sum;
}

// a − b for a ≥ b.
Magnitude subtract(const Magnitude& a, const Magnitude& b) {
    Magnitude difference;
    int borrow = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        int digit = a[i] - borrow - (i < b.size() ? b[i] : 0);
        borrow = digit < 0;
        difference.push_back(static_cast<uint8_t>(digit + (borrow ? 10 : 0)));
    }
    return difference;
}

Magnitude multiply(const Magnitude& a, const Magnitude& b) {
    std::vector<uint32_t> product(a.size() + b.size(), 0);
    for (size_t i = 0; i < a.size(); ++i) {
        for (size_t j = 0; j < b.size(); ++j)
            product[i + j] += a[i] * b[j];
        // Carry as we go, so no column can overflow however long the numbers are.
        for (size_t k = i; k < product.size() - 1 && product[k] >= 10; ++k) {
            product[k + 1] += product[k] / 10;
            product[k] %= 10;
        }
    }
    for (size_t k = 0; k + 1 < product.size(); ++k) {
        product[k + 1] += product[k] / 10;
        product[k] %= 10;
    }
    return Magnitude(product.begin(), product.end());
}

}  // namespace

std::optional<Decimal> Decimal::from_plain(std::string_view text) {
    Decimal d;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        d.negative_ = text[i++] == '-';
    size_t mantissa_digits = 0;
    int64_t fraction_digits = 0;
    bool in_fraction = false;
    for (; i < text.size(); ++i) {
        if (is_digit(text[i])) {
            d.digits_.push_back(static_cast<char>(text[i] - '0'));
            ++mantissa_digits;
            fraction_digits += in_fraction;
        } else if (text[i] == '.' && !in_fraction) {
            in_fraction = true;
        } else {
            break;
        }
    }
    if (mantissa_digits == 0)
        return std::nullopt;
    int64_t exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool exponent_negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            exponent_negative = text[i++] == '-';
        size_t exponent_digits = 0;
        for (; i < text.size() && is_digit(text[i]); ++i, ++exponent_digits)
            exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentLimit);
        if (exponent_digits == 0)
            return std::nullopt;
        if (exponent_negative)
            exponent = -exponent;
    }
    if (i != text.size())
        return std::nullopt;
    d.exponent_ = exponent - fraction_digits;
    d.normalise();
    return d;
}

void Decimal::normalise() {
    digits_.erase(0, std::min(digits_.find_first_not_of('\0'), digits_.size()));
    while (!digits_.empty() && digits_.back() == 0) {
        digits_.pop_back();
        ++exponent_;
    }
    if (digits_.empty()) {
        negative_ = false;
        exponent_ = 0;
    }
}

Decimal Decimal::negated() const {
    Decimal d = *this;
    d.negative_ = !is_zero() && !negative_;
    return d;
}

Decimal operator*(const Decimal& a, const Decimal& b) {
    if (a.is_zero() || b.is_zero())
        return {};
    Decimal product;
    if (a.digits_.size() + b.digits_.size() <= kMachineDigits + 1) {
        // Below 10^19, which a 64-bit number holds.
        product.digits_ = digits_of(machine_value(a.digits_) * machine_value(b.digits_));
    } else {
        product.digits_ = digits_of(multiply(magnitude_of(a.digits_), magnitude_of(b.digits_)));
    }
    product.exponent_ = a.exponent_ + b.exponent_;
    product.negative_ = a.negative_ != b.negative_;
    product.normalise();
    return product;
}

Decimal operator+(const Decimal& a, const Decimal& b) {
    if (a.is_zero())
        return b;
    if (b.is_zero())
        return a;
    // Both coefficients at the smaller exponent.
    const int64_t exponent = std::min(a.exponent_, b.exponent_);
    const size_t a_zeros = static_cast<size_t>(a.exponent_ - exponent);
    const size_t b_zeros = static_cast<size_t>(b.exponent_ - exponent);
    Decimal sum;
    sum.exponent_ = exponent;
    if (std::max(a.digits_.size() + a_zeros, b.digits_.size() + b_zeros) <= kMachineDigits) {
        uint64_t x = machine_value(a.digits_);
        uint64_t y = machine_value(b.digits_);
        for (size_t i = 0; i < a_zeros; ++i)
            x *= 10;
        for (size_t i = 0; i < b_zeros; ++i)
            y *= 10;
        if (a.negative_ == b.negative_) {
            sum.digits_ = digits_of(x + y);
            sum.negative_ = a.negative_;
        } else {
            sum.digits_ = digits_of(x >= y ? x - y : y - x);
            sum.negative_ = x >= y ? a.negative_ : b.negative_;
        }
        sum.normalise();
        return sum;
    }
    const Magnitude x = magnitude_of(a.digits_, a_zeros);
    const Magnitude y = magnitude_of(b.digits_, b_zeros);
    Magnitude digits;
    if (a.negative_ == b.negative_) {
        digits = add(x, y);
        sum.negative_ = a.negative_;
    } else if (compare(x, y) >= 0) {
        digits = subtract(x, y);
        sum.negative_ = a.negative_;
    } else {
        digits = subtract(y, x);
        sum.negative_ = b.negative_;
    }
    sum.digits_ = digits_of(digits);
    sum.normalise();
    return sum;
}

Decimal operator-(const Decimal& a, const Decimal& b) { return a + b.negated(); }

double Decimal::to_double() const {
    if (is_zero())
        return 0;
    // The decimal exponent of the leading digit decides the range before any conversion.
    const int64_t leading = exponent_ + static_cast<int64_t>(digits_.size()) - 1;
    if (leading > 400)
        return negative_ ? -HUGE_VAL : HUGE_VAL;
    if (leading < -400)
        return 0;
    // Most numbers have few digits: convert them without the library's general reader.
    if (digits_.size() <= 15 && exponent_ >= -22 && exponent_ <= 22) {
        const double coefficient = static_cast<double>(machine_value(digits_));
        // Exact: the coefficient and the power of ten (10^22 at most) are both exact doubles, so
        // the one rounding of the product or quotient gives the nearest double.
        const auto power = power_of_ten<double>(static_cast<size_t>(std::abs(exponent_)));
        const double magnitude = exponent_ >= 0 ? coefficient * power : coefficient / power;
        return negative_ ? -magnitude : magnitude;
    }
    std::string text = negative_ ? "-" : "";
    const size_t shown = std::min<size_t>(digits_.size(), 40);
    for (size_t i = 0; i < shown; ++i)
        text += static_cast<char>('0' + digits_[i]);
    text += "e" + std::to_string(exponent_ + static_cast<int64_t>(digits_.size() - shown));
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(text.c_str(), nullptr, c_locale);
}

std::string Decimal::fixed(int decimals, DecimalSeparator separator) const {
    // The magnitude times 10^decimals, rounded halves away from zero to a whole number.
    std::string whole;
    const int64_t scale = exponent_ + decimals;
    if (scale >= 0) {
        whole.reserve(digits_.size() + static_cast<size_t>(scale));
        for (char digit : digits_)
            whole += static_cast<char>('0' + digit);
        whole.append(static_cast<size_t>(scale), '0');
    } else {
        const int64_t kept = static_cast<int64_t>(digits_.size()) + scale;
        for (int64_t i = 0; i < kept; ++i)
            whole += static_cast<char>('0' + digits_[i]);
        const bool round_up = kept >= 0 && digits_[kept] >= 5;
        if (round_up) {
            size_t i = whole.size();
            while (i > 0 && whole[i - 1] == '9')
                whole[--i] = '0';
            if (i == 0) {
                whole.insert(whole.begin(), '1');
            } else {
                ++whole[i - 1];
            }
        }
    }
    const size_t first = std::min(whole.find_first_not_of('0'), whole.size());
    const size_t significant = whole.size() - first;
    // Zeros before the significant digits make up at least one digit before the separator.
    const auto shown_decimals = static_cast<size_t>(decimals);
    const size_t width = std::max(significant, shown_decimals + 1);
    const size_t zeros = width - significant;
    std::string text;
    text.reserve(width + 2);
    if (negative_ && significant > 0)
        text += '-';
    for (size_t i = 0; i < width; ++i) {
        if (decimals > 0 && i == width - shown_decimals)
            text += separator.character;
        text += i < zeros ? '0' : whole[first + i - zeros];
    }
    return text;
}

void DecimalSum::add(const Decimal& term) {
    if (term.is_zero())
        return;
    if (term.digits_.size() > kMachineDigits) {
        rest_ = rest_ + term;
        return;
    }
    if (coefficient_ == 0)
        exponent_ = term.exponent_;
    Wide value = machine_value(term.digits_);
    static const Wide kLimit = power_of_ten<Wide>(kWideDigits);
    if (term.exponent_ < exponent_) {
        // The sum so far moves to the term's exponent, when it has room for the zeros.
        const auto zeros = static_cast<size_t>(std::min<int64_t>(exponent_ - term.exponent_, 40));
        if (zeros >= kWideDigits)
            spill();
        else if (const Wide scale = power_of_ten<Wide>(zeros);
                 coefficient_ > kLimit / scale || coefficient_ < -kLimit / scale)
            spill();
        else
            coefficient_ *= scale;
        exponent_ = term.exponent_;
    } else if (term.exponent_ > exponent_) {
        const int64_t zeros = term.exponent_ - exponent_;
        if (zeros > static_cast<int64_t>(kWideDigits - kMachineDigits)) {
            rest_ = rest_ + term;
            return;
        }
        value *= power_of_ten<Wide>(static_cast<size_t>(zeros));
    }
    coefficient_ += term.negative_ ? -value : value;
    if (coefficient_ > kLimit || coefficient_ < -kLimit)
        spill();
}

void DecimalSum::spill() {
    Decimal part;
    part.negative_ = coefficient_ < 0;
    for (Wide magnitude = part.negative_ ? -coefficient_ : coefficient_; magnitude > 0;
         magnitude /= 10)
        part.digits_.insert(part.digits_.begin(), static_cast<char>(magnitude % 10));
    part.exponent_ = exponent_;
    part.normalise();
    rest_ = rest_ + part;
    coefficient_ = 0;
}

Decimal DecimalSum::value() const {
    DecimalSum copy = *this;
    copy.spill();
    return copy.rest_;
}

}  // namespace humo::numbers
