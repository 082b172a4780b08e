#include "calculator_fixture.h"

namespace humo::calculator {
namespace {

using Strings = std::vector<std::string>;

const std::string kHacMessage =
    "There are no reference carbon stock data for High clay activity mineral soils in this "
    "climate region.  The program will now reset the soil type to 'High clay activity mineral'.";

// A soil type picked before the site, a missing stock value and a country without regions: the
// site_lookups scenario.
TEST_F(CalculatorTest, PickingACountryRefillsItsRegionsAndClearsTheSiteAndItsResults) {
    worked_example();
    pick(c.soiltype, "Volcanic");
    pick(c.country, "Borduria");
    EXPECT_EQ(c.climate_region.items(), (Strings{"Cool", "Bare"}));
    EXPECT_EQ(c.climate_region.list_index(), -1);
    EXPECT_EQ(c.soiltype.text(), "");
    EXPECT_EQ(c.soiltype.list_count(), 6);
    EXPECT_EQ(testing::seen(c.carbon_stock), "carbon_stock[off] ''");
    EXPECT_FALSE(c.carbon_stock_units.enabled());
    for (forms::ListBox* list : {&c.system1, &c.system2}) {
        EXPECT_EQ(list->list_count(), 0);
        EXPECT_FALSE(list->enabled());
    }
    EXPECT_FALSE(c.system1_label.enabled());
    for (forms::TextBox* result :
         {&c.carbon_stock_20yrs_1, &c.carbon_stock_20yrs_2, &c.Sequestration_Potential})
        EXPECT_EQ(testing::seen(*result), result->name() + "[off] ''");
    EXPECT_FALSE(c.carbon_stock_20yrs_2_label.enabled());
    EXPECT_TRUE(messages().empty());
}

TEST_F(CalculatorTest, PickingARegionSelectsTheResetSoilTypeAndOffersItsLandUseTypes) {
    site("Atlantis", "Warm");
    pick(c.system1, "Set aside");
    pick(c.soiltype, "Volcanic");
    EXPECT_EQ(c.carbon_stock_20yrs_1.text(), "0.0");
    const std::string kept_factor = testing::seen(c.base_factor1);
    pick(c.climate_region, "Cool");
    EXPECT_EQ(c.soiltype.text(), "High clay activity mineral");
    // -999 for that soil type here: the message, then "0" as the region pick writes it again.
    EXPECT_EQ(messages(), (Strings{kHacMessage}));
    EXPECT_EQ(testing::seen(c.carbon_stock), "carbon_stock[on] '0'");
    EXPECT_EQ(c.system1.items(), (Strings{"grassland", "Long-term cultivated", "Set aside"}));
    EXPECT_EQ(c.system2.items(), c.system1.items());
    EXPECT_EQ(c.system1.list_index(), -1);
    EXPECT_TRUE(c.system2.enabled());
    for (forms::ListBox* list : {&c.Management1, &c.Input1, &c.Management2, &c.Input2})
        EXPECT_EQ(list->list_count(), 0) << list->name();
    EXPECT_EQ(c.management_factor1.text(), "");
    // The land-use factor waits for the next land-use pick; no result of the old site stays.
    EXPECT_EQ(testing::seen(c.base_factor1), kept_factor);
    EXPECT_EQ(testing::seen(c.carbon_stock_20yrs_1), "carbon_stock_20yrs_1[off] ''");
    EXPECT_EQ(testing::seen(c.Sequestration_Potential), "Sequestration_Potential[off] ''");
    // Picked by hand, the soil type without a stock leaves the box empty.
    pick(c.soiltype, "Sandy");
    pick(c.soiltype, "High clay activity mineral");
    EXPECT_EQ(messages(), (Strings{kHacMessage, kHacMessage}));
    EXPECT_EQ(testing::seen(c.carbon_stock), "carbon_stock[on] ''");
}

TEST_F(CalculatorTest, AMissingStockRowIsReportedAndTheNextLookupWorks) {
    site("Atlantis", "Warm");
    pick(c.soiltype, "Spodic");
    EXPECT_EQ(messages(), (Strings{error_box(3021, kNoCurrentRecord, "Recordset")}));
    // Not the stock of the soil type picked before.
    EXPECT_EQ(testing::seen(c.carbon_stock), "carbon_stock[on] ''");
    EXPECT_EQ(c.active_control(), &c.soiltype);
    pick(c.soiltype, "Volcanic");
    EXPECT_EQ(c.carbon_stock.text(), "0");
    EXPECT_EQ(messages().size(), 1u);
}

}  // namespace
}  // namespace humo::calculator
