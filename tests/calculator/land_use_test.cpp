#include "calculator_fixture.h"

namespace humo::calculator {
namespace {

using Strings = std::vector<std::string>;

TEST_F(CalculatorTest, AMissingLandUseFactorBlanksTheBoxAndGivesTheFocusBack) {
    site("Atlantis", "Warm");
    pick(c.system1, "Orchard");
    pick(c.system1, "Hedgerow");
    EXPECT_EQ(messages(), (Strings{error_box(94, "Invalid use of Null", "humo_tool")}));
    // Orchard's factor must not stand in for Hedgerow's.
    EXPECT_EQ(testing::seen(c.base_factor1), "base_factor1[on] ''");
    EXPECT_EQ(c.Management1.text(), "Does not apply");
    EXPECT_EQ(testing::seen(c.carbon_stock_20yrs_1), "carbon_stock_20yrs_1[off] ''");
    EXPECT_EQ(c.active_control(), &c.system1);
}

}  // namespace
}  // namespace humo::calculator
