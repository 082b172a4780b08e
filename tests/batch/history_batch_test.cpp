// humo-batch --history: a file of regimes in, each site's years out, as a user reads them.

#include "batch_harness.h"
#include "history_run.h"

namespace humo::batch {
namespace {

using testing::BatchOutput;
using testing::CommandRun;

const std::string kHeader =
    "site,year,country,climate_region,soil_type,land_use,management,input,area_ha\n";

// One regime of a site on the Kenyan field's soil.
std::string regime(const std::string& site, const std::string& year, const std::string& system,
                   const std::string& area, const std::string& country = "Kenya") {
    return site + "," + year + "," + country + ",Tropical Dry,High clay activity mineral," +
           system + "," + area + "\n";
}
const std::string kFullTillage = "Long-term cultivated,Full tillage,Medium";
const std::string kNoTill = "Long-term cultivated,No-till,Medium";
const std::string kGrassland = "Grassland,Improved,High";

// Field 7's rows out of year order and among Field 8's, which starts later and ends first.
const std::string kTwoFields = kHeader + regime("Field 7", "2005", kGrassland, "12.5") +
                               regime("Field 8", "1985", kFullTillage, "10") +
                               regime("Field 7", "1980", kFullTillage, "12.5") +
                               regime("Field 8", "2005", kGrassland, "10") +
                               regime("Field 7", "1996", kNoTill, "12.5");

const engine::MemoryTables& tables(char separator = '.') {
    static const testing::TempDir dir;
    static const std::string database = testing::shipped_database(dir);
    static const auto point = engine::load_memory_tables(database, {'.'});
    static const auto comma = engine::load_memory_tables(database, {','});
    return separator == ',' ? comma : point;
}

BatchOutput run(const std::string& input, const engine::YearSpan& years = {},
                char separator = '.') {
    BatchOutput output;
    output.summary =
        run_history_stream([&input] { return testing::reading(input, 7); },
                           [&](const char* data, size_t size) { output.text.append(data, size); },
                           tables(separator), years);
    testing::read_rows(output);
    return output;
}

// The rows of a site by year.
std::map<std::string, testing::OutputRow> years_of(const BatchOutput& output,
                                                   const std::string& site) {
    std::map<std::string, testing::OutputRow> years;
    for (const testing::OutputRow& row : output.rows) {
        if (row.at("site") == site)
            years[row.at("year")] = row;
    }
    return years;
}

std::vector<std::string> cells(const testing::OutputRow& row) {
    std::vector<std::string> figures;
    for (const char* column : {"stock", "equilibrium", "annual_change", "period_change",
                               "total_stock", "total_annual_change"})
        figures.push_back(row.at(column));
    return figures;
}

// Worked by hand: 38 × 0.69 = 26.22 until 1995; no-till's 30.6774 approached by 0.22287 a year
// from 1996 until grassland's 49.3506 takes over in 2005 from 28.22583, by 1.0562385 a year, which
// it reaches in 2024; 12.5 ha.
TEST(HistoryBatchTest, TwoChangesInsideTwentyYearsWhereverASitesRowsLie) {
    const BatchOutput output = run(kTwoFields);
    EXPECT_EQ(output.header,
              (std::vector<std::string>{"site", "year", "stock", "equilibrium", "annual_change",
                                        "period_change", "total_stock", "total_annual_change",
                                        "note", "error"}));
    // Field 8's last row comes first: its years come first, 1985 to 2025.
    ASSERT_EQ(output.rows.size(), 41u + 46u);
    EXPECT_EQ(output.rows[0].at("site"), "Field 8");
    EXPECT_EQ(output.rows[41].at("site"), "Field 7");
    auto field7 = years_of(output, "Field 7");
    EXPECT_EQ(field7.begin()->first, "1980");
    EXPECT_EQ(field7.rbegin()->first, "2025");
    using Figures = std::vector<std::string>;
    EXPECT_EQ(cells(field7["1980"]), (Figures{"26.2", "26.2", "", "", "327.8", ""}));
    EXPECT_EQ(cells(field7["1995"]), (Figures{"26.2", "26.2", "0.00", "0.00", "327.8", "0.00"}));
    EXPECT_EQ(cells(field7["1996"]), (Figures{"26.4", "30.7", "0.22", "0.22", "330.5", "2.79"}));
    EXPECT_EQ(cells(field7["2004"]), (Figures{"28.2", "30.7", "0.22", "0.22", "352.8", "2.79"}));
    EXPECT_EQ(cells(field7["2005"]), (Figures{"29.3", "49.4", "1.06", "1.06", "366.0", "13.20"}));
    EXPECT_EQ(cells(field7["2024"]), (Figures{"49.4", "49.4", "1.06", "1.06", "616.9", "13.20"}));
    EXPECT_EQ(cells(field7["2025"]), (Figures{"49.4", "49.4", "0.00", "0.00", "616.9", "0.00"}));
    EXPECT_EQ(field7["1980"].at("note"),
              "the stock is assumed to be at the first regime's equilibrium at the end of 1980; "
              "only 16 years before the first change in 1996: the stock may not have been at "
              "equilibrium in 1980");
    EXPECT_EQ(field7["1981"].at("note"), "");
    EXPECT_EQ(years_of(output, "Field 8")["1985"].at("note"),
              "the stock is assumed to be at the first regime's equilibrium at the end of 1985");

    // The window's rows for the same history, as humo-script's golden dump of it holds them.
    const std::string window = testing::read_fixture("../scenarios/history.expected");
    for (const auto& [year, row] : field7) {
        std::string line = "{\"site\":\"Field 7\",\"year\":" + year;
        for (const char* column : {"stock", "equilibrium", "annual_change", "period_change",
                                   "total_stock", "total_annual_change"})
            line += ",\"" + std::string(column) + "\":\"" + row.at(column) + "\"";
        EXPECT_THAT(window, ::testing::HasSubstr(line + "}\n")) << year;
    }

    EXPECT_EQ(output.summary.summary_line(), "2 sites: 2 computed, 0 with errors");
    // The sites' exact totals summed, then rounded: 327.75 + 262.2, Field 8 in its first year;
    // in 2005 366.02585625 + 273.7653 and 13.20298125 + 11.5653.
    const std::vector<std::string>& totals = output.summary.total_lines;
    ASSERT_EQ(totals.size(), 46u);
    EXPECT_EQ(totals[0], "total in 1980: stock 327.8 MgC (1 site)");
    EXPECT_EQ(totals[5], "total in 1985: stock 590.0 MgC, annual change 0.00 MgC/yr (2 sites)");
    EXPECT_EQ(totals[25], "total in 2005: stock 639.8 MgC, annual change 24.77 MgC/yr (2 sites)");
}

TEST(HistoryBatchTest, EveryFewYearsTheChangeSinceTheYearShownBefore) {
    const BatchOutput output = run(kTwoFields, {1990, 2010, 5});
    const auto field7 = years_of(output, "Field 7");
    std::vector<std::string> years, annual, period;
    for (const auto& [year, row] : field7) {
        years.push_back(year);
        annual.push_back(row.at("annual_change"));
        period.push_back(row.at("period_change"));
    }
    using Texts = std::vector<std::string>;
    EXPECT_EQ(years, (Texts{"1990", "1995", "2000", "2005", "2010"}));
    EXPECT_EQ(annual, (Texts{"0.00", "0.00", "0.22", "1.06", "1.06"}));
    // (27.33435 − 26.22) / 5, (29.2820685 − 27.33435) / 5, (34.563261 − 29.2820685) / 5.
    EXPECT_EQ(period, (Texts{"", "0.00", "0.22", "0.39", "1.06"}));
}

TEST(HistoryBatchTest, ASiteThatCannotBeComputedGetsOneRowSayingWhyAndTheRunGoesOn) {
    const BatchOutput output = run(
        kHeader + regime("A", "1980", kFullTillage, "1") +
        regime("A", "1990", "Forest,Full tillage,Medium", "1") +
        regime("B", "1980", kFullTillage, "1") + regime("B", "1990", kGrassland, "1", "Uganda") +
        regime("C", "1980", kFullTillage, "12.5") + regime("C", "1990", kGrassland, "13") +
        regime("D", "1980", kFullTillage, "") + regime("D", "1990", kGrassland, " "));
    ASSERT_EQ(output.rows.size(), 3u + 31u);
    using Texts = std::vector<std::string>;
    const Texts empty(6, "");
    const Texts errors = {"land_use \"Forest\" is unknown",
                          "country \"Uganda\" differs from \"Kenya\" on line 4; every row of a "
                          "site gives the same",
                          "area_ha \"13\" differs from \"12.5\" on line 6; every row of a site "
                          "gives the same"};
    for (size_t i = 0; i < errors.size(); ++i) {
        EXPECT_EQ(output.rows[i].at("site"), Texts({"A", "B", "C"})[i]);
        EXPECT_EQ(output.rows[i].at("year"), "1990");
        EXPECT_EQ(cells(output.rows[i]), empty);
        EXPECT_EQ(output.rows[i].at("error"), errors[i]);
    }
    // An area left empty, blank or not, gives no totals.
    EXPECT_EQ(output.rows[3].at("site"), "D");
    EXPECT_EQ(cells(output.rows[3]), (Texts{"26.2", "26.2", "", "", "", ""}));
    EXPECT_TRUE(output.summary.total_lines.empty());
    EXPECT_EQ(output.summary.summary_line(), "4 sites: 1 computed, 3 with errors");
    EXPECT_EQ(BatchSummary::error_line(output.summary.first_errors.at(0)),
              "line 3: site \"A\", 1990: land_use \"Forest\" is unknown");
}

// Semicolons, decimal commas, a byte order mark and CRLF, as a spreadsheet writes them.
TEST(HistoryBatchTest, TheOutputSpeaksTheInputsDialect) {
    const BatchOutput output =
        run("\xEF\xBB\xBFsite;year;country;climate_region;soil_type;land_use;management;input;area_"
            "ha\r\n"
            "Field 7;1980;Kenya;Tropical Dry;High clay activity mineral;Long-term cultivated;"
            "Full tillage;Medium;12,5\r\n",
            {}, ',');
    EXPECT_THAT(output.text, StartsWith("\xEF\xBB\xBFsite;year;stock;"));
    EXPECT_THAT(output.text, HasSubstr("\r\nField 7;1981;26,2;26,2;0,00;0,00;327,8;0,00;;\r\n"));
}

class HumoBatchHistoryTest : public ::testing::Test {
protected:
    HumoBatchHistoryTest() : database(testing::shipped_database(dir)) {}

    // `before` may pipe something in.
    CommandRun humo_batch(const std::string& arguments, const std::string& before = "") {
        return testing::run_in(dir,
                               before + HUMO_BATCH + " --database " + database + " " + arguments);
    }

    testing::TempDir dir;
    std::string database;
};

TEST_F(HumoBatchHistoryTest, ExitStatusesAndStandardError) {
    testing::write_bytes(dir.file("in.csv"), kHeader + regime("F", "1980", kFullTillage, "2") +
                                                 regime("F", "2010", kGrassland, "2"));
    CommandRun run = humo_batch("--history --from 2029 in.csv -o out.csv");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              "1 site: 1 computed, 0 with errors\n"
              "total in 2029: stock 98.7 MgC, annual change 2.31 MgC/yr (1 site)\n"
              "total in 2030: stock 98.7 MgC, annual change 0.00 MgC/yr (1 site)\n");
    // Standard input is read twice all the same.
    run = humo_batch("--history --quiet -", "cat in.csv | ");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(testing::read_records(run.out).size(), 1u + 51u);

    testing::write_bytes(dir.file("bad.csv"), kHeader + regime("F", "1980", kFullTillage, "2") +
                                                  regime("G", "1980", kFullTillage, "2", "Kenia"));
    run = humo_batch("--history --quiet bad.csv -o out.csv");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "line 3: site \"G\", 1980: country \"Kenia\" is unknown; did you mean \"Kenya\"?\n");

    testing::write_bytes(dir.file("sites.csv"), "sites" + kHeader.substr(4));
    run = humo_batch("--history sites.csv -o new.csv");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "humo-batch: line 1: the header has no column \"site\"; the column \"sites\" may be "
              "meant; nothing was written\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("new.csv")));
    for (const char* arguments : {"--history --from 2000 --to 1990 in.csv", "--every 5 in.csv",
                                  "--history --co2 in.csv", "--history --every 0 in.csv"})
        EXPECT_EQ(humo_batch(arguments).status, 2) << arguments;
}

// A run the progress report stops leaves no file; one it lets go on writes every site.
TEST_F(HumoBatchHistoryTest, ACancelledRunLeavesNoFile) {
    std::string input = kHeader;
    for (int site = 0; site < 5000; ++site)
        input += regime("F" + std::to_string(site), "1980", kFullTillage, "1");
    testing::write_bytes(dir.file("in.csv"), input);
    const HistoryRequest request{dir.file("in.csv"), dir.file("out.csv"), database, {}, {}};
    EXPECT_THROW(run_history(request,
                             [&](const BatchProgress& progress) {
                                 EXPECT_EQ(progress.total_bytes,
                                           static_cast<int64_t>(input.size()));
                                 return false;
                             }),
                 BatchCancelled);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.csv")));
    const BatchSummary summary = run_history(request, [](const BatchProgress&) { return true; });
    EXPECT_EQ(summary.summary_line(), "5000 sites: 5000 computed, 0 with errors");
    EXPECT_EQ(testing::read_records(testing::bytes_of(dir.file("out.csv"))).size(),
              1u + 5000u * 21u);
}

}  // namespace
}  // namespace humo::batch
