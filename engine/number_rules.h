#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "decimal.h"
#include "decimal_separator.h"

namespace humo::engine {

// What a stock, a factor, an order or an area may be, wherever it is typed or stored: a finite
// number, not negative (not even -0), that a stored double holds as typed (not 1e-400, which
// would become 0). -999 only where it means "no data".
enum class NumberProblem { kNone, kEmpty, kNotANumber, kNotFinite, kTooSmall, kNegative };

struct CheckedNumber {
    NumberProblem problem = NumberProblem::kNone;
    numbers::Decimal value;
};

// Reads a number as the user wrote it (strictly, in the program's decimal convention) and says
// what is wrong with it, if anything.
CheckedNumber check_number(std::string_view text, numbers::DecimalSeparator separator,
                           bool no_data_allowed);

// The same rule for a number as a table stores it.
NumberProblem check_stored(double value, bool no_data_allowed);

// How a message goes on after naming the value: "is not a number", "is negative", ...
std::string problem_text(NumberProblem problem, numbers::DecimalSeparator separator,
                         bool no_data_allowed);

// Whether a stored column means "no data" by -999: the reference stocks and the land-use factors.
bool takes_no_data_value(std::string_view table, std::string_view column);

}  // namespace humo::engine
