// humo-batch --edition: the same scenario on the pristine defaults of each edition beside the
// program, and the command lines it refuses.

#include <filesystem>
#include <fstream>

#include "batch_harness.h"
#include "text_matchers.h"

namespace humo::batch {
namespace {

namespace fs = std::filesystem;

const std::string& kHeader = testing::kScenarioHeader;
// A field converted from full tillage and medium input to no-till with manure.
const std::string kGermany =
    "Germany,Cold Temperate Wet,High clay activity mineral,Long-term cultivated,Full tillage,"
    "Medium,Long-term cultivated,No-till,High with manure";

using testing::CommandRun;

class HumoBatchEditionTest : public ::testing::Test {
protected:
    HumoBatchEditionTest() {
        std::ofstream(dir.file("in.csv")) << kHeader << "\n" << kGermany << "\n";
    }

    testing::TempDir dir;
};

TEST_F(HumoBatchEditionTest, TheSameFieldGivesEachEditionsStocks) {
    // Cold Temperate Wet, high-activity clay, from each edition's CSV files: the stock, then
    // long-term cultivated, no-till and high input with manure.
    //   2003: 95, 0.71, 1.16, 1.38; 2006: 95, 0.69, 1.15, 1.44; 2019: 81, 0.70, 1.09, 1.44
    const std::map<std::string, std::string> results = {
        {"2003", ",95,0.71,1,1,67.5,0.71,1.16,1.38,108.0,2.03,"},
        {"2006", ",95,0.69,1,1,65.6,0.69,1.15,1.44,108.6,2.15,"},
        {"2019", ",81,0.7,1,1,56.7,0.7,1.09,1.44,89.0,1.62,"},
    };
    for (const auto& [edition, result] : results) {
        const CommandRun batch =
            testing::run_in(dir, HUMO_BATCH " --edition " + edition + " in.csv");
        EXPECT_EQ(batch.status, 0) << edition << ": " << batch.err;
        EXPECT_TRUE(batch.out.ends_with(",error\n" + kGermany + result + "\n")) << batch.out;
    }
}

// Each edition's ranges from its own published uncertainties; the oldest publishes none.
TEST_F(HumoBatchEditionTest, RangesComeFromEachEditionsPublishedUncertainties) {
    std::ofstream(dir.file("in.csv")) << kHeader << ",area_ha\n" << kGermany << ",10\n";
    std::map<std::string, testing::OutputRow> rows;
    for (const char* edition : {"2003", "2006", "2019"}) {
        const CommandRun batch = testing::run_in(
            dir, HUMO_BATCH " --edition " + std::string(edition) + " --uncertainty in.csv");
        EXPECT_EQ(batch.status, 0) << batch.err;
        const auto records = testing::read_records(batch.out);
        ASSERT_EQ(records.size(), 2u);
        for (size_t c = 0; c < records[0].size(); ++c)
            rows[edition][records[0][c]] = records[1][c];
        const std::string& total = rows[edition]["total_annual_change"];
        EXPECT_THAT(batch.err, HasSubstr("\ntotal annual change: " + total + " MgC/yr, 95% range " +
                                         rows[edition]["total_annual_change_low"] + " to " +
                                         rows[edition]["total_annual_change_high"] + "\n"));
    }
    EXPECT_EQ(rows["2003"]["annual_change_low"], rows["2003"]["annual_change_high"]);
    EXPECT_EQ(rows["2003"]["not_covered"],
              "reference stock 95; land-use factor 0.71; management factor 1.16; input factor "
              "1.38");
    for (const char* edition : {"2006", "2019"}) {
        testing::OutputRow& row = rows[edition];
        EXPECT_EQ(row["not_covered"], "") << edition;
        EXPECT_LT(std::stod(row["to_stock_low"]), std::stod(row["to_stock"])) << edition;
        EXPECT_GT(std::stod(row["to_stock_high"]), std::stod(row["to_stock"])) << edition;
    }
}

TEST_F(HumoBatchEditionTest, AnUnknownEditionOrOneWithADatabaseIsRefused) {
    const std::string usage =
        "usage: humo-batch [--database FILE | --edition ID] [--decimal-separator C] [--quiet]\n"
        "                  [--uncertainty [--iterations N] [--seed S]] [--co2] INPUT.csv\n"
        "                  [-o OUTPUT.csv]\n"
        "       humo-batch --history [--from YEAR] [--to YEAR] [--every N] [--database FILE |\n"
        "                  --edition ID] [--decimal-separator C] [--quiet] INPUT.csv\n"
        "                  [-o OUTPUT.csv]\n";
    for (const auto& [arguments, says] : std::map<std::string, std::string>{
             {"--edition 1996 in.csv", "no edition 1996; the editions are 2003, 2006, 2019"},
             {"--edition=2006 --database in.csv in.csv",
              "--edition and --database name two databases; give one"},
             {"in.csv --edition", "--edition needs a value"}}) {
        const CommandRun batch = testing::run_in(dir, HUMO_BATCH " -o out.csv " + arguments);
        EXPECT_EQ(batch.status, 2) << arguments;
        EXPECT_EQ(batch.err, "humo-batch: " + says + "\n" + usage);
    }
    EXPECT_FALSE(fs::exists(dir.file("out.csv")));
}

TEST_F(HumoBatchEditionTest, MissingDefaultsAreNamed) {
    // A copy of the program with no defaults beside it nor installed.
    fs::create_directories(dir.path() / "bin");
    fs::copy_file(HUMO_BATCH, dir.path() / "bin" / "humo-batch");
    const CommandRun batch =
        testing::run_in(dir, "bin/humo-batch --edition 2019 in.csv -o out.csv");
    EXPECT_EQ(batch.status, 2);
    EXPECT_EQ(batch.err, "humo-batch: the defaults of the 2019 edition, " +
                             (dir.path() / "bin" / "defaults-2019.mdb").string() +
                             ", are missing\n");
    EXPECT_FALSE(fs::exists(dir.file("out.csv")));
}

}  // namespace
}  // namespace humo::batch
