// Restoring the defaults: dated backups, a disk that fills up, and a database that another
// program is changing, that is a symbolic link, or that is missing.

#include "restore_defaults.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>

#include "default_database.h"
#include "failure_of.h"
#include "files.h"
#include "fixture_paths.h"
#include "sqlite_database.h"
#include "sqlite_statement.h"
#include "temp_dir.h"

namespace humo::db {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using namespace std::chrono;
using testing::bytes_of;
using testing::file_names;
using testing::write_bytes;

const std::string kDefaults = "pristine defaults " + std::string(50000, 'd');
const std::string kEdited = "edited by the user " + std::string(5000, 'e');

// The database and its directory; the defaults elsewhere; local time two hours east of UTC.
class RestoreDefaultsTest : public ::testing::Test {
protected:
    RestoreDefaultsTest() {
        setenv("TZ", "ABC-2", 1);
        tzset();
        fs::create_directories(data);
        write_bytes(database, kEdited);
        write_bytes(defaults, kDefaults);
    }
    ~RestoreDefaultsTest() override {
        old_zone ? setenv("TZ", old_zone->c_str(), 1) : unsetenv("TZ");
        tzset();
    }

    const std::optional<std::string> old_zone =
        std::getenv("TZ") ? std::optional<std::string>(std::getenv("TZ")) : std::nullopt;
    testing::TempDir dir;
    const fs::path data = dir.path() / "data";
    const std::string database = (data / "humo_tool.mdb").string();
    const std::string defaults = dir.file("defaults-2003.mdb");
    // 5 March 2024, 07:08:09 UTC.
    const system_clock::time_point now = sys_days{2024y / March / 5} + 7h + 8min + 9s;
};

TEST_F(RestoreDefaultsTest, EveryOldFileIsKeptAsABackupNamedAfterTheLocalTime) {
    EXPECT_EQ(restore_defaults(database, defaults, now), "humo_tool-20240305-090809.mdb");
    write_bytes(database, "edited again");
    EXPECT_EQ(restore_defaults(database, defaults, now), "humo_tool-20240305-090809-2.mdb");
    EXPECT_EQ(restore_defaults(database, defaults, now + 500ms), "humo_tool-20240305-090809-3.mdb");
    EXPECT_EQ(bytes_of(data / "humo_tool-20240305-090809.mdb"), kEdited);
    EXPECT_EQ(bytes_of(data / "humo_tool-20240305-090809-2.mdb"), "edited again");
    EXPECT_EQ(bytes_of(data / "humo_tool-20240305-090809-3.mdb"), kDefaults);
    EXPECT_EQ(bytes_of(database), kDefaults);
    EXPECT_EQ(bytes_of(defaults), kDefaults);
    EXPECT_EQ(file_names(data).size(), 4u);
}

TEST_F(RestoreDefaultsTest, ADefaultsCopyThatCannotBeWrittenLeavesTheDatabaseAsItWas) {
    const auto message = testing::failure_on_a_full_disk(
        kDefaults.size() / 2, [&] { restore_defaults(database, defaults, now); });
    ASSERT_TRUE(message);
    EXPECT_NE(message->find(data.string()), std::string::npos) << *message;
    EXPECT_EQ(bytes_of(database), kEdited);
    EXPECT_EQ(file_names(data), Names{"humo_tool.mdb"});
}

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
    sqlite::Database(database, sqlite::OpenMode::kReadWrite)
        .execute("UPDATE c_stocks SET c_stock_Mg_ha = 99");
    const std::string before = bytes_of(database);
    {
        OtherProgramChanging other(database);
        EXPECT_EQ(testing::failure_of([&] { restore(database); }),
                  "The database file " + database +
                      " is locked by another program. It is open in db_tests (process " +
                      std::to_string(other.pid()) + ").");
        EXPECT_EQ(bytes_of(database), before);
        // No backup: only the other program's journal of its change lies beside the file.
        EXPECT_EQ(file_names(dir.path() / "data"),
                  (Names{"humo_tool.mdb", "humo_tool.mdb-journal"}));
    }
    // Once the other program has finished, its change is what the backup keeps.
    const std::string backup = restore(database);
    EXPECT_EQ(stock_of(dir.file("data/" + backup)), 1234);
    EXPECT_EQ(file_names(dir.path() / "data"), (Names{backup, "humo_tool.mdb"}));
}

TEST_F(RestoreOverTest, ALinkStaysALinkAndItsFileGetsTheDefaults) {
    fs::copy_file(defaults, dir.file("data/real.mdb"));
    sqlite::Database(dir.file("data/real.mdb"), sqlite::OpenMode::kReadWrite)
        .execute("UPDATE c_stocks SET c_stock_Mg_ha = 99");
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
