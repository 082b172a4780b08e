#include "calculator_fixture.h"

namespace humo::calculator {
namespace {

using Strings = std::vector<std::string>;

TEST_F(CalculatorTest, OnlyGrasslandSpelledExactlyUsesTheGrasslandFactors) {
    site("Atlantis", "Warm");
    pick(c.system1, "Grassland");
    pick(c.Management1, "Nominally managed");
    EXPECT_EQ(c.management_factor1.text(), "1");

    pick(c.system1, "Grassland ");  // a trailing blank makes it another land-use type
    pick(c.Management1, "Nominally managed");
    EXPECT_EQ(c.management_factor1.text(), "0.95");
    EXPECT_EQ(c.Input1.items(), (Strings{"Low"}));

    site("Atlantis", "Cool");
    pick(c.system1, "grassland");
    pick(c.Management1, "Nominally managed");
    EXPECT_EQ(c.management_factor1.text(), "0.9");
}

TEST_F(CalculatorTest, OtherGrasslandManagementFixesTheInputFactorAtOne) {
    site("Atlantis", "Warm");
    pick(c.system1, "Grassland");
    pick(c.Management1, "Nominally managed");
    EXPECT_EQ(c.Input1.items(), (Strings{"Does not apply"}));
    EXPECT_EQ(c.Input1.text(), "Does not apply");
    // Right after a land-use pick the input count is 0, so the box holds 1 but stays disabled;
    // a disabled factor still takes part in the product.
    EXPECT_EQ(testing::seen(c.input_factor1), "input_factor1[off] '1'");
    EXPECT_EQ(c.carbon_stock_20yrs_1.text(), "38.0");

    pick(c.Management1, "Improved");
    pick(c.Management1, "Nominally managed");  // now the count is above 0: looked up, enabled
    EXPECT_EQ(testing::seen(c.input_factor1), "input_factor1[on] '1'");
}

TEST_F(CalculatorTest, PickingAManagementSystemRebuildsTheInputsOfItsSystemOnly) {
    site("Atlantis", "Warm");
    pick(c.system1, "Long-term cultivated");
    pick(c.system2, "Orchard");
    pick(c.Management1, "No-till");
    pick(c.Input1, "Medium");
    const Strings to_before = to_system();
    pick(c.Management1, "Full tillage");
    EXPECT_EQ(c.management_factor1.text(), "1");
    EXPECT_EQ(c.Input1.list_index(), -1);
    EXPECT_EQ(c.input_factor1.text(), "");
    EXPECT_EQ(c.carbon_stock_20yrs_1.text(), "");
    EXPECT_EQ(to_system(), to_before);
}

TEST_F(CalculatorTest, AManagementSystemWithoutAFactorShowsNoStaleFactor) {
    site("Atlantis", "Warm");
    pick(c.system1, "Terrace");
    pick(c.Management1, "Full tillage");
    pick(c.Input1, "Low");
    EXPECT_EQ(c.carbon_stock_20yrs_1.text(), "42.0");  // 38 × 1.2 × 1 × 0.92
    pick(c.Management1, "Contour");
    EXPECT_EQ(testing::seen(c.management_factor1), "management_factor1[on] ''");
    EXPECT_EQ(c.Input1.text(), "Low");  // the input list is not rebuilt
    EXPECT_EQ(testing::seen(c.carbon_stock_20yrs_1), "carbon_stock_20yrs_1[off] ''");
    EXPECT_TRUE(messages().empty());
}

TEST_F(CalculatorTest, ALandUseTypeWithoutManagementSystemsIsReportedEachTime) {
    site("Atlantis", "Warm");
    pick(c.system1, "Fallow");
    EXPECT_EQ(messages(), (Strings{error_box(3021, kNoCurrentRecord, "Recordset")}));
    EXPECT_EQ(c.Management1.list_count(), 0);
    EXPECT_EQ(c.base_factor1.text(), "0.8");  // the cascade went on
    EXPECT_EQ(c.active_control(), &c.system1);
}

}  // namespace
}  // namespace humo::calculator
