#include "file_locations.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

#include "failure_of.h"
#include "files.h"
#include "temp_dir.h"

namespace humo::db {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

using testing::bytes_of;
using testing::file_names;
using testing::write_bytes;

// Sets environment variables for one test and puts them back afterwards.
class Environment {
public:
    ~Environment() {
        for (const auto& [name, value] : saved_)
            put(name, value);
    }
    void set(const std::string& name, const std::optional<std::string>& value) {
        const char* old = std::getenv(name.c_str());
        saved_.try_emplace(name, old ? std::optional<std::string>(old) : std::nullopt);
        put(name, value);
    }

private:
    static void put(const std::string& name, const std::optional<std::string>& value) {
        value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    }
    std::map<std::string, std::optional<std::string>> saved_;
};

const std::string kInstalled = "the installed defaults";
const std::string kUsers = "the user's edits";

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
    put(installed / "defaults-2003.mdb", kInstalled);
    env.set("XDG_DATA_HOME", dir.file("data/deeper"));
    const FileLocations first = locate();
    make_user_copy(first);
    const fs::path data = dir.path() / "data" / "deeper" / "humo_tool";
    EXPECT_EQ(file_names(data), Names{"humo_tool.mdb"});
    EXPECT_EQ(bytes_of(first.database), kInstalled);

    write_bytes(first.database, kUsers);
    const FileLocations second = locate();
    EXPECT_EQ(second.database, first.database);
    make_user_copy(second);
    EXPECT_EQ(bytes_of(second.database), kUsers);
}

TEST_F(FileLocationsTest, NoCopyIsMadeOfADatabaseTheUserNamedOrBesideTheProgram) {
    put(program / "defaults-2003.mdb", kInstalled);
    make_user_copy(locate(dir.file("named.mdb")));
    EXPECT_FALSE(fs::exists(dir.file("named.mdb")));

    put(program / "humo_tool.mdb", kUsers);
    make_user_copy(locate());
    EXPECT_EQ(bytes_of(program / "humo_tool.mdb"), kUsers);
    EXPECT_FALSE(fs::exists(home / ".local"));
}

TEST_F(FileLocationsTest, ADataFolderThatCannotBeMadeIsAnErrorNamingIt) {
    put(program / "defaults-2003.mdb", kInstalled);
    put(dir.path() / "a-file", "not a folder");
    env.set("XDG_DATA_HOME", dir.file("a-file/data"));
    const std::string message =
        testing::failure_of([&] { make_user_copy(locate()); }).value_or("made a copy under a file");
    EXPECT_NE(message.find(dir.file("a-file/data/humo_tool")), std::string::npos) << message;
    EXPECT_NE(message.find("Not a directory"), std::string::npos) << message;
    EXPECT_EQ(bytes_of(dir.path() / "a-file"), "not a folder");
}

}  // namespace
}  // namespace humo::db
