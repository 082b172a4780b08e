#pragma once

#include <string>
#include <string_view>

namespace humo::numbers {

// The decimal separator in force for the whole program. It is read once at start-up from the
// user's regional settings and passed down explicitly, so tests can run under either policy.
struct DecimalSeparator {
    char character = '.';
};

// The general text form of a number: up to 15 significant digits, no trailing zeros, no
// thousands separators, an integral value without a decimal point (95, 12.5, -999).
// Very large or very small magnitudes use an exponent (1E+15, 1E-05).
std::string general_text(double value, DecimalSeparator separator);

// The strict reading: blanks around the number are allowed; anything else that is not a
// number in the separator's convention (the empty text included) fails with "Type mismatch".
double strict_reading(std::string_view text, DecimalSeparator separator);

// The leading-number reading: blanks, tabs and line feeds are ignored wherever they stand, the
// longest leading decimal number is taken and the rest ignored; no number reads as 0. Never
// fails. The decimal separator is the one the program writes numbers with, so a number this
// program wrote is read back in full.
double leading_number(std::string_view text, DecimalSeparator separator);

// The patterns "0.0" and "0.00": the number is written with 15 significant digits first, then
// rounded at the last shown place with halves away from zero. A result that rounds to zero is
// shown without a minus sign.
std::string format_fixed(double value, int decimals, DecimalSeparator separator);

}  // namespace humo::numbers
