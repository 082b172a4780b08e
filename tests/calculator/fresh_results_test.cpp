// The calculator never shows a stale, mixed or wrong result, and one bad row never disables it.

#include "calculator_fixture.h"

namespace humo::calculator {
namespace {

using Strings = std::vector<std::string>;

class FreshResultsTest : public CalculatorTest {
protected:
    Strings results() const {
        return testing::seen(
            {&c.carbon_stock_20yrs_1, &c.carbon_stock_20yrs_2, &c.Sequestration_Potential});
    }
    static Strings shown(const std::string& from, const std::string& to,
                         const std::string& change) {
        auto box = [](const std::string& name, const std::string& text) {
            return name + (text.empty() ? "[off] ''" : "[on] '" + text + "'");
        };
        return {box("carbon_stock_20yrs_1", from), box("carbon_stock_20yrs_2", to),
                box("Sequestration_Potential", change)};
    }
};

TEST_F(FreshResultsTest, TypingAFactorRecomputesItsOwnSystemOnly) {
    for (bool from : {true, false}) {
        worked_example();
        SystemColumn& typed = from ? c.from_column() : c.to_column();
        type(typed.management_factor, "2");
        // 38 · 0.69 · 2 = 52.44 and 38 · 1 · 2 · 0.92 = 69.92
        EXPECT_EQ(results(), from ? shown("52.4", "38.5", "-0.70") : shown("26.2", "69.9", "2.19"));
        type(typed.input_factor, "0.5");
        type(typed.base_factor, "1");
        EXPECT_EQ(typed.carbon_stock_20yrs.text(), "38.0");
        EXPECT_TRUE(messages().empty());
    }
}

TEST_F(FreshResultsTest, PickingASoilTypeOrRegionRecomputesTheResults) {
    site("Atlantis", "Warm");
    pick(c.system1, "Set aside");  // 0.93, nothing more to choose
    pick(c.system2, "Grassland");
    pick(c.Management2, "Nominally managed");             // input fixed at 1
    EXPECT_EQ(results(), shown("35.3", "38.0", "0.14"));  // 0.135
    pick(c.soiltype, "Farmer's loam");                    // 44
    EXPECT_EQ(results(), shown("40.9", "44.0", "0.16"));  // 0.155
    pick(c.climate_region, "Cool");
    EXPECT_EQ(results(), shown("", "", ""));
}

TEST_F(FreshResultsTest, ASiteWithoutAReferenceStockShowsNoResultUntilOneIsTyped) {
    site("Atlantis", "Cool");  // no stock for the reset soil type here: "0" is shown
    pick(c.system1, "Set aside");
    pick(c.system2, "Set aside");
    EXPECT_EQ(c.carbon_stock.text(), "0");
    EXPECT_EQ(results(), shown("", "", ""));
    EXPECT_FALSE(c.carbon_stock_20yrs_1_label.enabled());
    type(c.carbon_stock, "50");
    EXPECT_EQ(results(), shown("41.0", "41.0", "0.00"));  // 50 · 0.82
    // A soil type with a stock of its own is ordinary data again.
    pick(c.soiltype, "Volcanic");
    EXPECT_EQ(results(), shown("57.4", "57.4", "0.00"));
}

TEST_F(FreshResultsTest, AFailedLookupBlanksWhatItWouldHaveFilled) {
    for (bool from : {true, false}) {
        worked_example();
        SystemColumn& failing = from ? c.from_column() : c.to_column();
        SystemColumn& other = from ? c.to_column() : c.from_column();
        const std::string other_stock = other.carbon_stock_20yrs.text();
        session.host.messages.clear();
        const std::string null_error = error_box(94, "Invalid use of Null", "humo_tool");
        pick(failing.system, "Ridge");       // the first management system is looked up at once
        pick(failing.management, "Ridged");  // its factor is NULL
        EXPECT_EQ(messages(), Strings(2, null_error));
        EXPECT_EQ(testing::seen(failing.management_factor),
                  failing.management_factor.name() + "[on] ''");
        EXPECT_EQ(failing.carbon_stock_20yrs.text(), "");
        EXPECT_EQ(c.Sequestration_Potential.text(), "");
        EXPECT_EQ(other.carbon_stock_20yrs.text(), other_stock);

        pick(failing.management, "Flat");  // the first input level is looked up at once
        pick(failing.input, "Mulched");    // NULL too
        EXPECT_EQ(messages(), Strings(4, null_error));
        EXPECT_EQ(failing.input_factor.text(), "");
        EXPECT_EQ(failing.carbon_stock_20yrs.text(), "");
        pick(failing.input, "Bare soil");
        EXPECT_EQ(failing.carbon_stock_20yrs.text(), "39.5");  // 38 · 1.05 · 1.02 · 0.97
        EXPECT_EQ(messages().size(), 4u);
    }
}

TEST_F(FreshResultsTest, PicksInOneSystemNeverDisturbTheOther) {
    for (bool from : {true, false}) {
        worked_example();
        SystemColumn& picked = from ? c.from_column() : c.to_column();
        SystemColumn& other = from ? c.to_column() : c.from_column();
        const std::string other_stock = other.carbon_stock_20yrs.text();
        pick(picked.system, "Grassland");
        pick(picked.management, "Improved");
        pick(picked.input, "High");
        EXPECT_EQ(picked.carbon_stock_20yrs.text(), "49.4");  // 38 · 1 · 1.17 · 1.11
        // The other system still looks its factors up on a pick of its own.
        const std::string chosen = other.input.text();
        const Strings levels = other.input.items();
        pick(other.input, chosen == levels.front() ? levels.back() : levels.front());
        pick(other.input, chosen);
        EXPECT_EQ(other.carbon_stock_20yrs.text(), other_stock);
    }
}

TEST_F(FreshResultsTest, RowsWithoutANameNeverReachAListAndListsNeverGrow) {
    EXPECT_EQ(c.country.items(), (Strings{"Atlantis", "Borduria", "Nowhere", "Syldavia"}));
    site("Atlantis", "Warm");
    EXPECT_EQ(std::count(c.system1.items().begin(), c.system1.items().end(), ""), 0);
    pick(c.system1, "Orchard");
    for (int i = 0; i < 3; ++i) {
        pick(c.Management1, "No-till");
        pick(c.Management1, "Full tillage");
    }
    EXPECT_EQ(c.Management1.items(), (Strings{"No-till", "Full tillage"}));
    EXPECT_TRUE(messages().empty());
}

}  // namespace
}  // namespace humo::calculator
