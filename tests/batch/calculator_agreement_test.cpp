// Every number a batch writes is the number the calculator itself shows after the same picks:
// rows made by picking at random in the real calculator over the shipped data, each also with
// FROM and TO swapped, some with a reference stock typed in, under a point and a comma.

#include <random>

#include "batch_harness.h"
#include "calculator_session.h"
#include "exact_decimal.h"
#include "name_index.h"

namespace humo::batch {
namespace {

using testing::CalculatorSession;
using Strings = std::vector<std::string>;
using testing::Exact;
using testing::exact;
using testing::minus;
using testing::times;

struct SystemPicks {
    std::string land_use;
    std::string management;
    std::string input;
};

// What a user picks, in the calculator's order; a stock to type after the site, or none.
struct Picks {
    std::string country;
    std::string region;
    std::string soil;
    std::string stock;
    SystemPicks from;
    SystemPicks to;
};

// What the calculator shows afterwards: the reference stock, each system's three factors and
// predicted stock, and the change; and the no-data messages that reset a pick.
struct Shown {
    Strings messages;
    Strings boxes;

    // Whether the calculator said it has no data for the name and reset it.
    bool reset(const std::string& name) const {
        return std::any_of(messages.begin(), messages.end(), [&](const std::string& message) {
            return message.find(" data for " + name + " soils") != std::string::npos ||
                   message.find(" data for the " + name + " system") != std::string::npos;
        });
    }
};

class Agreement {
public:
    // On the shipped data, or on the database the SQL fills.
    Agreement(char separator, unsigned seed, const std::optional<std::string>& sql = std::nullopt)
        : session_(sql, separator), separator_(separator), random_(seed) {
        if (!sql) {
            db::create_default_database(session_.dir.file("humo_tool.mdb"),
                                        testing::default_data_directory());
        }
        session_.start_calculator();
    }

    calculator::frmmaster& c() { return session_.calc(); }
    const std::string& database() { return database_ = session_.dir.file("humo_tool.mdb"); }

    // Picks at random in the calculator's lists, as a user would, and notes what it shows.
    std::pair<Picks, Shown> pick_at_random(bool with_stock) {
        Picks picks;
        start_afresh();
        session_.host.messages.clear();
        picks.country = pick_any(c().country);
        picks.region = pick_any(c().climate_region);
        picks.soil = pick_any(c().soiltype);
        if (with_stock) {
            picks.stock = random_stock();
            type_stock(picks.stock);
        }
        picks.from = pick_system(c().from_column());
        picks.to = pick_system(c().to_column());
        return {picks, shown()};
    }

    // Makes the same picks afresh and notes what the calculator shows.
    Shown show(const Picks& picks) {
        start_afresh();
        session_.host.messages.clear();
        pick_if_offered(c().country, picks.country);
        pick_if_offered(c().climate_region, picks.region);
        pick_if_offered(c().soiltype, picks.soil);
        type_stock(picks.stock);
        for (auto [column, system] :
             {std::pair{&c().from_column(), &picks.from}, std::pair{&c().to_column(), &picks.to}}) {
            pick_if_offered(column->system, system->land_use);
            pick_if_offered(column->management, system->management);
            pick_if_offered(column->input, system->input);
        }
        return shown();
    }

    // The cell a user might write for a name: any case, blanks around, or an empty cell where
    // "Does not apply" is meant.
    std::string as_written(const std::string& name) {
        // A name with blanks of its own is written as it is: blanks around a cell don't count.
        if (engine::trimmed(name) != name)
            return name;
        switch (random_() % 5) {
            case 0:
                return name == "Does not apply" ? "" : upper(name);
            case 1:
                return "  " + name + " ";
            default:
                return name;
        }
    }

    std::string random_area() {
        static const Strings areas = {"", "1", "2.5", "1000", "0.35", "12345.678"};
        return with_separator(areas[random_() % areas.size()]);
    }

    char separator() const { return separator_; }

private:
    Shown shown() {
        Shown shown;
        shown.messages = session_.messages();
        for (const forms::TextBox* box :
             {&c().carbon_stock, &c().base_factor1, &c().management_factor1, &c().input_factor1,
              &c().carbon_stock_20yrs_1, &c().base_factor2, &c().management_factor2,
              &c().input_factor2, &c().carbon_stock_20yrs_2, &c().Sequestration_Potential}) {
            shown.boxes.push_back(box->text());
        }
        return shown;
    }

    std::string pick_any(forms::ListBox& list) {
        if (list.list_count() == 0)
            return {};
        const std::string item = list.item(static_cast<int>(random_() % list.list_count()));
        session_.pick(list, item);
        return item;
    }

    // A land-use type, then a management system and an input level where the calculator
    // leaves the choice to the user.
    SystemPicks pick_system(calculator::SystemColumn& column) {
        SystemPicks system;
        system.land_use = pick_any(column.system);
        for (auto [list, chosen] : {std::pair{&column.management, &system.management},
                                    std::pair{&column.input, &system.input}}) {
            if (list->list_index() < 0 && list->list_count() > 0)
                pick_any(*list);
            *chosen = list->text();
        }
        return system;
    }

    // Picking the selected item again changes nothing, so a stock typed for the last row would
    // stay: another country first clears the site.
    void start_afresh() {
        const int other = c().country.list_index() == 0 ? 1 : 0;
        session_.pick(c().country, c().country.item(other));
    }

    // Without a site the box takes nothing, as a user would find.
    void type_stock(const std::string& stock) {
        if (!stock.empty() && c().carbon_stock.enabled())
            session_.type(c().carbon_stock, stock);
    }

    void pick_if_offered(forms::ListBox& list, const std::string& item) {
        if (item.empty() || list.text() == item)
            return;
        const auto& items = list.items();
        if (std::find(items.begin(), items.end(), item) != items.end())
            session_.pick(list, item);
    }

    std::string random_stock() {
        static const Strings stocks = {"45.5", "12", "0", "130.25", "88.8"};
        return with_separator(stocks[random_() % stocks.size()]);
    }

    std::string with_separator(std::string text) const {
        std::replace(text.begin(), text.end(), '.', separator_);
        return text;
    }

    static std::string upper(std::string text) {
        for (char& ch : text)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        return text;
    }

    CalculatorSession session_;
    char separator_;
    std::mt19937 random_;
    std::string database_;
};

const Strings kResults = {"reference_stock",      "from_land_use_factor", "from_management_factor",
                          "from_input_factor",    "from_stock",           "to_land_use_factor",
                          "to_management_factor", "to_input_factor",      "to_stock",
                          "annual_change"};

Picks swapped(Picks picks) {
    std::swap(picks.from, picks.to);
    return picks;
}

// Runs `rows` pick sets and their twins through the calculator and through a batch, and
// compares every number; at least `computed_at_least` rows must have a result.
void expect_agreement(Agreement& agreement, int rows, int computed_at_least) {
    std::vector<std::pair<Picks, Shown>> cases;
    for (int i = 0; i < rows; ++i) {
        auto [picks, shown] = agreement.pick_at_random(i % 4 == 3);
        cases.emplace_back(picks, shown);
        const Picks twin = swapped(picks);
        cases.emplace_back(twin, agreement.show(twin));
    }

    std::vector<Strings> records = {{"country", "climate_region", "soil_type", "from_land_use",
                                     "from_management", "from_input", "to_land_use",
                                     "to_management", "to_input", "carbon_stock", "area_ha"}};
    for (const auto& [p, shown] : cases) {
        records.push_back({agreement.as_written(p.country), agreement.as_written(p.region),
                           agreement.as_written(p.soil), agreement.as_written(p.from.land_use),
                           agreement.as_written(p.from.management),
                           agreement.as_written(p.from.input), agreement.as_written(p.to.land_use),
                           agreement.as_written(p.to.management), agreement.as_written(p.to.input),
                           p.stock, agreement.random_area()});
    }
    const engine::MemoryTables tables =
        engine::load_memory_tables(agreement.database(), {agreement.separator()});
    const testing::BatchOutput output = testing::run_on_text(testing::csv_text(records), tables);

    ASSERT_EQ(output.rows.size(), cases.size());
    int computed = 0;
    for (size_t i = 0; i < cases.size(); ++i) {
        const auto& [picks, shown] = cases[i];
        const testing::OutputRow& row = output.rows[i];
        const std::string what =
            picks.country + " / " + picks.region + " / " + picks.soil + ": " + picks.from.land_use +
            ", " + picks.from.management + ", " + picks.from.input + " -> " + picks.to.land_use +
            ", " + picks.to.management + ", " + picks.to.input + " stock '" + picks.stock + "'";
        // A soil type without a stock is reset in the calculator; a typed stock stands in for
        // it there as in the batch. A land use without a factor is reset and has no result.
        const bool site_has_stock = !picks.stock.empty() || !shown.reset(picks.soil);
        const bool calculator_computed = site_has_stock && !shown.reset(picks.from.land_use) &&
                                         !shown.reset(picks.to.land_use) &&
                                         !shown.boxes[4].empty() && !shown.boxes[8].empty();
        if (!calculator_computed) {
            // A no-data reset or no result on screen: the batch names the problem instead.
            EXPECT_NE(row.at("error"), "") << what;
            EXPECT_EQ(row.at("from_stock"), "") << what;
            continue;
        }
        ++computed;
        ASSERT_EQ(row.at("error"), "") << what;
        for (size_t b = 0; b < kResults.size(); ++b)
            EXPECT_EQ(row.at(kResults[b]), shown.boxes[b]) << kResults[b] << ": " << what;

        // The total over the area: the exact change times the area, rounded once.
        const std::string& area = records[i + 1].back();
        if (area.empty()) {
            EXPECT_EQ(row.at("total_annual_change"), "") << what;
            continue;
        }
        const char s = agreement.separator();
        auto stock = [&](int first) {
            Exact product = exact(shown.boxes[0], s);
            for (int f = first; f < first + 3; ++f)
                product = times(product, exact(shown.boxes[static_cast<size_t>(f)], s));
            return product;
        };
        const Exact change = times(minus(stock(5), stock(1)), exact(s == ',' ? "0,05" : "0.05", s));
        EXPECT_EQ(row.at("total_annual_change"),
                  testing::rounded(times(change, exact(area, s)), 2, s))
            << what << " area " << area;
    }
    EXPECT_GE(computed, computed_at_least);
}

TEST(CalculatorAgreementTest, EveryNumberIsTheCalculatorsOwnUnderAPoint) {
    Agreement agreement('.', 2003);
    expect_agreement(agreement, 120, 150);
}

TEST(CalculatorAgreementTest, EveryNumberIsTheCalculatorsOwnUnderAComma) {
    Agreement agreement(',', 11);
    expect_agreement(agreement, 60, 75);
}

// The fixture world's odd corners: names that differ only in a trailing blank or in case, null
// names and factors, factor rows that are missing, a stock of exactly 0, a region without
// land-use types, a country without regions.
TEST(CalculatorAgreementTest, TheCalculatorsOddCornersComeOutTheSame) {
    Agreement agreement('.', 7, testing::read_fixture("calculator.sql"));
    expect_agreement(agreement, 150, 40);
}

}  // namespace
}  // namespace humo::batch
