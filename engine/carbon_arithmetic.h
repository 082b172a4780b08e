#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "decimal.h"
#include "decimal_separator.h"

namespace humo::engine {

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

// A stock as the user may give it: read as a box is, and besides a value that is negative or
// too small to be stored as typed fails with "Type mismatch" saying so.
numbers::Decimal read_stock(const Operand& operand, numbers::DecimalSeparator separator);

// A system's predicted carbon stock, MgC/ha: the exact product of the reference stock (read as a
// stock) and the land-use, management and input factors as written. "Overflow" beyond the
// double range.
numbers::Decimal predicted_stock(const Operand& reference, const Operand& land_use,
                                 const Operand& management, const Operand& input,
                                 numbers::DecimalSeparator separator);

// The annual carbon stock change, MgC/ha/yr: (TO − FROM) / 20 of two stocks given as numbers.
numbers::Decimal annual_change(const numbers::Decimal& from_stock,
                               const numbers::Decimal& to_stock);

// The change computed from the two stocks as shown, read with the leading-number reading.
numbers::Decimal annual_change_of_shown(std::string_view from_shown, std::string_view to_shown,
                                        numbers::DecimalSeparator separator);

// The same change for two stocks shown with one decimal, given in tenths: (to − from) / 2
// hundredths with halves away from zero, which is what the exact path gives for them. Written
// into `text` as change_text writes it, without decimal arithmetic: the batch takes the change of
// most rows this way.
void write_change_of_tenths(int64_t from_tenths, int64_t to_tenths, char separator,
                            std::string& text);
// A stock as stock_text shows it, in tenths, when it has few enough digits that the difference
// of two cannot overflow.
std::optional<int64_t> shown_tenths(std::string_view shown);

// numerator / divisor with `decimals` decimals, halves away from zero on the exact quotient.
std::string quotient_text(const numbers::Decimal& numerator, uint32_t divisor, int decimals,
                          numbers::DecimalSeparator separator);

// Carbon as CO2 in an inventory's sign, emissions positive: −carbon × 44/12, in MgCO2, rounded
// to two decimals with halves away from zero on the exact value (44/12 has no finite decimal, so
// the division is done digit by digit).
std::string co2_text(const numbers::Decimal& carbon, numbers::DecimalSeparator separator);

// The patterns the results are shown with: one decimal for stocks, two for the change.
std::string stock_text(const numbers::Decimal& stock, numbers::DecimalSeparator separator);
std::string change_text(const numbers::Decimal& change, numbers::DecimalSeparator separator);

}  // namespace humo::engine
