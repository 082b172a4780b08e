#pragma once

#include <string>
#include <string_view>

#include "decimal.h"
#include "decimal_separator.h"

namespace humo::calculator {

// The years over which the predicted stocks are reached.
inline constexpr int kYears = 20;

// A number as written in a box, with the name the box is known by, for messages. Both texts
// must outlive the computation.
struct Operand {
    std::string_view name;
    std::string_view text;
};

// The strict reading of a box: a text that is not a number fails with "Type mismatch" naming
// the box and the text; a magnitude beyond the double range fails with "Overflow".
numbers::Decimal read_operand(const Operand& operand, numbers::DecimalSeparator separator);

// A system's predicted carbon stock, MgC/ha: the exact product of the reference stock and the
// land-use, management and input factors as written. "Overflow" beyond the double range.
numbers::Decimal predicted_stock(const Operand& reference, const Operand& land_use,
                                 const Operand& management, const Operand& input,
                                 numbers::DecimalSeparator separator);

// The annual carbon stock change, MgC/ha/yr: (TO − FROM) / 20 of two stocks given as numbers.
numbers::Decimal annual_change(const numbers::Decimal& from_stock,
                               const numbers::Decimal& to_stock);

// The change computed from the two stocks as shown, read with the leading-number reading.
numbers::Decimal annual_change_of_shown(std::string_view from_shown, std::string_view to_shown,
                                        numbers::DecimalSeparator separator);

// The patterns the results are shown with: one decimal for stocks, two for the change.
std::string stock_text(const numbers::Decimal& stock, numbers::DecimalSeparator separator);
std::string change_text(const numbers::Decimal& change, numbers::DecimalSeparator separator);

}  // namespace humo::calculator
