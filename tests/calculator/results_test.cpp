#include "calculator_fixture.h"

namespace humo::calculator {
namespace {

using Strings = std::vector<std::string>;

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
