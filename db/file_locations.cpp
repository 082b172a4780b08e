#include "file_locations.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace humo::db {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDatabaseName = "humo_tool.mdb";
constexpr const char* kHelpName = "humo_tool.chm";

bool present(const fs::path& path) {
    std::error_code ignored;
    return fs::exists(path, ignored);
}

std::string user_data_directory() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg)
        return (fs::path(xdg) / "humo_tool").string();
    const char* home = std::getenv("HOME");
    return (fs::path(home && *home ? home : ".") / ".local" / "share" / "humo_tool").string();
}

[[noreturn]] void fail(const std::string& doing, const std::string& path, const std::string& why) {
    throw std::runtime_error("Cannot " + doing + " " + path + ": " + why);
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
        locations.database = (fs::path(user_data_directory()) / kDatabaseName).string();
        locations.user_copy = true;
    }
    return locations;
}

std::string defaults_file(const std::string& defaults_directory, std::string_view edition) {
    return (fs::path(defaults_directory) / ("defaults-" + std::string(edition) + ".mdb")).string();
}

void copy_whole(const std::string& source, const std::string& target) {
    std::ifstream in(source, std::ios::binary);
    if (!in)
        fail("read the defaults", source, std::strerror(errno));
    const fs::path part = fs::path(target).string() + ".part";
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        if (!out)
            fail("write", target, std::strerror(errno));
        out << in.rdbuf();
        out.close();
        // A write that stops part way (a full disk) sets no error on `out`; the unread rest of
        // the source tells.
        if (!out || in.peek() != std::ifstream::traits_type::eof()) {
            const std::string why = std::strerror(errno);
            std::error_code ignored;
            fs::remove(part, ignored);
            fail("write", target, why);
        }
    }
    std::error_code error;
    fs::rename(part, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(part, ignored);
        fail("write", target, error.message());
    }
}

void make_user_copy(const FileLocations& locations) {
    if (!locations.user_copy || present(locations.database))
        return;
    const fs::path directory = fs::path(locations.database).parent_path();
    std::error_code error;
    fs::create_directories(directory, error);
    if (error)
        fail("make the folder", directory.string(), error.message());
    copy_whole(defaults_file(locations.defaults_directory), locations.database);
}

void require_defaults(const std::string& defaults) {
    if (!present(defaults))
        fail("restore the defaults from", defaults, "the file does not exist");
}

std::string restore_defaults(const std::string& database, const std::string& defaults,
                             std::chrono::system_clock::time_point now) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    // A second restore within the same second must not overwrite the first one's backup.
    const fs::path directory = fs::path(database).parent_path();
    fs::path backup = directory / ("humo_tool-" + std::string(stamp) + ".mdb");
    for (int n = 2; present(backup); ++n)
        backup = directory / ("humo_tool-" + std::string(stamp) + "-" + std::to_string(n) + ".mdb");
    require_defaults(defaults);
    // The defaults are copied beside the database first, so a failure leaves the database as
    // it was; then the database becomes the backup and the copy takes its name.
    const std::string incoming = database + ".defaults";
    copy_whole(defaults, incoming);
    std::error_code error;
    fs::rename(database, backup, error);
    if (error) {
        std::error_code ignored;
        fs::remove(incoming, ignored);
        fail("keep a copy of", database, error.message());
    }
    fs::rename(incoming, database, error);
    if (error) {
        std::error_code ignored;
        fs::rename(backup, database, ignored);
        fail("restore the defaults to", database, error.message());
    }
    return backup.filename().string();
}

}  // namespace humo::db
