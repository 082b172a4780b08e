// Restoring the defaults over a database that another program is changing, that is a symbolic
// link, or that is missing.

#include "restore_defaults.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "default_database.h"
#include "files.h"
#include "fixture_paths.h"
#include "sqlite_database.h"
#include "sqlite_statement.h"
#include "temp_dir.h"

namespace humo::db {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using testing::bytes_of;
using testing::file_names;

double stock_of(const std::string& database) {
    sqlite::Database file(database, sqlite::OpenMode::kReadOnly);
    sqlite::Statement stock(file,
                            "SELECT c_stock_Mg_ha FROM c_stocks WHERE soil_type = 'Sandy' AND "
                            "humoclim = 'Tropical Dry'");
    return stock.step() ? stock.number(0) : -1;
}

// Another program in the middle of changing a stock: it commits when told to.
class OtherProgramChanging {
public:
    explicit OtherProgramChanging(const std::string& database) {
        int ready[2];
        ::pipe(ready);
        ::pipe(go_on_);
        pid_ = ::fork();
        if (pid_ == 0) {
            sqlite::Database file(database, sqlite::OpenMode::kReadWrite);
            file.execute("BEGIN IMMEDIATE; UPDATE c_stocks SET c_stock_Mg_ha = 1234;");
            ::write(ready[1], "!", 1);
            char wait;
            ::read(go_on_[0], &wait, 1);
            file.execute("COMMIT");
            _exit(0);
        }
        char started;
        ::read(ready[0], &started, 1);
    }
    ~OtherProgramChanging() {
        ::write(go_on_[1], "!", 1);
        ::waitpid(pid_, nullptr, 0);
    }
    pid_t pid() const { return pid_; }

private:
    int go_on_[2] = {-1, -1};
    pid_t pid_ = -1;
};

class RestoreOverTest : public ::testing::Test {
protected:
    RestoreOverTest() {
        create_default_database(defaults, testing::default_data_directory());
        fs::create_directory(dir.path() / "data");
    }

    std::string restore(const std::string& database) {
        return restore_defaults(database, defaults, std::chrono::system_clock::now());
    }

    testing::TempDir dir;
    const std::string defaults = dir.file("defaults-2003.mdb");
    const std::string database = dir.file("data/humo_tool.mdb");
};

TEST_F(RestoreOverTest, AnotherProgramsChangeIsWaitedOnThenNamedAndNeverHalfTaken) {
    fs::copy_file(defaults, database);
    {
        sqlite::Database file(database, sqlite::OpenMode::kReadWrite);
        file.execute("UPDATE c_stocks SET c_stock_Mg_ha = 99");
    }
    const std::string before = bytes_of(database);
    std::string backup;
    {
        OtherProgramChanging other(database);
        try {
            restore(database);
            ADD_FAILURE() << "restored while another program held the file";
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(std::string(error.what()),
                      "The database file " + database +
                          " is locked by another program. It is open in db_tests (process " +
                          std::to_string(other.pid()) + ").");
        }
        EXPECT_EQ(bytes_of(database), before);
        // No backup: only the other program's journal of its change lies beside the file.
        EXPECT_EQ(file_names(dir.path() / "data"),
                  (Names{"humo_tool.mdb", "humo_tool.mdb-journal"}));
    }
    // Once the other program has finished, its change is what the backup keeps.
    backup = restore(database);
    EXPECT_EQ(stock_of(dir.file("data/" + backup)), 1234);
    EXPECT_EQ(stock_of(database), stock_of(defaults));
    EXPECT_EQ(file_names(dir.path() / "data"), (Names{backup, "humo_tool.mdb"}));
}

TEST_F(RestoreOverTest, ALinkStaysALinkAndItsFileGetsTheDefaults) {
    fs::copy_file(defaults, dir.file("data/real.mdb"));
    {
        sqlite::Database file(dir.file("data/real.mdb"), sqlite::OpenMode::kReadWrite);
        file.execute("UPDATE c_stocks SET c_stock_Mg_ha = 99");
    }
    const std::string link = dir.file("humo_tool.mdb");
    fs::create_symlink("data/real.mdb", link);
    const std::string backup = restore(link);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(stock_of(link), stock_of(defaults));
    EXPECT_EQ(stock_of(dir.file("data/" + backup)), 99);
}

TEST_F(RestoreOverTest, AMissingDatabaseIsSimplyPutInPlace) {
    EXPECT_EQ(restore(database), "");
    EXPECT_EQ(bytes_of(database), bytes_of(defaults));
    EXPECT_EQ(file_names(dir.path() / "data"), Names{"humo_tool.mdb"});
}

}  // namespace
}  // namespace humo::db
