#include "calculator_fixture.h"

namespace humo::calculator {
namespace {

using Strings = std::vector<std::string>;

TEST_F(CalculatorTest, ALandUseTypeWithoutDataResetsToLongTermCultivated) {
    site("Atlantis", "Warm");
    pick(c.system2, "Set aside");
    const Strings to_before = to_system();
    pick(c.system1, "Paddy rice");
    // The message, the reset and its management systems: the land_use_and_grassland scenario.
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_EQ(c.Input1.items(), (Strings{"Low", "Medium"}));
    EXPECT_EQ(to_system(), to_before);
}

TEST_F(CalculatorTest, ARegionWithoutLandUseTypesIsReported) {
    site("Borduria", "Bare");
    EXPECT_EQ(messages(), (Strings{error_box(3021, kNoCurrentRecord, "Recordset")}));
    EXPECT_TRUE(c.system1.enabled());
    EXPECT_EQ(c.system1.list_count(), 0);
    EXPECT_EQ(c.carbon_stock.text(), "12");
}

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
