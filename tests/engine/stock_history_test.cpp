// Histories worked out by hand: each transition moves a twentieth of the way a year from the
// stock where it starts, and the shown figures round halves away from zero on the exact values.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "carbon_arithmetic.h"
#include "default_database.h"
#include "fixture_paths.h"
#include "history_rules.h"
#include "temp_dir.h"

namespace humo::engine {
namespace {

using numbers::Decimal;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

Decimal number(const char* text) { return *Decimal::from_plain(text); }

std::vector<RegimeStock> regimes(std::initializer_list<std::pair<int, const char*>> list) {
    std::vector<RegimeStock> result;
    for (const auto& [year, equilibrium] : list)
        result.push_back({year, number(equilibrium)});
    return result;
}

// "year stock equilibrium annual_change period_change [total_stock total_annual_change]" for
// each year shown.
std::map<int, std::string> shown(const std::vector<RegimeStock>& history, YearSpan years = {},
                                 std::optional<Decimal> area = std::nullopt) {
    HistoryTable table(history, years, {'.'}, std::move(area));
    std::map<int, std::string> rows;
    while (table.next()) {
        const HistoryRow& row = table.row();
        std::string text = std::string(row.stock) + " " + std::string(row.equilibrium) + " " +
                           std::string(row.annual_change) + " " + std::string(row.period_change);
        if (!row.total_stock.empty())
            text += " " + std::string(row.total_stock) + " " + std::string(row.total_annual_change);
        rows[row.year] = text;
    }
    return rows;
}

TEST(StockHistory, AConversionReachesItsEquilibriumTwentyYearsOnAndStaysThere) {
    // 70 at equilibrium turned to cropland at 0.48 × 1 × 0.92: 30.912, −1.9544 a year.
    const auto rows = shown(regimes({{2000, "70"}, {2001, "30.912"}}));
    EXPECT_EQ(rows.begin()->first, 2000);
    EXPECT_EQ(rows.rbegin()->first, 2021);  // twenty years after the change
    EXPECT_EQ(rows.at(2000), "70.0 70.0  ");
    EXPECT_EQ(rows.at(2001), "68.0 30.9 -1.95 -1.95");
    EXPECT_EQ(rows.at(2010), "50.5 30.9 -1.95 -1.95");  // 50.456
    EXPECT_EQ(rows.at(2019), "32.9 30.9 -1.95 -1.95");  // 32.8664
    EXPECT_EQ(rows.at(2020), "30.9 30.9 -1.95 -1.95");
    EXPECT_EQ(rows.at(2021), "30.9 30.9 0.00 0.00");
}

TEST(StockHistory, ASecondChangeStartsFromWhereverTheStockStands) {
    // Two changes inside twenty years: down a unit a year for ten years, then from 50 to 80.
    const auto two = shown(regimes({{1980, "60"}, {1990, "40"}, {2000, "80"}}));
    EXPECT_EQ(two.at(1989), "60.0 60.0 0.00 0.00");
    EXPECT_EQ(two.at(1990), "59.0 40.0 -1.00 -1.00");
    EXPECT_EQ(two.at(1999), "50.0 40.0 -1.00 -1.00");
    EXPECT_EQ(two.at(2000), "51.5 80.0 1.50 1.50");
    EXPECT_EQ(two.at(2019), "80.0 80.0 1.50 1.50");
    EXPECT_EQ(two.at(2020), "80.0 80.0 0.00 0.00");
    EXPECT_EQ(two.rbegin()->first, 2020);

    // A reversal after five years climbs back from 45 a quarter a year; 45.25 rounds up.
    const auto back = shown(regimes({{2000, "50"}, {2010, "30"}, {2015, "50"}}));
    EXPECT_EQ(back.at(2014), "45.0 30.0 -1.00 -1.00");
    EXPECT_EQ(back.at(2015), "45.3 50.0 0.25 0.25");
    EXPECT_EQ(back.at(2034), "50.0 50.0 0.25 0.25");
    EXPECT_EQ(back.at(2035), "50.0 50.0 0.00 0.00");

    // A change to another system of the same equilibrium leaves the transition as it was: 40 is
    // reached in 2019, not 2024.
    const auto same = shown(regimes({{1990, "60"}, {2000, "40"}, {2005, "40"}}));
    EXPECT_EQ(same.at(2018), "41.0 40.0 -1.00 -1.00");
    EXPECT_EQ(same.at(2019), "40.0 40.0 -1.00 -1.00");
    EXPECT_EQ(same.at(2020), "40.0 40.0 0.00 0.00");
}

TEST(StockHistory, PeriodsAndTotalsOverTheYearsAsked) {
    const auto history = regimes({{2000, "70"}, {2001, "30.912"}});
    // Every three years from 2018: 34.8208 to 30.912 is −1.30293… a year.
    const auto every = shown(history, {2018, 2026, 3});
    EXPECT_EQ(every.size(), 3u);
    EXPECT_EQ(every.at(2018), "34.8 30.9 -1.95 ");
    EXPECT_EQ(every.at(2021), "30.9 30.9 0.00 -1.30");
    EXPECT_EQ(every.at(2024), "30.9 30.9 0.00 0.00");
    // Years before the history are not shown; the steps still count from the first year asked.
    const auto early = shown(history, {1995, 2004, 3});
    EXPECT_THAT(std::vector<int>({early.begin()->first, early.rbegin()->first}),
                ElementsAre(2001, 2004));
    // 68.0456 × 2.5 and −1.9544 × 2.5.
    const auto totals = shown(history, {2000, 2001}, number("2.5"));
    EXPECT_EQ(totals.at(2000), "70.0 70.0   175.0 ");
    EXPECT_EQ(totals.at(2001), "68.0 30.9 -1.95 -1.95 170.1 -4.89");
}

TEST(StockHistory, NeverJumpsAndReachesEveryUninterruptedEquilibriumInTwentyYears) {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> gap(1, 30);
    std::uniform_int_distribution<int> tenths(0, 1500);
    for (int round = 0; round < 200; ++round) {
        std::vector<RegimeStock> history;
        int year = 1900;
        for (int i = 0; i < 5; ++i, year += gap(random))
            history.push_back({year, number(std::to_string(tenths(random) / 10.0).c_str())});
        StockWalk walk(history);
        Decimal previous = walk.stock();
        std::optional<std::pair<int, Decimal>> due;  // when the stock must stand at what
        while (walk.year() < year + 25) {
            walk.next();
            ASSERT_EQ(walk.stock() - previous, walk.annual_change()) << walk.year();
            if (walk.year() == history[walk.regime()].first_year &&
                !(walk.equilibrium() == previous) && (!due || !(due->second == walk.equilibrium())))
                due = {walk.year() + 19, walk.equilibrium()};
            if (due && walk.year() == due->first) {
                EXPECT_EQ(walk.stock(), due->second) << walk.year();
                due.reset();
            }
            previous = walk.stock();
        }
    }
}

TEST(StockHistory, TheFirstRegimeIsAssumedAtEquilibriumAndAShortStartIsWarnedOf) {
    const auto history = regimes({{1990, "60"}, {2000, "60"}, {2009, "40"}});
    EXPECT_THAT(equilibrium_assumption(history), HasSubstr("equilibrium at the end of 1990"));
    // A change that keeps the equilibrium is no change: the first is in 2009, 19 years on.
    EXPECT_EQ(short_start_warning(history),
              "only 19 years before the first change in 2009: the stock may not have been at "
              "equilibrium in 1990");
    EXPECT_EQ(short_start_warning(regimes({{1990, "60"}, {2010, "40"}})), "");
    EXPECT_EQ(short_start_warning(regimes({{1990, "60"}})), "");
}

class HistoryRulesTest : public ::testing::Test {
protected:
    static const MemoryTables& tables() {
        static const testing::TempDir dir;
        static const MemoryTables loaded = [] {
            db::create_default_database(dir.file("humo_tool.mdb"),
                                        testing::default_data_directory());
            return load_memory_tables(dir.file("humo_tool.mdb"), {'.'});
        }();
        return loaded;
    }

    SiteHistory build(std::vector<RegimeCells> regimes, HistorySiteCells site = kKenya) {
        ScenarioRules rules(tables());
        return build_history(rules, site, regimes);
    }

    static constexpr HistorySiteCells kKenya = {
        "Kenya", "Tropical Dry", "High clay activity mineral", {}, {}};
    static constexpr RegimeCells kFullTillage = {
        "1980", {"Long-term cultivated", "Full tillage", "Medium"}};
    static constexpr RegimeCells kNoTill = {"1996", {"Long-term cultivated", "No-till", "Medium"}};
    static constexpr RegimeCells kGrassland = {"2005", {"Grassland", "Improved", "High"}};
};

std::vector<std::string> equilibria(const SiteHistory& history) {
    std::vector<std::string> texts;
    for (const RegimeStock& regime : history.regimes)
        texts.push_back(std::to_string(regime.first_year) + " " +
                        regime.equilibrium.fixed(7, {'.'}));
    return texts;
}

TEST_F(HistoryRulesTest, EachRegimesEquilibriumIsTheCalculatorsStockInOrderOfYears) {
    // 38 × 0.69, × 1.17 for no-till, and 38 × 1 × 1.17 × 1.11 for improved grassland.
    const SiteHistory history = build({kGrassland, kFullTillage, kNoTill});
    ASSERT_TRUE(history.usable()) << history.error;
    EXPECT_THAT(equilibria(history),
                ElementsAre("1980 26.2200000", "1996 30.6774000", "2005 49.3506000"));
    // The interrupted first transition: 28.22583 in 2004, then 1.0562385 a year.
    const auto rows = shown(history.regimes);
    EXPECT_EQ(rows.at(2004), "28.2 30.7 0.22 0.22");
    EXPECT_EQ(rows.at(2005), "29.3 49.4 1.06 1.06");
    EXPECT_EQ(rows.at(2025), "49.4 49.4 0.00 0.00");

    // An own reference stock holds for the whole history.
    HistorySiteCells typed = kKenya;
    typed.carbon_stock = "50";
    typed.area_ha = "12.5";
    const SiteHistory own = build({kFullTillage, kNoTill}, typed);
    EXPECT_THAT(equilibria(own), ElementsAre("1980 34.5000000", "1996 40.3650000"));
    EXPECT_EQ(own.area->fixed(1, {'.'}), "12.5");
}

TEST_F(HistoryRulesTest, WhatCannotBePickedNamesTheRegimesYearTheColumnAndTheValue) {
    RegimeCells forest = kNoTill;
    forest.system.land_use = "Forst";
    SiteHistory bad = build({kFullTillage, forest, kGrassland});
    EXPECT_EQ(bad.error_year, 1996);
    EXPECT_THAT(bad.error, HasSubstr("land_use \"Forst\" is unknown"));
    EXPECT_TRUE(bad.regimes.empty());

    RegimeCells not_offered = kGrassland;
    not_offered.system.input = "Medium";
    bad = build({kFullTillage, not_offered});
    EXPECT_EQ(bad.error_year, 2005);
    EXPECT_THAT(bad.error,
                HasSubstr("input \"Medium\" is not offered for management \"Improved\""));

    HistorySiteCells boreal = kKenya;
    boreal.climate_region = "Boreal";
    bad = build({kNoTill, kFullTillage}, boreal);
    EXPECT_EQ(bad.error_year, 1980);
    EXPECT_THAT(bad.error, HasSubstr("climate_region \"Boreal\" is not offered"));

    RegimeCells twice = kGrassland;
    twice.year = " 1996 ";
    bad = build({kFullTillage, kNoTill, twice});
    EXPECT_EQ(bad.error_year, 1996);
    EXPECT_EQ(bad.error, "two regimes start in 1996");

    RegimeCells typo = kNoTill;
    typo.year = "19x6";
    EXPECT_EQ(build({kFullTillage, typo}).error, "year \"19x6\" is not a year from 1 to 9999");

    HistorySiteCells huge = kKenya;
    huge.area_ha = "1e307";
    EXPECT_EQ(build({kFullTillage}, huge).error, "total_stock is beyond the range of numbers");
    EXPECT_EQ(build({}).error, "the history has no regime");
}

}  // namespace
}  // namespace humo::engine
