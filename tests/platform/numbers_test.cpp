#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "decimal.h"
#include "number_text.h"

namespace humo::numbers {
namespace {

const DecimalSeparator kPoint{'.'};
const DecimalSeparator kComma{','};

// 15 significant digits; an exponent only for extreme magnitudes; the program's separator.
TEST(GeneralText, WritesStoredNumbersAsTheDatabaseHoldsThem) {
    const std::pair<double, const char*> cases[] = {
        {95, "95"},         {12.5, "12.5"},  {-999, "-999"},     {0.69, "0.69"},
        {1.11, "1.11"},     {0, "0"},        {-0.0, "0"},        {0.0001, "0.0001"},
        {0.1 + 0.2, "0.3"}, {1e15, "1E+15"}, {0.00001, "1E-05"}, {-1.5e-7, "-1.5E-07"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(general_text(value, kPoint), text) << value;
    EXPECT_EQ(general_text(123456789012345, kPoint), "123456789012345");
    EXPECT_EQ(general_text(0.69, kComma), "0,69");
    EXPECT_EQ(general_text(-999, kComma), "-999");
}

Decimal decimal(const char* plain) { return Decimal::from_plain(plain).value(); }

std::string fixed(const char* plain, int decimals, DecimalSeparator separator = kPoint) {
    return decimal(plain).fixed(decimals, separator);
}

// Halves round away from zero at the last shown place (0.935, which a double holds as
// 0.93499999999999994, too), the decimals always show, and a result that rounds to zero has no
// minus sign.
TEST(Decimal, RoundsHalvesAwayFromZeroAndAlwaysShowsTheDecimals) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"0.615", 2, "0.62"},   {"26.25", 1, "26.3"},     {"0.125", 2, "0.13"},
        {"-0.615", 2, "-0.62"}, {"26.22", 1, "26.2"},     {"38.456", 1, "38.5"},
        {"9.96", 1, "10.0"},    {"99.995", 2, "100.00"},  {"0.005", 2, "0.01"},
        {"0.935", 2, "0.94"},   {"0.9349999", 2, "0.93"}, {"0.5", 0, "1"},
        {"40", 1, "40.0"},      {"1", 2, "1.00"},         {"0", 1, "0.0"},
        {"0.0004", 2, "0.00"},  {"0.05", 2, "0.05"},      {"1234567.25", 1, "1234567.3"},
        {"12e3", 1, "12000.0"}, {"1e-9", 2, "0.00"},      {"-0.04", 1, "0.0"},
        {"-0.004", 2, "0.00"},  {"-0", 2, "0.00"},        {"-0.005", 2, "-0.01"}};
    for (const auto& [plain, decimals, text] : cases)
        EXPECT_EQ(fixed(plain, decimals), text) << plain;
    EXPECT_EQ(fixed("26.25", 1, kComma), "26,3");
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

// A sum of many terms is the sum by hand, whatever their lengths, signs and exponents, and
// however far it outgrows a machine number.
TEST(Decimal, ASumOfManyTermsIsExact) {
    const char* terms[] = {"327.75",
                           "-0.000000000001",
                           "12345678901234567.5",
                           "1e30",
                           "-26.22",
                           "123456789012345678901234",
                           "0.1234567890123456789",
                           "5e-40",
                           "99999999999999999",
                           "-1e30"};
    DecimalSum sum;
    Decimal by_hand;
    for (int round = 0; round < 1000; ++round) {
        for (const char* term : terms) {
            sum.add(decimal(term));
            by_hand = by_hand + decimal(term);
        }
    }
    EXPECT_EQ(sum.value(), by_hand);
    EXPECT_TRUE(DecimalSum().value().is_zero());
}

TEST(Decimal, ReadsOnlyPlainNumbers) {
    for (const auto& [text, same] :
         {std::pair{"+1.5e2", "150"}, {".5", "0.50"}, {"5.", "5"}, {"1E-2", "0.01"}})
        EXPECT_EQ(decimal(text), decimal(same)) << text;
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

// Blanks around a number are allowed; anything else gives nothing.
TEST(StrictReading, ReadsNumbersWithBlanksAroundAndNothingElse) {
    const std::tuple<const char*, DecimalSeparator, const char*> numbers[] = {
        {"38", kPoint, "38"},      {" 0.69 ", kPoint, "0.69"}, {"\t-999", kPoint, "-999"},
        {"+1.5e2", kPoint, "150"}, {"1.5D2", kPoint, "150"},   {".5", kPoint, "0.5"},
        {"0,69", kComma, "0.69"}};
    for (const auto& [text, separator, value] : numbers)
        EXPECT_EQ(strict_decimal(text, separator), decimal(value)) << text;
    for (const char* text : {"", "   ", "abc", "1.2.3", "12x", "1 2", "0,69", "-", ".", "1e"})
        EXPECT_FALSE(strict_decimal(text, kPoint)) << text;
    EXPECT_FALSE(strict_decimal("0.69", kComma));
}

// The longest leading number, blanks ignored; a number written with a comma is read in full.
TEST(LeadingNumber, TakesTheLongestLeadingNumberAndIgnoresBlanks) {
    const std::tuple<const char*, DecimalSeparator, double> cases[] = {
        {" 1 2.5x", kPoint, 12.5}, {"abc", kPoint, 0},         {"", kPoint, 0},
        {"-999", kPoint, -999},    {"38.5 MgC", kPoint, 38.5}, {"1e3x", kPoint, 1000},
        {"1e", kPoint, 1},         {"\t-\n2", kPoint, -2},     {"26.2", kComma, 26},
        {"38,5", kComma, 38.5}};
    for (const auto& [text, separator, value] : cases)
        EXPECT_DOUBLE_EQ(leading_number(text, separator), value) << text;
    EXPECT_DOUBLE_EQ(leading_number(fixed("-26.2", 1, kComma), kComma), -26.2);
    EXPECT_EQ(leading_decimal("26,2 MgC", kComma), decimal("26.2"));
    EXPECT_EQ(leading_decimal("no number", kPoint), decimal("0"));
}

}  // namespace
}  // namespace humo::numbers
