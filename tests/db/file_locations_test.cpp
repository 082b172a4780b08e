#include "file_locations.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

#include "file_in_place.h"
#include "files.h"
#include "restore_defaults.h"
#include "temp_dir.h"

namespace humo::db {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using namespace std::chrono;

using files::copy_whole;
using testing::bytes_of;
using testing::file_names;
using testing::write_bytes;

// The message of the std::runtime_error `action` throws, or nothing when it does not.
template <typename Action>
std::optional<std::string> failure_of(Action action) {
    try {
        action();
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return std::nullopt;
}

// Sets environment variables for one test and puts them back afterwards.
class Environment {
public:
    ~Environment() {
        for (const auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
        tzset();
    }
    void set(const std::string& name, const std::optional<std::string>& value) {
        if (!saved_.contains(name)) {
            const char* old = std::getenv(name.c_str());
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
        tzset();
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

// Files larger than `bytes` cannot be written, as on a disk that fills up part way.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : old_handler_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &old_limit_);
        const rlimit limit{bytes, old_limit_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_limit_);
        std::signal(SIGXFSZ, old_handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_limit_{};
    void (*old_handler_)(int);
};

const std::string kDefaults = "pristine defaults " + std::string(50000, 'd');
const std::string kEdited = "edited by the user " + std::string(5000, 'e');

// A program directory `bin` inside an installation prefix, and a home of its own.
class FileLocationsTest : public ::testing::Test {
protected:
    FileLocationsTest() {
        fs::create_directories(program);
        fs::create_directories(home);
        env.set("HOME", home.string());
        env.set("XDG_DATA_HOME", std::nullopt);
    }

    void put(const fs::path& path, const std::string& bytes = "x") {
        fs::create_directories(path.parent_path());
        write_bytes(path, bytes);
    }
    FileLocations locate(const std::optional<std::string>& database = std::nullopt) {
        return locate_files(program.string(), database);
    }

    Environment env;
    testing::TempDir dir;
    const fs::path program = dir.path() / "prefix" / "bin";
    const fs::path installed = dir.path() / "prefix" / "share" / "humo_tool";
    const fs::path home = dir.path() / "home";
};

TEST_F(FileLocationsTest, TheDatabaseIsTheOptionThenBesideTheProgramThenTheUsersCopy) {
    put(program / "humo_tool.mdb");
    const FileLocations given = locate(dir.file("elsewhere/mine.mdb"));
    EXPECT_EQ(given.database, dir.file("elsewhere/mine.mdb"));
    EXPECT_FALSE(given.user_copy);

    const FileLocations beside = locate();
    EXPECT_EQ(beside.database, (program / "humo_tool.mdb").string());
    EXPECT_FALSE(beside.user_copy);

    fs::remove(program / "humo_tool.mdb");
    env.set("XDG_DATA_HOME", dir.file("data"));
    const FileLocations xdg = locate();
    EXPECT_EQ(xdg.database, dir.file("data/humo_tool/humo_tool.mdb"));
    EXPECT_TRUE(xdg.user_copy);

    const std::string under_home = (home / ".local/share/humo_tool/humo_tool.mdb").string();
    env.set("XDG_DATA_HOME", "");
    EXPECT_EQ(locate().database, under_home);
    env.set("XDG_DATA_HOME", std::nullopt);
    const FileLocations unset = locate();
    EXPECT_EQ(unset.database, under_home);
    EXPECT_TRUE(unset.user_copy);

    // Started without a home, as from a service: still a place for the copy, and no crash.
    env.set("HOME", std::nullopt);
    EXPECT_TRUE(locate().database.ends_with("/.local/share/humo_tool/humo_tool.mdb"));
}

TEST_F(FileLocationsTest, HelpAndDefaultsBesideTheProgramElseInstalled) {
    // Neither: the program's directory, where a message will say the file is missing.
    FileLocations none = locate();
    EXPECT_EQ(none.help_file, (program / "humo_tool.chm").string());
    EXPECT_EQ(none.defaults_directory, program.string());

    put(installed / "humo_tool.chm");
    put(installed / "defaults-2003.mdb");
    FileLocations only_installed = locate();
    EXPECT_EQ(only_installed.help_file, (installed / "humo_tool.chm").string());
    EXPECT_EQ(only_installed.defaults_directory, installed.string());
    EXPECT_EQ(defaults_file(only_installed.defaults_directory),
              (installed / "defaults-2003.mdb").string());

    put(program / "humo_tool.chm");
    put(program / "defaults-2003.mdb");
    FileLocations both = locate();
    EXPECT_EQ(both.help_file, (program / "humo_tool.chm").string());
    EXPECT_EQ(both.defaults_directory, program.string());
}

TEST_F(FileLocationsTest, TheFirstStartCopiesTheDefaultsWholeAndEditsSurviveARestart) {
    put(installed / "defaults-2003.mdb", kDefaults);
    env.set("XDG_DATA_HOME", dir.file("data/deeper"));
    const FileLocations first = locate();
    make_user_copy(first);
    const fs::path data = dir.path() / "data" / "deeper" / "humo_tool";
    EXPECT_EQ(file_names(data), Names{"humo_tool.mdb"});
    EXPECT_EQ(bytes_of(first.database), kDefaults);

    write_bytes(first.database, kEdited);
    const FileLocations second = locate();
    EXPECT_EQ(second.database, first.database);
    make_user_copy(second);
    EXPECT_EQ(bytes_of(second.database), kEdited);
}

TEST_F(FileLocationsTest, NoCopyIsMadeOfADatabaseTheUserNamedOrBesideTheProgram) {
    put(program / "defaults-2003.mdb", kDefaults);
    make_user_copy(locate(dir.file("named.mdb")));
    EXPECT_FALSE(fs::exists(dir.file("named.mdb")));

    put(program / "humo_tool.mdb", kEdited);
    make_user_copy(locate());
    EXPECT_EQ(bytes_of(program / "humo_tool.mdb"), kEdited);
    EXPECT_FALSE(fs::exists(home / ".local"));
}

TEST_F(FileLocationsTest, AMissingInstalledDefaultIsAnErrorNamingItAndLeavesNoCopy) {
    const FileLocations locations = locate();
    const auto message = failure_of([&] { make_user_copy(locations); });
    ASSERT_TRUE(message);
    EXPECT_NE(message->find(defaults_file(program.string())), std::string::npos) << *message;
    EXPECT_NE(message->find("No such file or directory"), std::string::npos) << *message;
    const fs::path data = home / ".local/share/humo_tool";
    EXPECT_TRUE(!fs::exists(data) || file_names(data).empty());
}

TEST_F(FileLocationsTest, ADataFolderThatCannotBeMadeIsAnErrorNamingIt) {
    put(program / "defaults-2003.mdb", kDefaults);
    put(dir.path() / "a-file", "not a folder");
    env.set("XDG_DATA_HOME", dir.file("a-file/data"));
    const auto message = failure_of([&] { make_user_copy(locate()); });
    ASSERT_TRUE(message);
    EXPECT_NE(message->find(dir.file("a-file/data/humo_tool")), std::string::npos) << *message;
    EXPECT_NE(message->find("Not a directory"), std::string::npos) << *message;
    EXPECT_EQ(bytes_of(dir.path() / "a-file"), "not a folder");
}

// Writing the copy is the writer's own, tested with it; reading the source is the copy's.
TEST(CopyWholeTest, AMissingSourceIsNamedAndLeavesNoTarget) {
    testing::TempDir dir;
    const auto missing = failure_of([&] { copy_whole(dir.file("none.mdb"), dir.file("t.mdb")); });
    ASSERT_TRUE(missing);
    EXPECT_NE(missing->find(dir.file("none.mdb")), std::string::npos) << *missing;
    EXPECT_NE(missing->find("No such file or directory"), std::string::npos) << *missing;
    EXPECT_TRUE(file_names(dir.path()).empty());
}

// The database and its directory; the defaults elsewhere; local time is UTC unless a test
// says otherwise.
class RestoreDefaultsTest : public ::testing::Test {
protected:
    RestoreDefaultsTest() {
        env.set("TZ", "UTC");
        fs::create_directories(data);
        write_bytes(database, kEdited);
        write_bytes(defaults, kDefaults);
    }

    Environment env;
    testing::TempDir dir;
    const fs::path data = dir.path() / "data";
    const std::string database = (data / "humo_tool.mdb").string();
    const std::string defaults = dir.file("defaults-2003.mdb");
    // 5 March 2024, 07:08:09 UTC.
    const system_clock::time_point now = sys_days{2024y / March / 5} + 7h + 8min + 9s;
};

TEST_F(RestoreDefaultsTest, TheBackupIsNamedAfterTheLocalTime) {
    env.set("TZ", "ABC-2");  // two hours east of UTC
    EXPECT_EQ(restore_defaults(database, defaults, now), "humo_tool-20240305-090809.mdb");
}

TEST_F(RestoreDefaultsTest, EveryOldFileIsKeptAsADatedBackupEvenWithinOneSecond) {
    EXPECT_EQ(restore_defaults(database, defaults, now), "humo_tool-20240305-070809.mdb");
    write_bytes(database, "edited again");
    EXPECT_EQ(restore_defaults(database, defaults, now), "humo_tool-20240305-070809-2.mdb");
    EXPECT_EQ(restore_defaults(database, defaults, now + 500ms), "humo_tool-20240305-070809-3.mdb");
    EXPECT_EQ(bytes_of(data / "humo_tool-20240305-070809.mdb"), kEdited);
    EXPECT_EQ(bytes_of(data / "humo_tool-20240305-070809-2.mdb"), "edited again");
    EXPECT_EQ(bytes_of(data / "humo_tool-20240305-070809-3.mdb"), kDefaults);
    EXPECT_EQ(bytes_of(database), kDefaults);
    EXPECT_EQ(bytes_of(defaults), kDefaults);
    EXPECT_EQ(file_names(data).size(), 4u);
}

TEST_F(RestoreDefaultsTest, ADefaultsCopyThatCannotBeWrittenLeavesTheDatabaseAsItWas) {
    std::optional<std::string> message;
    {
        FileSizeLimit full(kDefaults.size() / 2);
        message = failure_of([&] { restore_defaults(database, defaults, now); });
    }
    ASSERT_TRUE(message);
    EXPECT_NE(message->find(data.string()), std::string::npos) << *message;
    EXPECT_EQ(bytes_of(database), kEdited);
    EXPECT_EQ(file_names(data), Names{"humo_tool.mdb"});
}

}  // namespace
}  // namespace humo::db
