#include <gtest/gtest.h>

#include <cmath>

#include "decimal.h"
#include "number_text.h"

namespace humo::numbers {
namespace {

const DecimalSeparator kPoint{'.'};
const DecimalSeparator kComma{','};

TEST(GeneralText, WritesStoredNumbersAsTheDatabaseHoldsThem) {
    EXPECT_EQ(general_text(95, kPoint), "95");
    EXPECT_EQ(general_text(12.5, kPoint), "12.5");
    EXPECT_EQ(general_text(-999, kPoint), "-999");
    EXPECT_EQ(general_text(0.69, kPoint), "0.69");
    EXPECT_EQ(general_text(1.11, kPoint), "1.11");
    EXPECT_EQ(general_text(0, kPoint), "0");
    EXPECT_EQ(general_text(-0.0, kPoint), "0");
    EXPECT_EQ(general_text(0.0001, kPoint), "0.0001");
    EXPECT_EQ(general_text(123456789012345, kPoint), "123456789012345");
    EXPECT_EQ(general_text(0.1 + 0.2, kPoint), "0.3");  // 15 significant digits
    // An exponent only for extreme magnitudes, and the program's decimal separator.
    EXPECT_EQ(general_text(1e15, kPoint), "1E+15");
    EXPECT_EQ(general_text(0.00001, kPoint), "1E-05");
    EXPECT_EQ(general_text(-1.5e-7, kPoint), "-1.5E-07");
    EXPECT_EQ(general_text(0.69, kComma), "0,69");
    EXPECT_EQ(general_text(-999, kComma), "-999");
}

Decimal decimal(const char* plain) { return Decimal::from_plain(plain).value(); }

std::string fixed(const char* plain, int decimals, DecimalSeparator separator = kPoint) {
    return decimal(plain).fixed(decimals, separator);
}

TEST(Decimal, RoundsHalvesAwayFromZeroAtTheLastShownPlace) {
    EXPECT_EQ(fixed("0.615", 2), "0.62");
    EXPECT_EQ(fixed("26.25", 1), "26.3");
    EXPECT_EQ(fixed("0.125", 2), "0.13");
    EXPECT_EQ(fixed("-0.615", 2), "-0.62");
    EXPECT_EQ(fixed("26.22", 1), "26.2");
    EXPECT_EQ(fixed("38.456", 1), "38.5");
    EXPECT_EQ(fixed("9.96", 1), "10.0");
    EXPECT_EQ(fixed("99.995", 2), "100.00");
    EXPECT_EQ(fixed("0.005", 2), "0.01");
    EXPECT_EQ(fixed("0.935", 2), "0.94");  // a double would hold 0.93499999999999994
    EXPECT_EQ(fixed("0.9349999", 2), "0.93");
    EXPECT_EQ(fixed("0.5", 0), "1");
}

TEST(Decimal, AlwaysShowsTheDecimals) {
    EXPECT_EQ(fixed("40", 1), "40.0");
    EXPECT_EQ(fixed("1", 2), "1.00");
    EXPECT_EQ(fixed("0", 1), "0.0");
    EXPECT_EQ(fixed("0.0004", 2), "0.00");
    EXPECT_EQ(fixed("0.05", 2), "0.05");
    EXPECT_EQ(fixed("1234567.25", 1), "1234567.3");
    EXPECT_EQ(fixed("12e3", 1), "12000.0");
    EXPECT_EQ(fixed("1e-9", 2), "0.00");
    EXPECT_EQ(fixed("26.25", 1, kComma), "26,3");
}

TEST(Decimal, ShowsNoMinusSignOnAResultThatRoundsToZero) {
    EXPECT_EQ(fixed("-0.04", 1), "0.0");
    EXPECT_EQ(fixed("-0.004", 2), "0.00");
    EXPECT_EQ(fixed("-0", 2), "0.00");
    EXPECT_EQ(fixed("-0.005", 2), "-0.01");
}

TEST(Decimal, ComputesExactlyAsByHand) {
    EXPECT_EQ(decimal("0.69") * decimal("38"), decimal("26.22"));
    EXPECT_EQ(decimal("38") * decimal("1.1") * decimal("0.92"), decimal("38.456"));
    EXPECT_EQ(decimal("114.6") - decimal("95.9"), decimal("18.7"));
    EXPECT_EQ(decimal("95.9") - decimal("114.6"), decimal("-18.7"));
    EXPECT_EQ(decimal("-2.5") + decimal("2.5"), decimal("0"));
    EXPECT_EQ(decimal("-1.25") - decimal("-1.5"), decimal("0.25"));
    EXPECT_EQ(decimal("-3") * decimal("-0.5"), decimal("1.5"));
    EXPECT_EQ(decimal("99.99") + decimal("0.01"), decimal("100"));
    EXPECT_EQ(decimal("1000") - decimal("0.001"), decimal("999.999"));
    EXPECT_EQ(decimal("12345678901234567890") * decimal("98765432109876543210"),
              decimal("1219326311370217952237463801111263526900"));
    EXPECT_TRUE((decimal("0.000") * decimal("5")).is_zero());
    // Numbers too long for a machine word take the long way, with the same results.
    EXPECT_EQ(decimal("99999999999999999999") + decimal("1"), decimal("1e20"));
    EXPECT_EQ(decimal("0.1") - decimal("12345678901234567890.1"), decimal("-12345678901234567890"));
    EXPECT_EQ(decimal("-12345678901234567890.5") + decimal("0.5"),
              decimal("-12345678901234567890"));
    EXPECT_EQ(decimal("1e17") - decimal("1e-2"), decimal("99999999999999999.99"));
    EXPECT_EQ(decimal("999999999") * decimal("9999999999"), decimal("9999999989000000001"));
}

TEST(Decimal, ReadsOnlyPlainNumbers) {
    EXPECT_EQ(decimal("+1.5e2"), decimal("150"));
    EXPECT_EQ(decimal(".5"), decimal("0.50"));
    EXPECT_EQ(decimal("5."), decimal("5"));
    EXPECT_EQ(decimal("1E-2"), decimal("0.01"));
    for (const char* text : {"", "-", ".", "e5", "1e", "1e+", "1.2.3", " 1", "1 ", "0x10", "1,5"})
        EXPECT_FALSE(Decimal::from_plain(text)) << text;
}

TEST(Decimal, KnowsWhenADoubleCannotHoldIt) {
    EXPECT_DOUBLE_EQ(decimal("26.22").to_double(), 26.22);
    EXPECT_DOUBLE_EQ(decimal("-1.5e-3").to_double(), -0.0015);
    EXPECT_TRUE(std::isinf(decimal("1e309").to_double()));
    EXPECT_TRUE(std::isinf(decimal("-1e999999999999").to_double()));
    EXPECT_FALSE(std::isinf(decimal("1.7e308").to_double()));
    EXPECT_EQ(decimal("1e-999999999999").to_double(), 0);
}

TEST(StrictReading, ReadsNumbersWithBlanksAround) {
    EXPECT_EQ(strict_decimal("38", kPoint), decimal("38"));
    EXPECT_EQ(strict_decimal(" 0.69 ", kPoint), decimal("0.69"));
    EXPECT_EQ(strict_decimal("\t-999", kPoint), decimal("-999"));
    EXPECT_EQ(strict_decimal("+1.5e2", kPoint), decimal("150"));
    EXPECT_EQ(strict_decimal("1.5D2", kPoint), decimal("150"));
    EXPECT_EQ(strict_decimal(".5", kPoint), decimal("0.5"));
    EXPECT_EQ(strict_decimal("0,69", kComma), decimal("0.69"));
}

TEST(StrictReading, GivesNothingForAnythingElse) {
    for (const char* text : {"", "   ", "abc", "1.2.3", "12x", "1 2", "0,69", "-", ".", "1e"})
        EXPECT_FALSE(strict_decimal(text, kPoint)) << text;
    EXPECT_FALSE(strict_decimal("0.69", kComma));
}

TEST(LeadingNumber, TakesTheLongestLeadingNumberAndIgnoresBlanks) {
    EXPECT_DOUBLE_EQ(leading_number(" 1 2.5x", kPoint), 12.5);
    EXPECT_DOUBLE_EQ(leading_number("abc", kPoint), 0);
    EXPECT_DOUBLE_EQ(leading_number("", kPoint), 0);
    EXPECT_DOUBLE_EQ(leading_number("-999", kPoint), -999);
    EXPECT_DOUBLE_EQ(leading_number("38.5 MgC", kPoint), 38.5);
    EXPECT_DOUBLE_EQ(leading_number("1e3x", kPoint), 1000);
    EXPECT_DOUBLE_EQ(leading_number("1e", kPoint), 1);
    EXPECT_DOUBLE_EQ(leading_number("\t-\n2", kPoint), -2);
    EXPECT_DOUBLE_EQ(leading_number("26.2", kComma), 26);
}

TEST(LeadingNumber, ReadsNumbersWrittenWithACommaInFull) {
    EXPECT_DOUBLE_EQ(leading_number("38,5", kComma), 38.5);
    EXPECT_DOUBLE_EQ(leading_number(fixed("-26.2", 1, kComma), kComma), -26.2);
    EXPECT_EQ(leading_decimal("26,2 MgC", kComma), decimal("26.2"));
    EXPECT_EQ(leading_decimal("no number", kPoint), decimal("0"));
}

}  // namespace
}  // namespace humo::numbers
