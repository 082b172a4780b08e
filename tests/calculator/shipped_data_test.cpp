// The calculator on the shipped default data, checked against arithmetic done by hand.

#include <set>

#include "calculator_session.h"
#include "default_database.h"
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

TEST_F(ShippedDataTest, ATypedStockAndALaterPickNeverMixTwoSites) {
    session.pick_kenya_example();
    EXPECT_EQ(results(), (Strings{"26.2", "49.4", "1.16"}));
    session.type(c().carbon_stock, "50");
    pick(c().Input2, "Nominal");
    EXPECT_EQ(results(), (Strings{"34.5", "58.5", "1.20"}));
    EXPECT_TRUE(session.messages().empty());
}

TEST_F(ShippedDataTest, AHalfOnTheSecondDecimalRoundsAwayFromZero) {
    pick(c().country, "Afghanistan");
    pick(c().climate_region, "Boreal");
    pick(c().soiltype, "Spodic");
    pick(c().system1, "Set aside");
    pick(c().system2, "Long-term cultivated");
    pick(c().Management2, "Full tillage");
    pick(c().Input2, "High with manure");
    EXPECT_EQ(results(), (Strings{"95.9", "114.6", "0.94"}));
}

// A number as written, exactly: mantissa × 10^-scale.
struct Exact {
    int64_t mantissa = 0;
    int scale = 0;
};

Exact exact(const std::string& text) {
    Exact value;
    bool negative = false;
    bool fraction = false;
    for (char ch : text) {
        if (ch == '-') {
            negative = true;
        } else if (ch == '.') {
            fraction = true;
        } else {
            value.mantissa = value.mantissa * 10 + (ch - '0');
            value.scale += fraction;
        }
    }
    if (negative)
        value.mantissa = -value.mantissa;
    return value;
}

// value rounded halves away from zero to `decimals`, written with them.
std::string rounded(Exact value, int decimals) {
    int64_t divisor = 1;
    for (int i = decimals; i < value.scale; ++i)
        divisor *= 10;
    int64_t scaled = value.mantissa;
    for (int i = value.scale; i < decimals; ++i)
        scaled *= 10;
    const bool negative = scaled < 0;
    int64_t magnitude = negative ? -scaled : scaled;
    int64_t whole = magnitude / divisor;
    if ((magnitude % divisor) * 2 >= divisor)
        ++whole;
    std::string digits;
    for (int64_t w = whole; w > 0; w /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(w % 10)));
    while (digits.size() < static_cast<size_t>(decimals) + 1)
        digits.insert(digits.begin(), '0');
    return (negative && whole != 0 ? "-" : "") + digits.substr(0, digits.size() - decimals) + "." +
           digits.substr(digits.size() - decimals);
}

Exact product(const Strings& texts) {
    Exact result{1, 0};
    for (const std::string& text : texts) {
        const Exact factor = exact(text);
        result.mantissa *= factor.mantissa;
        result.scale += factor.scale;
    }
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
                            const Exact stock = product(
                                {c().carbon_stock.text(), column->base_factor.text(),
                                 column->management_factor.text(), column->input_factor.text()});
                            ASSERT_EQ(column->carbon_stock_20yrs.text(), rounded(stock, 1))
                                << region << ": " << from << " -> " << to;
                        }
                        Exact change = exact(c().carbon_stock_20yrs_2.text());
                        change.mantissa -= exact(c().carbon_stock_20yrs_1.text()).mantissa;
                        change.mantissa *= 5;  // / 20 = × 0.05
                        change.scale += 2;
                        ASSERT_EQ(c().Sequestration_Potential.text(), rounded(change, 2))
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
