#include "calculator_fixture.h"

namespace humo::calculator {
namespace {

using Strings = std::vector<std::string>;

// The grassland factors and a management system without a factor: the management_and_inputs
// scenario.
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
