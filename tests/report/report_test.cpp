// The report of a calculation: its figures as the calculator shows them, what the user typed,
// the rows edited since the defaults shipped, the clipboard text and the page's words.

#include <filesystem>

#include "batch_harness.h"
#include "calculation_report.h"
#include "calculator_session.h"
#include "edited_values.h"
#include "report_document.h"
#include "results_text.h"
#include "sqlite_database.h"

namespace humo::report {
namespace {

using Strings = std::vector<std::string>;

// The calculator on the shipped data, with the pristine defaults beside it as a build leaves
// them.
class ReportTest : public ::testing::Test {
protected:
    ReportTest() : session(std::nullopt) {
        db::create_default_database(session.dir.file("humo_tool.mdb"),
                                    testing::default_data_directory());
        db::create_default_database(defaults(), testing::default_data_directory());
    }
    std::string database() const { return session.dir.file("humo_tool.mdb"); }
    std::string defaults() const { return session.dir.file("defaults-2003.mdb"); }
    calculator::frmmaster& c() { return session.calc(); }
    void calculate() {
        session.start_calculator();
        session.pick_kenya_example();
    }
    CalculationReport gathered() {
        auto report = gather_report(c(), database(), defaults(), {'.'}, "2024-05-01 14:03");
        EXPECT_TRUE(std::holds_alternative<CalculationReport>(report));
        return std::get<CalculationReport>(report);
    }
    void edit(const std::string& sql) {
        sqlite::Database(database(), sqlite::OpenMode::kReadWrite).execute(sql);
    }

    testing::CalculatorSession session;
};

TEST(TypedStockTest, AStockWhereTheTableHasNoneWasTyped) {
    // In the fixture world the default soil has no stock in the Cool region.
    testing::CalculatorSession session(testing::read_fixture("calculator.sql"));
    session.start_calculator();
    calculator::frmmaster& c = session.calc();
    session.pick(c.country, "Atlantis");
    session.pick(c.climate_region, "Cool");
    session.type(c.carbon_stock, "50");
    session.pick(c.system1, "Set aside");
    session.pick(c.system2, "Set aside");
    auto report =
        gather_report(c, session.dir.file("humo_tool.mdb"), session.dir.file("none"), {'.'}, "now");
    ASSERT_TRUE(std::holds_alternative<CalculationReport>(report));
    const CalculationReport& r = std::get<CalculationReport>(report);
    EXPECT_EQ(r.from.stock, "41.0");
    EXPECT_TRUE(r.reference_stock.typed);
    EXPECT_FALSE(r.from.land_use_factor.typed);
}

TEST_F(ReportTest, NoReportWithoutBothPredictedStocks) {
    session.start_calculator();
    session.pick(c().country, "Kenya");
    session.pick(c().climate_region, "Tropical Dry");
    session.pick(c().system1, "Set aside");
    auto report = gather_report(c(), database(), defaults(), {'.'}, "now");
    ASSERT_TRUE(std::holds_alternative<NoReport>(report));
    EXPECT_EQ(std::get<NoReport>(report).reason, "no results");
}

TEST_F(ReportTest, TheEditedRowsAreListedAgainstTheShippedDefaults) {
    edit(
        "UPDATE c_stocks SET c_stock_Mg_ha = 70 WHERE soil_type = 'High clay activity mineral' "
        "AND humoclim = 'Boreal';"
        "DELETE FROM tbl_systems WHERE system = 'Set aside' AND climate_region = 'Tropical Wet';"
        "INSERT INTO tbl_input_factors VALUES ('Boreal', 'Very high', 'other', 1.5);");
    const EditedValues edited = edited_values(database(), defaults());
    EXPECT_TRUE(edited.compared);
    EXPECT_EQ(edited.count, 3u);
    EXPECT_EQ(edited.rows,
              (Strings{"c_stocks: High clay activity mineral, Boreal: c_stock_Mg_ha 70 (default "
                       "68)",
                       "tbl_systems: Set aside, Tropical Wet: removed",
                       "tbl_input_factors: Boreal, Very high, other: added (input_factor 1.5)"}));
    // Many edits: the first twenty are listed, and all of them counted.
    edit(
        "UPDATE tbl_climate_zone_lookup SET country_name = country_name || '!' "
        "WHERE country_name LIKE 'A%';");
    const EditedValues many = edited_values(database(), defaults());
    EXPECT_EQ(many.rows.size(), EditedValues::kListed);
    EXPECT_GT(many.count, 30u);
    CalculationReport report;
    report.edited = many;
    const ReportDocument document = report_document(report);
    EXPECT_EQ(document.origin.edited_rows.size(), EditedValues::kListed + 1);
    EXPECT_EQ(document.origin.edited_rows.back(),
              "… and " + std::to_string(many.count - EditedValues::kListed) + " more");
    EXPECT_EQ(
        document.origin.lines.back(),
        std::to_string(many.count) + " rows differ from the shipped defaults of that edition:");
}

TEST_F(ReportTest, WithoutTheShippedDefaultsTheReportSaysSo) {
    std::filesystem::remove(defaults());
    const EditedValues missing = edited_values(database(), defaults());
    EXPECT_FALSE(missing.compared);
    EXPECT_EQ(missing.note, "the shipped defaults (" + defaults() + ") are missing");
    CalculationReport r;
    r.edited = missing;
    EXPECT_EQ(report_document(r).origin.lines.back(),
              "Whether its values differ from the shipped defaults is not known: the shipped "
              "defaults (" +
                  defaults() + ") are missing.");
    db::create_database(defaults(), "DROP TABLE c_stocks;");
    EXPECT_EQ(edited_values(database(), defaults()).note,
              "the values could not be compared with the shipped defaults: no such table: "
              "c_stocks (in the database file " +
                  defaults() + ")");
}

// The figures as the calculator shows them, the names the user picked and a typed stock.
TEST_F(ReportTest, TheClipboardTextIsASpreadsheetRowAndAScenarioToo) {
    calculate();
    session.type(c().carbon_stock, "40");
    const CalculationReport report = gathered();
    EXPECT_TRUE(report.edited.compared);
    EXPECT_EQ(report.edited.count, 0u);
    const std::string text = results_text(report);
    EXPECT_EQ(text,
              "country\tclimate_region\tsoil_type\tfrom_land_use\tfrom_management\tfrom_input\t"
              "to_land_use\tto_management\tto_input\tcarbon_stock\treference_stock\t"
              "from_land_use_factor\tfrom_management_factor\tfrom_input_factor\tfrom_stock\t"
              "to_land_use_factor\tto_management_factor\tto_input_factor\tto_stock\t"
              "annual_change\tannual_co2\n"
              "Kenya\tTropical Dry\tHigh clay activity mineral\tLong-term cultivated\tFull "
              "tillage\tMedium\tGrassland\tImproved\tHigh\t40\t40\t0.69\t1\t1\t27.6\t1\t1.17\t"
              "1.11\t51.9\t1.22\t-4.46\n");  // (51.9 − 27.6) / 20 × 44/12 = 4.455: a half
    // Pasted back into humo-batch, the row computes to the same numbers.
    const engine::MemoryTables tables = engine::load_memory_tables(database(), {'.'});
    const testing::BatchOutput output = testing::run_on_text(text, tables);
    ASSERT_EQ(output.rows.size(), 1u);
    EXPECT_EQ(output.rows[0].at("error"), "");
    EXPECT_EQ(output.rows[0].at("to_stock"), "51.9");
    EXPECT_EQ(output.rows[0].at("annual_change"), "1.22");
}

TEST_F(ReportTest, ThePageSaysWhatWasComputedAndHow) {
    calculate();
    session.type(c().input_factor2, "1.2");
    edit(
        "UPDATE tbl_systems SET land_use_factor = 0.7 WHERE system = 'Long-term cultivated' "
        "AND climate_region = 'Boreal';");
    const ReportDocument d = report_document(gathered());
    EXPECT_EQ(d.title, "HUMO Soil Carbon Tool: calculation report");
    EXPECT_EQ(d.origin.lines,
              (Strings{"Made on 2024-05-01 14:03", "Database: " + database(),
                       "Default values: not recorded in this database (taken as the "
                       "Good-practice guidance, Chapter 3 defaults (2003))",
                       "1 row differs from the shipped defaults of that edition:"}));
    EXPECT_EQ(d.origin.edited_rows,
              (Strings{"tbl_systems: Long-term cultivated, Boreal: land_use_factor 0.7 (default "
                       "0.71)"}));
    EXPECT_EQ(d.site.back(), (std::pair<std::string, std::string>{
                                 "Reference carbon stock", "38 MgC/ha (from the database)"}));
    EXPECT_EQ(d.systems[6].label, "Input factor");
    EXPECT_EQ(d.systems[6].from, "1");
    EXPECT_EQ(d.systems[6].to, "1.2 (typed)");
    EXPECT_EQ(d.systems[7].from, "26.2 MgC/ha");
    EXPECT_EQ(d.change, "Annual carbon stock change: 1.36 MgC/ha/yr");  // (53.4 − 26.2) / 20
    EXPECT_EQ(d.co2, "As CO2, emissions positive (the change × −44/12): -4.99 MgCO2/ha/yr");
    EXPECT_EQ(d.chart.stock.labels, (Strings{"0", "20", "40", "60"}));
    EXPECT_EQ(d.chart.years.labels, (Strings{"0", "5", "10", "15", "20"}));
    EXPECT_EQ(d.chart.from_text, "26.2");
    EXPECT_EQ(d.chart.to_stock, 53.4);
}

TEST(StockAxisTest, FromZeroPastTheLargerStockInRoundSteps) {
    EXPECT_EQ(stock_axis(26.2, 49.4, {'.'}).labels, (Strings{"0", "10", "20", "30", "40", "50"}));
    EXPECT_EQ(stock_axis(114.6, 95.9, {'.'}).labels,
              (Strings{"0", "25", "50", "75", "100", "125"}));
    const ChartAxis small = stock_axis(0.3, 0.8, {','});
    EXPECT_EQ(small.labels, (Strings{"0", "0,2", "0,4", "0,6", "0,8"}));
    const ChartAxis negative = stock_axis(-12, 5, {'.'});
    EXPECT_EQ(negative.low, -15);
    EXPECT_EQ(negative.high, 5);
    const ChartAxis nothing = stock_axis(0, 0, {'.'});
    EXPECT_EQ(nothing.low, 0);
    EXPECT_GT(nothing.high, 0);
}

}  // namespace
}  // namespace humo::report
