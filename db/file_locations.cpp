#include "file_locations.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "file_in_place.h"

namespace humo::db {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDatabaseName = "humo_tool.mdb";
constexpr const char* kHelpName = "humo_tool.chm";

bool present(const fs::path& path) {
    std::error_code ignored;
    return fs::exists(path, ignored);
}

[[noreturn]] void fail(const std::string& doing, const std::string& path, const std::string& why) {
    throw std::runtime_error("Cannot " + doing + " " + path + ": " + why);
}

// The account's home: $HOME, else what the password database says.
std::optional<std::string> home_directory() {
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    if (const passwd* account = ::getpwuid(::getuid());
        account && account->pw_dir && *account->pw_dir)
        return account->pw_dir;
    return std::nullopt;
}

// Where the user's copy of the database goes; nothing without a home directory.
std::optional<std::string> user_data_directory() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg)
        return (fs::path(xdg) / "humo_tool").string();
    const std::optional<std::string> home = home_directory();
    if (!home)
        return std::nullopt;
    return (fs::path(*home) / ".local" / "share" / "humo_tool").string();
}

}  // namespace

FileLocations files_beside(const std::string& program_directory) {
    FileLocations files;
    files.database = (fs::path(program_directory) / kDatabaseName).string();
    files.help_file = (fs::path(program_directory) / kHelpName).string();
    files.defaults_directory = program_directory;
    return files;
}

FileLocations locate_files(const std::string& program_directory,
                           const std::optional<std::string>& database_option) {
    FileLocations locations = files_beside(program_directory);
    const FileLocations installed = files_beside(
        (fs::path(program_directory) / ".." / "share" / "humo_tool").lexically_normal().string());
    // Beside the program, else installed; when neither has it, the program's own directory is
    // where a message will say it is missing.
    if (!present(locations.help_file) && present(installed.help_file))
        locations.help_file = installed.help_file;
    if (!present(defaults_file(locations.defaults_directory)) &&
        present(defaults_file(installed.defaults_directory))) {
        locations.defaults_directory = installed.defaults_directory;
    }
    if (database_option) {
        locations.database = *database_option;
    } else if (!present(locations.database)) {
        const std::optional<std::string> directory = user_data_directory();
        locations.database = directory ? (fs::path(*directory) / kDatabaseName).string() : "";
        locations.user_copy = true;
    }
    return locations;
}

std::string defaults_file(const std::string& defaults_directory, std::string_view edition) {
    return (fs::path(defaults_directory) / ("defaults-" + std::string(edition) + ".mdb")).string();
}

void make_user_copy(const FileLocations& locations) {
    if (locations.user_copy && locations.database.empty()) {
        throw std::runtime_error(
            "Cannot find your home directory for your copy of the database: HOME is not set and "
            "the account has none. Set XDG_DATA_HOME or HOME, or give the database with "
            "--database.");
    }
    if (!locations.user_copy || present(locations.database))
        return;
    const fs::path directory = fs::path(locations.database).parent_path();
    std::error_code error;
    fs::create_directories(directory, error);
    if (error)
        fail("make the folder", directory.string(), error.message());
    // Programs started side by side may all make it: the first copy stays.
    try {
        files::copy_whole(defaults_file(locations.defaults_directory), locations.database, true);
    } catch (const files::FileError& error) {
        fail("make", locations.database, error.what());
    }
}

}  // namespace humo::db
