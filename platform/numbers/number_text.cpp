#include "number_text.h"

#include <locale.h>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "failure.h"

namespace humo::numbers {
namespace {

constexpr int kSignificantDigits = 15;

// The value's 15 significant digits and the position of the decimal point within them:
// value = 0.d1d2...d15 × 10^point (the sign kept apart).
struct Decimal {
    bool negative = false;
    std::string digits;
    int point = 0;
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

Decimal to_decimal(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, value);
    Decimal d;
    const char* p = buffer;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    // printf writes the locale's decimal point; only the digits matter here.
    for (; *p != 'e'; ++p) {
        if (is_digit(*p))
            d.digits += *p;
    }
    d.point = std::atoi(p + 1) + 1;
    return d;
}

std::string non_finite_text(double value) {
    if (std::isnan(value))
        return "NaN";
    return value < 0 ? "-Inf" : "Inf";
}

// Reads a plain decimal number whose separator has already been turned into a point, whatever
// locale the process runs under. Overflow gives an infinity, underflow zero.
double to_double(const std::string& text) {
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(text.c_str(), nullptr, c_locale);
}

// Length of the longest prefix of text that is a decimal number: optional sign, digits, an
// optional separator with digits, an optional exponent. Zero when there is no number.
size_t number_prefix_length(std::string_view text, char separator, bool& has_exponent) {
    size_t i = 0;
    has_exponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t mantissa_digits = 0;
    while (i < text.size() && is_digit(text[i]))
        ++i, ++mantissa_digits;
    if (i < text.size() && text[i] == separator) {
        size_t after = i + 1;
        size_t fraction_digits = 0;
        while (after < text.size() && is_digit(text[after]))
            ++after, ++fraction_digits;
        if (mantissa_digits + fraction_digits > 0) {
            i = after;
            mantissa_digits += fraction_digits;
        }
    }
    if (mantissa_digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        size_t exponent_digits = 0;
        while (j < text.size() && is_digit(text[j]))
            ++j, ++exponent_digits;
        if (exponent_digits > 0) {
            i = j;
            has_exponent = true;
        }
    }
    return i;
}

std::string normalised(std::string_view number, char separator, bool has_exponent) {
    std::string plain(number);
    for (char& c : plain) {
        if (c == separator)
            c = '.';
        if (has_exponent && (c == 'd' || c == 'D'))
            c = 'e';
    }
    if (!plain.empty() && plain[0] == '+')
        plain.erase(0, 1);
    return plain;
}

}  // namespace

std::string general_text(double value, DecimalSeparator decimal) {
    const char separator = decimal.character;
    if (!std::isfinite(value))
        return non_finite_text(value);
    if (value == 0)
        return "0";
    Decimal d = to_decimal(value);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();

    std::string text = d.negative ? "-" : "";
    const int exponent = d.point - 1;
    if (exponent >= kSignificantDigits || exponent < -4) {
        text += d.digits[0];
        if (d.digits.size() > 1)
            text += separator + d.digits.substr(1);
        char tail[16];
        std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return text + tail;
    }
    const int digit_count = static_cast<int>(d.digits.size());
    if (d.point <= 0) {
        return text + "0" + separator + std::string(-d.point, '0') + d.digits;
    }
    if (d.point >= digit_count) {
        return text + d.digits + std::string(d.point - digit_count, '0');
    }
    return text + d.digits.substr(0, d.point) + separator + d.digits.substr(d.point);
}

std::string format_fixed(double value, int decimals, DecimalSeparator decimal) {
    const char separator = decimal.character;
    if (!std::isfinite(value))
        return non_finite_text(value);
    Decimal d = to_decimal(value);
    if (value == 0)
        d = Decimal{false, "0", 1};

    // Keep the digits up to the last shown place and round there, halves away from zero.
    const int kept = d.point + decimals;
    std::string digits;
    int point = d.point;
    if (kept < 0) {
        digits = "0";
        point = 1 - decimals;
    } else {
        digits = d.digits.substr(0, std::min<size_t>(kept, d.digits.size()));
        bool round_up = kept < static_cast<int>(d.digits.size()) && d.digits[kept] >= '5';
        digits.resize(kept, '0');
        if (round_up) {
            int i = kept - 1;
            while (i >= 0 && digits[i] == '9')
                digits[i--] = '0';
            if (i >= 0) {
                ++digits[i];
            } else {
                digits.insert(digits.begin(), '1');
                ++point;
            }
        }
        if (digits.empty())
            digits = "0", point = 1 - decimals;
    }

    // digits now holds every digit down to the last shown place; point says where the
    // decimal point goes.
    std::string integer_part;
    std::string fraction;
    if (point <= 0) {
        integer_part = "0";
        fraction = std::string(-point, '0') + digits;
    } else {
        integer_part = digits.substr(0, point);
        fraction = digits.substr(point);
    }
    fraction.resize(decimals, '0');
    size_t first = integer_part.find_first_not_of('0');
    integer_part = first == std::string::npos ? "0" : integer_part.substr(first);

    const bool is_zero =
        integer_part == "0" && fraction.find_first_not_of('0') == std::string::npos;
    std::string text = (d.negative && !is_zero) ? "-" : "";
    text += integer_part;
    if (decimals > 0)
        text += separator + fraction;
    return text;
}

double strict_reading(std::string_view text, DecimalSeparator separator) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        throw failures::type_mismatch();
    const auto last = text.find_last_not_of(" \t");
    std::string_view number = text.substr(first, last - first + 1);
    bool has_exponent = false;
    if (number_prefix_length(number, separator.character, has_exponent) != number.size()) {
        throw failures::type_mismatch();
    }
    double value = to_double(normalised(number, separator.character, has_exponent));
    if (!std::isfinite(value))
        throw failures::overflow();
    return value;
}

double leading_number(std::string_view text, DecimalSeparator separator) {
    std::string packed;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            packed += c;
    }
    bool has_exponent = false;
    size_t length = number_prefix_length(packed, separator.character, has_exponent);
    if (length == 0)
        return 0;
    return to_double(
        normalised(std::string_view(packed).substr(0, length), separator.character, has_exponent));
}

}  // namespace humo::numbers
