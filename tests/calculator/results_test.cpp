#include "calculator_fixture.h"

namespace humo::calculator {
namespace {

using Strings = std::vector<std::string>;

// Typed factors make the stocks land on the rounding edges; a re-pick recomputes.
TEST_F(CalculatorTest, ResultsAreRoundedHalvesAwayFromZero) {
    worked_example();
    auto recompute_from = [this] {
        pick(c.Input1, "Low");
        pick(c.Input1, "Medium");
    };
    type(c.carbon_stock, "105");
    type(c.base_factor1, "0.25");
    recompute_from();
    EXPECT_EQ(c.carbon_stock_20yrs_1.text(), "26.3");  // 26.25

    type(c.carbon_stock, "40");
    type(c.base_factor1, "1");
    recompute_from();
    EXPECT_EQ(c.carbon_stock_20yrs_1.text(), "40.0");

    type(c.base_factor2, "1.0625");
    type(c.management_factor2, "1");
    pick(c.Input2, "Medium");
    EXPECT_EQ(c.carbon_stock_20yrs_2.text(), "42.5");
    EXPECT_EQ(c.Sequestration_Potential.text(), "0.13");  // 0.125

    type(c.base_factor2, "1.5");
    pick(c.Input2, "Low");
    pick(c.Input2, "Medium");
    EXPECT_EQ(c.carbon_stock_20yrs_2.text(), "60.0");
    EXPECT_EQ(c.Sequestration_Potential.text(), "1.00");
}

TEST_F(CalculatorTest, AStockThatRoundsToZeroFromBelowShowsNoMinusSign) {
    worked_example();
    type(c.base_factor1, "-0.001");
    pick(c.Input1, "Low");
    pick(c.Input1, "Medium");  // 38 × −0.001 = −0.038
    EXPECT_EQ(c.carbon_stock_20yrs_1.text(), "0.0");
}

// A typed value the results cannot use blanks them quietly while typing; the next pick that
// recomputes says why.
TEST_F(CalculatorTest, ATypedValueTheResultsCannotUseBlanksThemAndTheNextPickSaysWhy) {
    struct Case {
        forms::TextBox frmmaster::*box;
        const char* typed;
        const char* reason;
        const char* to_stock;
    };
    for (const Case& t :
         {Case{&frmmaster::base_factor1, "abc", "FROM Land Use Factor: \"abc\" is not a number",
               "38.5"},
          Case{&frmmaster::carbon_stock, "-5", "Existing Carbon Stock: \"-5\" is negative", ""}}) {
        worked_example();
        session.host.messages.clear();
        type(c.*t.box, t.typed);
        EXPECT_TRUE(messages().empty()) << t.typed;
        EXPECT_EQ(c.carbon_stock_20yrs_1.text(), "") << t.typed;
        EXPECT_EQ(c.carbon_stock_20yrs_2.text(), t.to_stock) << t.typed;
        EXPECT_EQ(testing::seen(c.Sequestration_Potential), "Sequestration_Potential[off] ''");
        EXPECT_FALSE(c.Sequestration_Potential_label.enabled());
        pick(c.Input1, "Low");
        EXPECT_EQ(messages(), (Strings{error_box(13, t.reason, "humo_tool")}));
        EXPECT_EQ(testing::seen(c.carbon_stock_20yrs_1), "carbon_stock_20yrs_1[on] ''");
        EXPECT_EQ(c.active_control(), &c.Input1);
    }
}

}  // namespace
}  // namespace humo::calculator
