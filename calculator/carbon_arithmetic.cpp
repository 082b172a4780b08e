#include "carbon_arithmetic.h"

#include <cmath>

#include "failure.h"
#include "number_text.h"

namespace humo::calculator {
namespace {

const numbers::Decimal kOneYearShare = *numbers::Decimal::from_plain("0.05");
static_assert(kYears == 20, "kOneYearShare is 1 / kYears");

numbers::Decimal in_range(const numbers::Decimal& value) {
    if (std::isinf(value.to_double()))
        throw failures::overflow();
    return value;
}

}  // namespace

numbers::Decimal read_operand(const Operand& operand, numbers::DecimalSeparator separator) {
    auto value = numbers::strict_decimal(operand.text, separator);
    if (!value) {
        throw Failure(
            13,
            std::string(operand.name) + ": \"" + std::string(operand.text) + "\" is not a number",
            kRuntimeSource);
    }
    return in_range(*value);
}

numbers::Decimal predicted_stock(const Operand& reference, const Operand& land_use,
                                 const Operand& management, const Operand& input,
                                 numbers::DecimalSeparator separator) {
    numbers::Decimal stock = read_operand(reference, separator);
    for (const Operand* factor : {&land_use, &management, &input})
        stock = in_range(stock * read_operand(*factor, separator));
    return stock;
}

numbers::Decimal annual_change(const numbers::Decimal& from_stock,
                               const numbers::Decimal& to_stock) {
    return in_range((to_stock - from_stock) * kOneYearShare);
}

numbers::Decimal annual_change_of_shown(std::string_view from_shown, std::string_view to_shown,
                                        numbers::DecimalSeparator separator) {
    return annual_change(numbers::leading_decimal(from_shown, separator),
                         numbers::leading_decimal(to_shown, separator));
}

std::string stock_text(const numbers::Decimal& stock, numbers::DecimalSeparator separator) {
    return stock.fixed(1, separator);
}

std::string change_text(const numbers::Decimal& change, numbers::DecimalSeparator separator) {
    return change.fixed(2, separator);
}

}  // namespace humo::calculator
