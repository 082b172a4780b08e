#include "restore_defaults.h"

#include <ctime>
#include <filesystem>
#include <stdexcept>

#include "engine_failure.h"
#include "failure.h"
#include "file_holders.h"
#include "file_in_place.h"
#include "sqlite_database.h"

namespace humo::db {
namespace {

namespace fs = std::filesystem;

bool present(const fs::path& path) {
    std::error_code ignored;
    return fs::exists(path, ignored);
}

[[noreturn]] void fail(const std::string& doing, const std::string& path, const std::string& why) {
    throw std::runtime_error("Cannot " + doing + " " + path + ": " + why);
}

// A backup name not taken yet: a second restore within the same second keeps the first one's.
fs::path backup_beside(const fs::path& database, std::chrono::system_clock::time_point now) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const fs::path directory = database.parent_path();
    fs::path backup = directory / ("humo_tool-" + std::string(stamp) + ".mdb");
    for (int n = 2; present(backup); ++n)
        backup = directory / ("humo_tool-" + std::string(stamp) + "-" + std::to_string(n) + ".mdb");
    return backup;
}

// Holds the database's write lock, so that no other program is part way through a change while
// the file is copied and replaced. A file too damaged to be a database has no lock to take: the
// defaults are its remedy.
std::unique_ptr<sqlite::Database> lock(const std::string& database) {
    try {
        auto locked = std::make_unique<sqlite::Database>(database, sqlite::OpenMode::kReadWrite);
        locked->execute("BEGIN EXCLUSIVE");
        return locked;
    } catch (const Failure& failure) {
        if (sqlite::is_damaged_file(failure))
            return nullptr;
        std::string why = failure.description();
        std::string holders;
        for (const std::string& program : files::other_programs_holding(database))
            holders += (holders.empty() ? "" : ", ") + program;
        if (!holders.empty())
            why += " It is open in " + holders + ".";
        throw std::runtime_error(why);
    }
}

}  // namespace

void require_defaults(const std::string& defaults) {
    if (!present(defaults))
        fail("restore the defaults from", defaults, "the file does not exist");
}

std::string restore_defaults(const std::string& database, const std::string& defaults,
                             std::chrono::system_clock::time_point now) {
    require_defaults(defaults);
    const std::string target = files::link_target(database);
    if (!present(target)) {
        files::copy_whole(defaults, target);
        return {};
    }
    const auto locked = lock(target);
    const fs::path backup = backup_beside(target, now);
    try {
        files::copy_whole(target, backup.string(), true, files::FileInPlace::InUse::kReplace);
    } catch (const files::FileError& error) {
        fail("keep a copy of", database, error.what());
    }
    try {
        files::copy_whole(defaults, target, false, files::FileInPlace::InUse::kReplace);
    } catch (const files::FileError& error) {
        std::error_code ignored;
        fs::remove(backup, ignored);
        fail("restore the defaults to", database, error.what());
    }
    return backup.filename().string();
}

}  // namespace humo::db
