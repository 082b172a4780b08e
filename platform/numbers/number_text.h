#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "decimal.h"
#include "decimal_separator.h"

namespace humo::numbers {

// The general text form of a number: up to 15 significant digits, no trailing zeros, no
// thousands separators, an integral value without a decimal point (95, 12.5, -999).
// Very large or very small magnitudes use an exponent (1E+15, 1E-05).
std::string general_text(double value, DecimalSeparator separator);

// The strict reading: blanks around the number are allowed; anything else that is not a
// number in the separator's convention, the empty text included, gives nothing.
std::optional<Decimal> strict_decimal(std::string_view text, DecimalSeparator separator);

// The leading-number reading: blanks, tabs and line feeds are ignored wherever they stand, the
// longest leading decimal number is taken and the rest ignored; no number reads as 0. Never
// fails. The decimal separator is the one the program writes numbers with, so a number this
// program wrote is read back in full.
Decimal leading_decimal(std::string_view text, DecimalSeparator separator);
double leading_number(std::string_view text, DecimalSeparator separator);

}  // namespace humo::numbers
