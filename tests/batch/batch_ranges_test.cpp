// A batch's 95% ranges: each row's as the engine gives them for its picks alone, and the file's
// total with the values rows share drawn once.

#include <numeric>

#include "batch_harness.h"
#include "calculation_ranges.h"
#include "calculator_session.h"
#include "sqlite_database.h"

namespace humo::batch {
namespace {

using testing::BatchOutput;

const std::string kAreaHeader = testing::kScenarioHeader + ",area_ha";
// The Kenyan field on the shipped defaults, and a field on sandy soil in the same region.
const std::string& kField = testing::kKenya;
const std::string kSandyField =
    "Kenya,Tropical Dry,Sandy,Long-term cultivated,No-till,Medium,Set aside,,";

class BatchRangesTest : public ::testing::Test {
protected:
    BatchRangesTest() : tables(engine::load_memory_tables(testing::shipped_database(dir), {'.'})) {
        // The Kenyan field's values, published with ±40% as two standard deviations.
        const std::string region = "Tropical Dry";
        for (const char* soil : {"High clay activity mineral", "Sandy"})
            published.add({engine::ValueTable::kReferenceStock, region, soil, {}},
                          {stock(soil), 40, 2});
        published.add({engine::ValueTable::kLandUseFactor, region, "Long-term cultivated", {}},
                      {0.69, 40, 2});
        published.add({engine::ValueTable::kManagementFactor, region, "Improved", "grassland"},
                      {1.17, 40, 2});
    }
    double stock(const char* soil) const {
        return tables.reference_stock("Tropical Dry", soil).leading_number;
    }
    BatchOutput run(const std::string& rows) {
        return testing::run_on_text(kAreaHeader + "\n" + rows, tables, &ranges);
    }

    testing::TempDir dir;
    engine::MemoryTables tables;
    engine::PublishedUncertainties published;
    RangeOptions ranges{published, {2000, 5}};
};

TEST_F(BatchRangesTest, ARowsRangesAreTheWindowsForItsPicksWhateverRowsComeFirst) {
    const BatchOutput forward = run(kField + ",10\n" + kSandyField + ",5\n");
    const BatchOutput backward = run(kSandyField + ",5\n" + kField + ",10\n");
    ASSERT_EQ(forward.rows.size(), 2u);
    EXPECT_EQ(forward.rows[0], backward.rows[1]);
    EXPECT_EQ(forward.rows[1], backward.rows[0]);

    // The same picks in the calculator, drawn as its window draws them.
    testing::CalculatorSession session(std::nullopt);
    db::create_default_database(session.dir.file("humo_tool.mdb"),
                                testing::default_data_directory());
    session.start_calculator();
    session.pick_kenya_example();
    const auto gathered = report::gather_report(session.calc(), session.dir.file("humo_tool.mdb"),
                                                session.dir.file("none"), {'.'}, "now");
    const report::CalculationRanges window = report::calculation_ranges(
        std::get<report::CalculationReport>(gathered), published, ranges.simulation);
    const testing::OutputRow& kenya = forward.rows[0];
    for (const auto& [column, shown] :
         std::map<std::string, std::string>{{"from_stock_low", window.from_stock.low},
                                            {"from_stock_high", window.from_stock.high},
                                            {"to_stock_low", window.to_stock.low},
                                            {"to_stock_high", window.to_stock.high},
                                            {"annual_change_low", window.change.low},
                                            {"annual_change_high", window.change.high}})
        EXPECT_EQ(kenya.at(column), shown) << column;
    // The ± is the range's half-width as a percentage of the value shown.
    const double half = (std::stod(window.change.high) - std::stod(window.change.low)) / 2;
    EXPECT_NEAR(std::stod(window.change.half_width.substr(2)), half / 1.16 * 100, 1.5)
        << window.change.half_width;
    // The histogram's bars span the draws: every iteration in one, the extremes at the ends.
    const std::vector<int>& bars = window.change_histogram.counts;
    EXPECT_EQ(std::accumulate(bars.begin(), bars.end(), 0), 2000);
    EXPECT_GT(bars.front(), 0);
    EXPECT_GT(bars.back(), 0);
    // Over 10 ha, from the unrounded bound.
    EXPECT_NEAR(std::stod(kenya.at("total_annual_change_high")), 10 * std::stod(window.change.high),
                0.05);
    // The input factor 1.11 has no published ±; the factors of 1 are exact by definition.
    EXPECT_EQ(kenya.at("not_covered"), "grassland input factor 1.11");
    EXPECT_EQ(forward.rows[1].at("not_covered"), "management factor 1.17; land-use factor 0.93");
}

TEST_F(BatchRangesTest, TheFilesTotalDrawsSharedValuesOnceAndLeavesBadRowsOut) {
    const BatchOutput output = run(kField + ",10\n" + kField + ",30\nKenia" + kField.substr(5) +
                                   ",1000\n" + kSandyField + ",20\n");
    ASSERT_EQ(output.rows.size(), 4u);
    EXPECT_EQ(output.rows[2].at("total_annual_change_low"), "");
    double sum_of_widths = 0;
    for (size_t row : {0, 1, 3}) {
        sum_of_widths += std::stod(output.rows[row].at("total_annual_change_high")) -
                         std::stod(output.rows[row].at("total_annual_change_low"));
    }
    // 10 + 30 ha at 1.16 and 20 ha at the sandy field's change, from the exact stocks.
    const std::string& line = output.summary.total_lines.at(0);
    ASSERT_TRUE(line.starts_with("total annual change: ")) << line;
    const double kenya_change = (38 * 1.17 * 1.11 - 38 * 0.69) / 20;
    const double sandy_change = (stock("Sandy") * 0.93 - stock("Sandy") * 0.69 * 1.17) / 20;
    const double total = std::stod(line.substr(21));
    EXPECT_NEAR(total, 40 * kenya_change + 20 * sandy_change, 0.005);
    const double low = std::stod(line.substr(line.find("range ") + 6));
    const double high = std::stod(line.substr(line.find(" to ") + 4));
    EXPECT_LT(low, total);
    EXPECT_GT(high, total);
    // Rows reading other values would add their spreads in quadrature; here they mostly share.
    EXPECT_LT(high - low, sum_of_widths);
    EXPECT_GT(high - low, 0.5 * sum_of_widths);
}

TEST_F(BatchRangesTest, AnAreasOwnUncertaintyWidensItsRowsTotal) {
    const std::string header = kAreaHeader + ",area_uncertainty";
    const BatchOutput output =
        testing::run_on_text(header + "\n" + kField + ",10,\n" + kField + ",10,100\n" + kField +
                                 ",,50\n" + kField + ",10,lots\n",
                             tables, &ranges);
    ASSERT_EQ(output.rows.size(), 4u);
    auto width = [&](size_t row) {
        return std::stod(output.rows[row].at("total_annual_change_high")) -
               std::stod(output.rows[row].at("total_annual_change_low"));
    };
    EXPECT_GT(width(1), 1.3 * width(0));
    EXPECT_EQ(output.rows[1].at("annual_change_low"), output.rows[0].at("annual_change_low"));
    EXPECT_EQ(output.rows[2].at("error"), "area_uncertainty is given without an area in area_ha");
    EXPECT_EQ(output.rows[3].at("error"), "area_uncertainty \"lots\" is not a number");
    EXPECT_EQ(output.summary.computed, 2);
}

TEST_F(BatchRangesTest, RangeColumnsOfAnEarlierRunAreReplacedOnlyWhenRangesAreAsked) {
    const std::string input = kAreaHeader + ",not_covered\n" + kField + ",,old\n";
    const BatchOutput with = testing::run_on_text(input, tables, &ranges);
    const BatchOutput without = testing::run_on_text(input, tables);
    EXPECT_EQ(with.header.at(10), "not_covered");
    EXPECT_EQ(with.rows[0].at("not_covered"), "grassland input factor 1.11");
    EXPECT_EQ(with.header.back(), "error");
    EXPECT_EQ(without.rows[0].at("not_covered"), "old");
    EXPECT_EQ(without.header.size(), 11u + 12u);  // the input's, and the results with areas'
}

// A database's own rows: one spanning no standard deviation and one of no known table are left
// out, so their values are used as exact rather than drawn without bounds.
TEST_F(BatchRangesTest, UnusableUncertaintyRowsOfADatabaseAreLeftOut) {
    const std::string path = dir.file("humo_tool.mdb");
    sqlite::Database(path, sqlite::OpenMode::kReadWrite)
        .execute(
            "INSERT INTO value_uncertainty VALUES "
            "('c_stocks', 'Tropical Dry', 'High clay activity mineral', NULL, 38, 40, 0, 'x'), "
            "('tbl_systems', 'Tropical Dry', 'Long-term cultivated', NULL, 0.69, 40, 2, 'x'), "
            "('tbl_grassland', 'Tropical Dry', 'Improved', 'grassland', 1.17, 40, 2, 'x')");
    const engine::PublishedUncertainties read = engine::PublishedUncertainties::read(path);
    const RangeOptions options{read, {2000, 5}};
    const BatchOutput output =
        testing::run_on_text(kAreaHeader + "\n" + kField + ",10\n", tables, &options);
    EXPECT_EQ(output.rows[0].at("not_covered"),
              "reference stock 38; grassland management factor 1.17; grassland input factor 1.11");
    EXPECT_LT(std::stod(output.rows[0].at("from_stock_low")), 26.2);
    EXPECT_GT(std::stod(output.rows[0].at("from_stock_high")), 26.2);
}

// As CO2 the sign turns: emissions positive, −44/12 of the carbon, its bounds changing places.
TEST_F(BatchRangesTest, TheChangeAsCo2WithItsRangeAndTotal) {
    const BatchOutput output =
        testing::run_on_text(kAreaHeader + "\n" + kField + ",10\n", tables, &ranges, true);
    const testing::OutputRow& row = output.rows.at(0);
    EXPECT_EQ(row.at("annual_co2"), "-4.25");         // 1.16 × 44/12 = 4.2533
    EXPECT_EQ(row.at("total_annual_co2"), "-42.41");  // (49.3506 − 26.22) / 20 × 10 × 44/12
    for (const auto& [co2, carbon] :
         {std::pair{"annual_co2_low", "annual_change_high"},
          std::pair{"annual_co2_high", "annual_change_low"},
          std::pair{"total_annual_co2_low", "total_annual_change_high"},
          std::pair{"total_annual_co2_high", "total_annual_change_low"}})
        EXPECT_NEAR(std::stod(row.at(co2)), -44.0 / 12 * std::stod(row.at(carbon)), 0.02) << co2;
    EXPECT_EQ(testing::run_on_text(kAreaHeader + "\n" + kField + ",10\n", tables, nullptr, true)
                  .header.size(),
              10u + 14u);  // the input's, the results with areas, and the two CO2 columns
}

}  // namespace
}  // namespace humo::batch
