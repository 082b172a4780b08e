// humo-batch as a user runs it: exit statuses, what goes to standard output and standard
// error, and an output file that appears whole or not at all.

#include "batch_files.h"
#include "batch_harness.h"
#include "text_matchers.h"

namespace humo::batch {
namespace {

const std::string& kHeader = testing::kScenarioHeader;
const std::string& kKenya = testing::kKenya;

using testing::bytes_of;
using testing::CommandRun;
using testing::file_names;
constexpr auto write = testing::write_bytes;

class HumoBatchTest : public ::testing::Test {
protected:
    HumoBatchTest() : database(testing::shipped_database(dir)) {}

    CommandRun humo_batch(const std::string& arguments, const std::string& environment = "") {
        return testing::run_in(
            dir, environment + " " + HUMO_BATCH + " --database " + database + " " + arguments);
    }

    // The files of the test's directory, apart from the database and the captured streams.
    std::vector<std::string> files() const {
        std::vector<std::string> names = file_names(dir.path());
        std::erase_if(names, [](const std::string& name) {
            return name == "humo_tool.mdb" || name == "out.txt" || name == "err.txt";
        });
        return names;
    }

    testing::TempDir dir;
    std::string database;
};

TEST_F(HumoBatchTest, EveryRowComputedExitsZeroWithTheSummaryOnStandardError) {
    write(dir.file("in.csv"), kHeader + "\n" + kKenya + "\n" + kKenya + "\n");
    const CommandRun run = humo_batch("in.csv");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "2 rows: 2 computed, 0 with errors\n");
    // The columns themselves are the batch's own; here, that they and nothing else are printed.
    const std::string row = kKenya + ",38,0.69,1,1,26.2,1,1.17,1.11,49.4,1.16,\n";
    EXPECT_THAT(run.out, StartsWith(kHeader + ",reference_stock,"));
    EXPECT_THAT(run.out, EndsWith(",annual_change,error\n" + row + row));
    // Standard input, and a comma as the decimal separator.
    const CommandRun piped = humo_batch("- --decimal-separator , <in.csv");
    EXPECT_EQ(piped.status, 0);
    EXPECT_THAT(piped.out, HasSubstr(",\"0,69\",1,1,\"26,2\","));
}

TEST_F(HumoBatchTest, RowsWithErrorsExitOneAndTheFirstTenAreListed) {
    std::string input = kHeader + "\n" + kKenya + "\n";
    for (int i = 0; i < 12; ++i)
        input += "Kenia" + kKenya.substr(5) + "\n";
    write(dir.file("in.csv"), input);
    const CommandRun run = humo_batch("in.csv -o out.csv");
    EXPECT_EQ(run.status, 1);
    std::string expected = "13 rows: 1 computed, 12 with errors\n";
    for (int line = 3; line <= 12; ++line) {
        expected += "line " + std::to_string(line) +
                    ": country \"Kenia\" is unknown; did you mean \"Kenya\"?\n";
    }
    expected += "… and 2 more rows with errors (see the error column)\n";
    EXPECT_EQ(run.err, expected);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(testing::read_records(bytes_of(dir.file("out.csv"))).size(), 14u);

    // Quiet: the errors only.
    const CommandRun quiet = humo_batch("--quiet in.csv -o out.csv");
    EXPECT_EQ(quiet.status, 1);
    EXPECT_EQ(quiet.err, expected.substr(expected.find('\n') + 1));
}

TEST_F(HumoBatchTest, NothingUsableExitsTwoAndLeavesNoFile) {
    write(dir.file("in.csv"), kHeader + "\n" + kKenya + "\n");
    write(dir.file("no-column.csv"), "country,climate_region\nKenya,Tropical Dry\n");
    write(dir.file("broken.csv"), kHeader + "\n" + kKenya + "\n" + kKenya + ",\"open\n");

    CommandRun run = humo_batch("no-column.csv -o out.csv");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "humo-batch: line 1: the header has no column \"soil_type\"; nothing was written\n");
    run = humo_batch("missing.csv -o out.csv");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(
        run.err,
        "humo-batch: cannot read missing.csv: No such file or directory; nothing was written\n");
    run = humo_batch("in.csv -o out.csv --database " + dir.file("none.mdb"));
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "humo-batch: The database file " + dir.file("none.mdb") +
                           " does not exist; nothing was written\n");
    EXPECT_EQ(humo_batch("in.csv -o no/such/dir/out.csv").status, 2);
    EXPECT_EQ(files(), (std::vector<std::string>{"broken.csv", "in.csv", "no-column.csv"}));

    // A run that fails half-way leaves an earlier output as it was and nothing beside it.
    write(dir.file("out.csv"), "earlier results\n");
    run = humo_batch("broken.csv -o out.csv");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "humo-batch: line 3: a quoted field that starts here is never closed; nothing was "
              "written\n");
    EXPECT_EQ(bytes_of(dir.file("out.csv")), "earlier results\n");
    EXPECT_EQ(files(),
              (std::vector<std::string>{"broken.csv", "in.csv", "no-column.csv", "out.csv"}));
}

// A rerun over such an output is the batch's own: its CSV test.
TEST_F(HumoBatchTest, TheOutputMayReplaceTheInput) {
    write(dir.file("in.csv"), kHeader + ",area_ha\n" + kKenya + ",10\n");
    ASSERT_EQ(humo_batch("in.csv -o in.csv").status, 0);
    const std::string once = bytes_of(dir.file("in.csv"));
    EXPECT_THAT(once, HasSubstr(",49.4,1.16,11.57,\n"));
    EXPECT_EQ(files(), (std::vector<std::string>{"in.csv"}));
}

TEST_F(HumoBatchTest, ADashWritesToStandardOutputAndTheDatabaseInUseIsNeverTheOutput) {
    write(dir.file("in.csv"), kHeader + "\n" + kKenya + "\n");
    const CommandRun dash = humo_batch("in.csv -o -");
    EXPECT_EQ(dash.status, 0);
    EXPECT_THAT(dash.out, EndsWith(kKenya + ",38,0.69,1,1,26.2,1,1.17,1.11,49.4,1.16,\n"));
    const std::string before = bytes_of(database);
    const CommandRun in_use = humo_batch("in.csv -o " + database);
    EXPECT_EQ(in_use.status, 2);
    EXPECT_EQ(in_use.err, "humo-batch: cannot write " + database +
                              ": it is the database in use; nothing was written\n");
    EXPECT_EQ(bytes_of(database), before);
    EXPECT_EQ(files(), (std::vector<std::string>{"in.csv"}));
}

TEST_F(HumoBatchTest, TheCommandLine) {
    CommandRun run = humo_batch("--help");
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, StartsWith("usage: humo-batch [--database FILE | --edition ID]"));
    EXPECT_THAT(run.out, HasSubstr("Exit status: 0 every row computed, 1 some rows have errors, 2 "
                                   "nothing written."));
    run = humo_batch("--version");
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.out, StartsWith("humo-batch "));
    run = humo_batch("--frobnicate in.csv");
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, StartsWith("humo-batch: unknown option --frobnicate\nusage:"));
    run = humo_batch("");
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.starts_with("humo-batch: no input file")) << run.err;
    EXPECT_EQ(humo_batch("a.csv b.csv").status, 2);
    run = humo_batch("--decimal-separator 5 a.csv");
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.starts_with("humo-batch: the decimal separator must be")) << run.err;

    // The ranges' choices go with --uncertainty, and the iterations are bounded.
    run = humo_batch("--seed 3 in.csv");
    EXPECT_THAT(run.err, StartsWith("humo-batch: --iterations and --seed go with --uncertainty"));
    for (const char* iterations : {"0", "100001", "1e3"}) {
        run = humo_batch(std::string("--uncertainty --iterations ") + iterations + " in.csv");
        EXPECT_EQ(run.status, 2) << iterations;
        EXPECT_THAT(run.err, StartsWith("humo-batch: --iterations must be a whole number"));
    }
    EXPECT_THAT(humo_batch("--uncertainty --seed -1 in.csv").err,
                StartsWith("humo-batch: --seed must be a whole number"));

    // Under the C locale numbers have a point unless the separator is given.
    write(dir.file("in.csv"), kHeader + ",carbon_stock\n" + kKenya + ",\"40,5\"\n");
    EXPECT_EQ(humo_batch("in.csv --decimal-separator=,", "LC_ALL=C").status, 0);
    run = humo_batch("in.csv", "LC_ALL=C");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "1 row: 0 computed, 1 with errors\nline 2: carbon_stock \"40,5\" is not a number\n");
}

TEST_F(HumoBatchTest, ACancelledRunLeavesNoFile) {
    std::string input = kHeader + "\n";
    for (int i = 0; i < 10000; ++i)
        input += kKenya + "\n";
    write(dir.file("in.csv"), input);
    int reports = 0;
    const BatchRequest request{dir.file("in.csv"), dir.file("out.csv"), database, {}, {}, false};
    EXPECT_THROW(run_batch(request,
                           [&](const BatchProgress& progress) {
                               EXPECT_EQ(progress.total_bytes, static_cast<int64_t>(input.size()));
                               return ++reports < 2;
                           }),
                 BatchCancelled);
    EXPECT_EQ(reports, 2);
    EXPECT_EQ(files(), (std::vector<std::string>{"in.csv"}));

    // Cancelled at its very end, a run still leaves nothing.
    EXPECT_THROW(
        run_batch(request, [](const BatchProgress& progress) { return progress.rows < 10000; }),
        BatchCancelled);
    EXPECT_EQ(files(), (std::vector<std::string>{"in.csv"}));
    const BatchSummary summary = run_batch(request, [](const BatchProgress&) { return true; });
    EXPECT_EQ(summary.summary_line(), "10000 rows: 10000 computed, 0 with errors");
    EXPECT_EQ(files(), (std::vector<std::string>{"in.csv", "out.csv"}));
}

}  // namespace
}  // namespace humo::batch
