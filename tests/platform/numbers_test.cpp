#include <gtest/gtest.h>

#include "failure.h"
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
}

TEST(GeneralText, UsesAnExponentOnlyForExtremeMagnitudes) {
    EXPECT_EQ(general_text(1e15, kPoint), "1E+15");
    EXPECT_EQ(general_text(0.00001, kPoint), "1E-05");
    EXPECT_EQ(general_text(-1.5e-7, kPoint), "-1.5E-07");
}

TEST(GeneralText, WritesTheProgramsDecimalSeparator) {
    EXPECT_EQ(general_text(0.69, kComma), "0,69");
    EXPECT_EQ(general_text(-999, kComma), "-999");
}

TEST(FormatFixed, RoundsHalvesAwayFromZeroAtTheLastShownPlace) {
    EXPECT_EQ(format_fixed(0.615, 2, kPoint), "0.62");  // the nearest double lies below 0.615
    EXPECT_EQ(format_fixed(26.25, 1, kPoint), "26.3");
    EXPECT_EQ(format_fixed(0.125, 2, kPoint), "0.13");
    EXPECT_EQ(format_fixed(-0.615, 2, kPoint), "-0.62");
    EXPECT_EQ(format_fixed(26.22, 1, kPoint), "26.2");
    EXPECT_EQ(format_fixed(38.456, 1, kPoint), "38.5");
    EXPECT_EQ(format_fixed(9.96, 1, kPoint), "10.0");
    EXPECT_EQ(format_fixed(99.995, 2, kPoint), "100.00");
    EXPECT_EQ(format_fixed(0.005, 2, kPoint), "0.01");
}

TEST(FormatFixed, AlwaysShowsTheDecimals) {
    EXPECT_EQ(format_fixed(40, 1, kPoint), "40.0");
    EXPECT_EQ(format_fixed(1, 2, kPoint), "1.00");
    EXPECT_EQ(format_fixed(0, 1, kPoint), "0.0");
    EXPECT_EQ(format_fixed(0.0004, 2, kPoint), "0.00");
    EXPECT_EQ(format_fixed(1234567.25, 1, kPoint), "1234567.3");
    EXPECT_EQ(format_fixed(26.25, 1, kComma), "26,3");
}

TEST(FormatFixed, ShowsNoMinusSignOnAResultThatRoundsToZero) {
    EXPECT_EQ(format_fixed(-0.04, 1, kPoint), "0.0");
    EXPECT_EQ(format_fixed(-0.004, 2, kPoint), "0.00");
    EXPECT_EQ(format_fixed(-0.0, 2, kPoint), "0.00");
    EXPECT_EQ(format_fixed(-0.005, 2, kPoint), "-0.01");
}

TEST(StrictReading, ReadsNumbersWithBlanksAround) {
    EXPECT_DOUBLE_EQ(strict_reading("38", kPoint), 38);
    EXPECT_DOUBLE_EQ(strict_reading(" 0.69 ", kPoint), 0.69);
    EXPECT_DOUBLE_EQ(strict_reading("-999", kPoint), -999);
    EXPECT_DOUBLE_EQ(strict_reading("+1.5e2", kPoint), 150);
    EXPECT_DOUBLE_EQ(strict_reading(".5", kPoint), 0.5);
    EXPECT_DOUBLE_EQ(strict_reading("0,69", kComma), 0.69);
}

TEST(StrictReading, FailsWithTypeMismatchOnAnythingElse) {
    for (const char* text : {"", "   ", "abc", "1.2.3", "12x", "1 2", "0,69", "-", "."}) {
        try {
            strict_reading(text, kPoint);
            ADD_FAILURE() << "read '" << text << "'";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.number(), 13) << text;
            EXPECT_EQ(failure.description(), "Type mismatch");
        }
    }
    EXPECT_THROW(strict_reading("0.69", kComma), Failure);
}

TEST(StrictReading, FailsWithOverflowBeyondTheRangeOfADouble) {
    try {
        strict_reading("1e999", kPoint);
        ADD_FAILURE();
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), 6);
    }
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
    EXPECT_DOUBLE_EQ(leading_number(format_fixed(-26.2, 1, kComma), kComma), -26.2);
}

}  // namespace
}  // namespace humo::numbers
