#pragma once

namespace humo::numbers {

// The decimal separator in force for the whole program. It is read once at start-up from the
// user's regional settings and passed down explicitly, so tests can run under either policy.
struct DecimalSeparator {
    char character = '.';
};

}  // namespace humo::numbers
