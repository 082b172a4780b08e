#include "number_rules.h"

#include <cmath>

#include "fixed_names.h"
#include "number_text.h"

namespace humo::engine {

CheckedNumber check_number(std::string_view text, numbers::DecimalSeparator separator,
                           bool no_data_allowed) {
    if (text.find_first_not_of(" \t") == std::string_view::npos)
        return {NumberProblem::kEmpty, {}};
    const std::optional<numbers::Decimal> value = numbers::strict_decimal(text, separator);
    if (!value)
        return {NumberProblem::kNotANumber, {}};
    const double stored = value->to_double();
    if (stored == 0 && !value->is_zero())
        return {NumberProblem::kTooSmall, *value};
    // "-0" reads as a zero without a sign, but was typed as a negative number.
    const bool minus = text.find('-') < text.find_first_of("0123456789");
    return {check_stored(minus ? -std::abs(stored) : stored, no_data_allowed), *value};
}

NumberProblem check_stored(double value, bool no_data_allowed) {
    if (!std::isfinite(value))
        return NumberProblem::kNotFinite;
    if (std::signbit(value) && !(no_data_allowed && value == kNoDataValue))
        return NumberProblem::kNegative;
    return NumberProblem::kNone;
}

std::string problem_text(NumberProblem problem, numbers::DecimalSeparator separator,
                         bool no_data_allowed) {
    switch (problem) {
        case NumberProblem::kNone:
            break;
        case NumberProblem::kEmpty:
            return std::string("is empty: enter a number") +
                   (no_data_allowed ? ", or " + std::string(kNoDataText) + " for no data" : "");
        case NumberProblem::kNotANumber:
            return separator.character == '.'
                       ? "is not a number"
                       : std::string("is not a number (the decimal separator is \"") +
                             separator.character + "\")";
        case NumberProblem::kNotFinite:
            return "is not finite";
        case NumberProblem::kTooSmall:
            return "is too small to be stored as typed";
        case NumberProblem::kNegative:
            return no_data_allowed
                       ? "is negative (" + std::string(kNoDataText) + " alone means no data)"
                       : "is negative";
    }
    return {};
}

bool takes_no_data_value(std::string_view table, std::string_view column) {
    return (table == "c_stocks" && column == "c_stock_Mg_ha") ||
           (table == "tbl_systems" && column == "land_use_factor");
}

}  // namespace humo::engine
