#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace humo::numbers {
namespace {

constexpr int kSignificantDigits = 15;

// The value's 15 significant digits and the position of the decimal point within them:
// value = 0.d1d2...d15 × 10^point (the sign kept apart).
struct SignificantDigits {
    bool negative = false;
    std::string digits;
    int point = 0;
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

SignificantDigits significant_digits(double value) {
    char buffer[64];
    // Locale-free and much quicker than printf, which matters: every value read is written.
    *std::to_chars(buffer, buffer + sizeof buffer - 1, value, std::chars_format::scientific,
                   kSignificantDigits - 1)
         .ptr = '\0';
    SignificantDigits d;
    const char* p = buffer;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    // Only the digits matter here, not the point between them.
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
    SignificantDigits d = significant_digits(value);
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

std::optional<Decimal> strict_decimal(std::string_view text, DecimalSeparator separator) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    const auto last = text.find_last_not_of(" \t");
    std::string_view number = text.substr(first, last - first + 1);
    bool has_exponent = false;
    if (number_prefix_length(number, separator.character, has_exponent) != number.size())
        return std::nullopt;
    return Decimal::from_plain(normalised(number, separator.character, has_exponent));
}

Decimal leading_decimal(std::string_view text, DecimalSeparator separator) {
    std::string packed;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            packed += c;
    }
    bool has_exponent = false;
    size_t length = number_prefix_length(packed, separator.character, has_exponent);
    if (length == 0)
        return {};
    return Decimal::from_plain(normalised(std::string_view(packed).substr(0, length),
                                          separator.character, has_exponent))
        .value_or(Decimal{});
}

double leading_number(std::string_view text, DecimalSeparator separator) {
    return leading_decimal(text, separator).to_double();
}

}  // namespace humo::numbers
