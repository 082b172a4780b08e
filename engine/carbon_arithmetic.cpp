#include "carbon_arithmetic.h"

#include <array>
#include <cmath>

#include "failure.h"
#include "number_rules.h"
#include "number_text.h"

namespace humo::engine {
namespace {

const numbers::Decimal kOneYearShare = *numbers::Decimal::from_plain("0.05");
// The tenths shortcut divides a difference of tenths by 2 to get hundredths: 1 / (10 × kYears).
static_assert(kYears == 20, "kOneYearShare and write_change_of_tenths are 1 / kYears");

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

numbers::Decimal read_stock(const Operand& operand, numbers::DecimalSeparator separator) {
    const CheckedNumber checked = check_number(operand.text, separator, false);
    switch (checked.problem) {
        case NumberProblem::kNone:
            return checked.value;
        case NumberProblem::kEmpty:
        case NumberProblem::kNotANumber:
        case NumberProblem::kNotFinite:
            return read_operand(operand, separator);
        case NumberProblem::kTooSmall:
        case NumberProblem::kNegative:
            break;
    }
    throw Failure(13,
                  std::string(operand.name) + ": \"" + std::string(operand.text) + "\" " +
                      problem_text(checked.problem, separator, false),
                  kRuntimeSource);
}

numbers::Decimal predicted_stock(const Operand& reference, const Operand& land_use,
                                 const Operand& management, const Operand& input,
                                 numbers::DecimalSeparator separator) {
    numbers::Decimal stock = read_stock(reference, separator);
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

void write_change_of_tenths(int64_t from_tenths, int64_t to_tenths, char separator,
                            std::string& text) {
    const int64_t difference = to_tenths - from_tenths;
    const int64_t hundredths = difference / 2 + difference % 2;
    uint64_t magnitude =
        hundredths < 0 ? 0 - static_cast<uint64_t>(hundredths) : static_cast<uint64_t>(hundredths);
    // Written from its end: two decimals, the separator, the whole part and the sign.
    std::array<char, 32> digits;
    char* const end = digits.data() + digits.size();
    char* at = end;
    for (int decimal = 0; decimal < 2; ++decimal, magnitude /= 10)
        *--at = static_cast<char>('0' + magnitude % 10);
    *--at = separator;
    do {
        *--at = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    if (hundredths < 0)
        *--at = '-';
    text.assign(at, end);
}

std::optional<int64_t> shown_tenths(std::string_view shown) {
    const bool negative = shown.starts_with('-');
    if (negative)
        shown.remove_prefix(1);
    constexpr size_t kMostDigits = 17;
    if (shown.size() < 3 || shown.size() > kMostDigits + 1)
        return std::nullopt;
    const size_t separator_at = shown.size() - 2;
    int64_t tenths = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        if (i == separator_at)
            continue;
        if (shown[i] < '0' || shown[i] > '9')
            return std::nullopt;
        tenths = tenths * 10 + (shown[i] - '0');
    }
    return negative ? -tenths : tenths;
}

std::string stock_text(const numbers::Decimal& stock, numbers::DecimalSeparator separator) {
    return stock.fixed(1, separator);
}

std::string change_text(const numbers::Decimal& change, numbers::DecimalSeparator separator) {
    return change.fixed(2, separator);
}

std::string quotient_text(const numbers::Decimal& numerator, uint32_t divisor, int decimals,
                          numbers::DecimalSeparator separator) {
    // Written out with far more decimals than any sum or product of the tables' numbers has,
    // then divided as by hand, digit by digit; the digit after the kept ones rounds.
    constexpr int kExtraDigits = 40;
    const std::string scaled = numerator.fixed(decimals + kExtraDigits, {'.'});
    const bool negative = scaled.starts_with('-');
    std::string quotient;
    uint64_t remainder = 0;
    for (char digit : scaled) {
        if (digit < '0' || digit > '9')
            continue;
        const uint64_t value = remainder * 10 + static_cast<uint64_t>(digit - '0');
        quotient += static_cast<char>('0' + value / divisor);
        remainder = value % divisor;
    }
    const bool round_up = quotient[quotient.size() - kExtraDigits] >= '5';
    quotient.resize(quotient.size() - kExtraDigits);
    if (round_up) {
        size_t i = quotient.size();
        while (i > 0 && quotient[i - 1] == '9')
            quotient[--i] = '0';
        if (i == 0)
            quotient.insert(quotient.begin(), '1');
        else
            ++quotient[i - 1];
    }
    quotient.erase(0, std::min(quotient.find_first_not_of('0'), quotient.size()));
    const bool zero = quotient.empty();
    if (quotient.size() < static_cast<size_t>(decimals) + 1)
        quotient.insert(0, static_cast<size_t>(decimals) + 1 - quotient.size(), '0');
    std::string text = negative && !zero ? "-" : "";
    text += quotient.substr(0, quotient.size() - static_cast<size_t>(decimals));
    if (decimals > 0)
        text +=
            separator.character + quotient.substr(quotient.size() - static_cast<size_t>(decimals));
    return text;
}

std::string co2_text(const numbers::Decimal& carbon, numbers::DecimalSeparator separator) {
    // CO2 is 44/12 = 11/3 times the carbon, and carbon gained is CO2 removed: the sign turns.
    static const numbers::Decimal kCo2PerCarbonTurned = *numbers::Decimal::from_plain("-11");
    return quotient_text(carbon * kCo2PerCarbonTurned, 3, 2, separator);
}

}  // namespace humo::engine
