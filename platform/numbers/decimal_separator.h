#pragma once

#include <string_view>

namespace humo::numbers {

// The decimal separator in force for the whole program. It is read once at start-up from the
// user's regional settings and passed down explicitly, so tests can run under either policy.
struct DecimalSeparator {
    char character = '.';
};

// Whether a text can be the decimal separator: one character that cannot be part of a number
// otherwise.
inline bool can_separate_decimals(std::string_view text) {
    return text.size() == 1 &&
           std::string_view("0123456789+-eEdD \t\"\r\n").find(text[0]) == std::string_view::npos;
}

}  // namespace humo::numbers
