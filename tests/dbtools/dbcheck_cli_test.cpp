#include <filesystem>
#include <fstream>
#include <tuple>

#include "default_database.h"
#include "files.h"
#include "fixture_paths.h"
#include "other_program_lock.h"
#include "temp_dir.h"
#include "text_matchers.h"

namespace humo::db {
namespace {

namespace fs = std::filesystem;

using CommandRun = testing::ProgramRun;
using testing::bytes_of;

// Runs humo-dbcheck with the arguments, after any environment settings ("NAME=value "); the
// output is standard output, then standard error.
CommandRun humo_dbcheck(const std::string& arguments, const std::string& environment = "") {
    return testing::run_program(environment + HUMO_DBCHECK + " " + arguments + " 2>&1");
}

const std::string kNwind = std::string(HUMO_TEST_DATA) + "/nwind.mdb";

TEST(DbcheckCommandTest, ExitsZeroOnASoundDatabaseAndOneWithFindings) {
    testing::TempDir dir;
    create_default_database(dir.file("sound.mdb"), testing::default_data_directory());
    CommandRun sound = humo_dbcheck(dir.file("sound.mdb"));
    EXPECT_EQ(sound.status, 0);
    EXPECT_EQ(sound.output, "Checking " + dir.file("sound.mdb") +
                                "\nNo findings: the database has everything the calculator "
                                "needs.\n");

    create_database(dir.file("faulty.mdb"), testing::read_fixture("calculator.sql"));
    CommandRun faulty = humo_dbcheck(dir.file("faulty.mdb"));
    EXPECT_EQ(faulty.status, 1);
    EXPECT_THAT(faulty.output, HasSubstr("Climate region codes without a name (1)\n  error: "
                                         "tbl_climate_zone_lookup.climate_region_code 99: "));
}

TEST(DbcheckCommandTest, ExitsTwoWhenTheFileCannotBeReadOrTheArgumentsAreWrong) {
    testing::TempDir dir;
    std::ofstream(dir.file("text.mdb")) << "just some text, long enough to be no database\n";
    const std::string usage = "usage: humo-dbcheck [[--database] FILE]\n";
    const std::vector<std::tuple<std::string, int, std::string>> runs = {
        {dir.file("missing.mdb"), 2, "missing.mdb cannot be read"},
        {"--database " + dir.file("missing.mdb"), 2, "missing.mdb cannot be read"},
        {dir.file("text.mdb"), 2, "The file " + dir.file("text.mdb") + " is not a database.\n"},
        {"one two", 2, ""},
        {"--verbose", 2, ""},
        {"-v", 2, usage},
        {"--help", 0, usage},
    };
    for (const auto& [arguments, status, says] : runs) {
        const CommandRun run = humo_dbcheck(arguments);
        EXPECT_EQ(run.status, status) << arguments;
        const bool said = says == usage ? run.output.starts_with(says)
                                        : run.output.find(says) != std::string::npos;
        EXPECT_TRUE(said) << arguments << "\n" << run.output;
    }
}

// Another program writing the file holds its lock; waiting for it is the engine's, as at the
// window's start. When the lock stays, the check says which file is locked.
TEST(DbcheckCommandTest, NamesTheFileWhenALockStays) {
    testing::TempDir dir;
    const std::string path = dir.file("humo_tool.mdb");
    create_default_database(path, testing::default_data_directory());
    testing::OtherProgramLock lock(path);
    const CommandRun locked = humo_dbcheck(path);
    EXPECT_EQ(locked.status, 2);
    EXPECT_THAT(locked.output, EndsWith("humo-dbcheck: The database file " + path +
                                        " is locked by another program.\n"));
}

TEST(DbcheckCommandTest, ChecksAnAccessDatabaseThroughAConvertedCopy) {
    testing::TempDir temporary;
    const std::string before = bytes_of(kNwind);
    CommandRun run = humo_dbcheck(kNwind, "TMPDIR=" + temporary.path().string() + " ");
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.output,
                HasSubstr("It is an Access database (Jet 3): checking a converted copy; "
                          "the file is not changed.\nMissing tables and columns (9)\n"
                          "  error: tbl_climate_regions: the table is missing\n"));
    // The converted copy is gone, and the file itself is as it was.
    EXPECT_TRUE(fs::is_empty(temporary.path()));
    EXPECT_EQ(bytes_of(kNwind), before);
}

TEST(DbcheckCommandTest, ImportsAnAccessDatabaseIntoANewFileOnly) {
    testing::TempDir dir;
    const std::string output = dir.file("nwind.sqlite");
    CommandRun run = humo_dbcheck("--import " + kNwind + " " + output);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_THAT(run.output,
                HasSubstr("(Jet 3): 9 tables, 4032 rows.\n  Order Details: 2155 rows\n"));
    EXPECT_THAT(run.output, HasSubstr("  Umsätze: 830 rows\n"));
    const std::string written = bytes_of(output);
    EXPECT_EQ(written.rfind(std::string("SQLite format 3\0", 16), 0), 0u);

    CommandRun again = humo_dbcheck("--import " + kNwind + " " + output);
    EXPECT_EQ(again.status, 2);
    EXPECT_THAT(again.output, HasSubstr("exists already; nothing was written"));
    EXPECT_EQ(bytes_of(output), written);

    EXPECT_EQ(humo_dbcheck("--import " + output + " " + dir.file("other.sqlite")).status, 2);

    // A file cut short part way through its tables.
    testing::write_bytes(dir.file("cut.mdb"), bytes_of(kNwind).substr(0, 1 << 20));
    CommandRun cut = humo_dbcheck("--import " + dir.file("cut.mdb") + " " + dir.file("cut.sqlite"));
    EXPECT_EQ(cut.status, 2);
    EXPECT_THAT(cut.output,
                HasSubstr("humo-dbcheck: " + dir.file("cut.mdb") + " cannot be read ("));
    EXPECT_THAT(cut.output, EndsWith("; nothing was written\n"));
    EXPECT_EQ(testing::file_names(dir.path()),
              (std::vector<std::string>{"cut.mdb", "nwind.sqlite"}));
}

}  // namespace
}  // namespace humo::db
