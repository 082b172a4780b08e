// The change as CO2 in an inventory's sign, worked out by hand: −change × 44/12.

#include <gtest/gtest.h>

#include "carbon_arithmetic.h"

namespace humo::engine {
namespace {

TEST(Co2, EmissionsArePositiveAndHalvesRoundAwayFromZeroOnTheExactValue) {
    const std::pair<const char*, const char*> cases[] = {
        {"1.16", "-4.25"},    // −4.2533…
        {"0.015", "-0.06"},   // −0.055 exactly: a half
        {"-0.015", "0.06"},   // 0.055
        {"-0.0149", "0.05"},  // 0.05463…
        {"0.4", "-1.47"},     // −1.4666…
        {"-2.675", "9.81"},   // 9.80833…
        {"3", "-11.00"},
        {"0.001", "0.00"},  // −0.00366…: no minus sign on zero
        {"0", "0.00"},
        {"-272.727", "1000.00"},  // 999.999
        {"12345.6", "-45267.20"},
    };
    for (const auto& [change, co2] : cases)
        EXPECT_EQ(co2_text(*numbers::Decimal::from_plain(change), {'.'}), co2) << change;
    EXPECT_EQ(co2_text(*numbers::Decimal::from_plain("1.16"), {','}), "-4,25");
}

}  // namespace
}  // namespace humo::engine
