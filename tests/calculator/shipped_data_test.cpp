// The calculator on the shipped default data, checked against arithmetic done by hand.

#include <set>

#include "calculator_session.h"
#include "default_database.h"
#include "exact_decimal.h"
#include "fixture_paths.h"

namespace humo::calculator {
namespace {

using Strings = std::vector<std::string>;

class ShippedDataTest : public ::testing::Test {
protected:
    ShippedDataTest() : session(std::nullopt) {
        db::create_default_database(session.dir.file("humo_tool.mdb"),
                                    testing::default_data_directory());
        session.start_calculator();
    }
    frmmaster& c() { return session.calc(); }
    void pick(forms::ListBox& list, const std::string& text) { session.pick(list, text); }
    Strings results() {
        return {c().carbon_stock_20yrs_1.text(), c().carbon_stock_20yrs_2.text(),
                c().Sequestration_Potential.text()};
    }

    testing::CalculatorSession session;
};

// The product of the numbers shown in the boxes.
testing::Exact product(const Strings& texts) {
    testing::Exact result{1, 0};
    for (const std::string& text : texts)
        result = testing::times(result, testing::exact(text));
    return result;
}

// Every soil type and land-use pair of every region, with the first management system and
// input level where the user must choose: each stock is the product of its four boxes, each change
// the difference of the two shown stocks over 20 years, rounded as by hand.
TEST_F(ShippedDataTest, EveryResultIsTheHandArithmeticOfItsBoxes) {
    std::set<std::string> regions_done;
    int combinations = 0;
    const Strings countries = c().country.items();
    for (const std::string& country : countries) {
        pick(c().country, country);
        const Strings regions = c().climate_region.items();
        for (const std::string& region : regions) {
            if (!regions_done.insert(region).second)
                continue;
            pick(c().climate_region, region);
            const Strings systems = c().system1.items();
            auto choose = [&](SystemColumn& column, const std::string& system) {
                pick(column.system, system);
                if (column.management.list_index() < 0 && column.management.list_count() > 0)
                    pick(column.management, column.management.item(0));
                if (column.input.list_index() < 0 && column.input.list_count() > 0)
                    pick(column.input, column.input.item(0));
            };
            const Strings soil_types = c().soiltype.items();
            for (const std::string& soil_type : soil_types) {
                pick(c().soiltype, soil_type);
                if (c().soiltype.text() != soil_type)
                    continue;  // no stock here: reset
                for (const std::string& from : systems) {
                    for (const std::string& to : systems) {
                        session.host.messages.clear();
                        choose(c().from_column(), from);
                        choose(c().to_column(), to);
                        if (!session.messages().empty())
                            continue;  // a no-data reset: its messages are tested elsewhere
                        for (SystemColumn* column : {&c().from_column(), &c().to_column()}) {
                            const testing::Exact stock = product(
                                {c().carbon_stock.text(), column->base_factor.text(),
                                 column->management_factor.text(), column->input_factor.text()});
                            ASSERT_EQ(column->carbon_stock_20yrs.text(), testing::rounded(stock, 1))
                                << region << ": " << from << " -> " << to;
                        }
                        const testing::Exact change = testing::times(
                            testing::minus(testing::exact(c().carbon_stock_20yrs_2.text()),
                                           testing::exact(c().carbon_stock_20yrs_1.text())),
                            testing::exact("0.05"));
                        ASSERT_EQ(c().Sequestration_Potential.text(), testing::rounded(change, 2))
                            << region << ": " << from << " -> " << to;
                        ++combinations;
                    }
                }
            }
        }
    }
    EXPECT_EQ(regions_done.size(), 8u);
    EXPECT_GT(combinations, 500);
}

}  // namespace
}  // namespace humo::calculator
