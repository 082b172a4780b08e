#pragma once

#include <string>

namespace humo::testing {

// Wide enough for a stock's digits times an area's.
__extension__ using Wide = __int128;

// A number as written, exactly: mantissa × 10^-scale. The tests' own arithmetic, done by hand.
struct Exact {
    Wide mantissa = 0;
    int scale = 0;
};

inline Exact exact(const std::string& text, char separator = '.') {
    Exact value;
    bool negative = false;
    bool fraction = false;
    for (char ch : text) {
        if (ch == '-') {
            negative = true;
        } else if (ch == separator) {
            fraction = true;
        } else {
            value.mantissa = value.mantissa * 10 + (ch - '0');
            value.scale += fraction;
        }
    }
    if (negative)
        value.mantissa = -value.mantissa;
    return value;
}

inline Exact times(Exact a, Exact b) { return {a.mantissa * b.mantissa, a.scale + b.scale}; }

inline Exact minus(Exact a, Exact b) {
    while (a.scale < b.scale)
        a.mantissa *= 10, ++a.scale;
    while (b.scale < a.scale)
        b.mantissa *= 10, ++b.scale;
    return {a.mantissa - b.mantissa, a.scale};
}

// The value rounded halves away from zero to `decimals`, written with them and the separator.
inline std::string rounded(Exact value, int decimals, char separator = '.') {
    Wide divisor = 1;
    for (int i = decimals; i < value.scale; ++i)
        divisor *= 10;
    Wide scaled = value.mantissa;
    for (int i = value.scale; i < decimals; ++i)
        scaled *= 10;
    const bool negative = scaled < 0;
    const Wide magnitude = negative ? -scaled : scaled;
    Wide whole = magnitude / divisor;
    if ((magnitude % divisor) * 2 >= divisor)
        ++whole;
    std::string digits;
    for (Wide w = whole; w > 0; w /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(w % 10)));
    while (digits.size() < static_cast<size_t>(decimals) + 1)
        digits.insert(digits.begin(), '0');
    return (negative && whole != 0 ? "-" : "") + digits.substr(0, digits.size() - decimals) +
           separator + digits.substr(digits.size() - decimals);
}

}  // namespace humo::testing
