#include "engine_failure.h"

#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>

#include "sqlite_database.h"

namespace humo::sqlite {
namespace {

bool is_lock(int code) {
    const int primary = code & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

int extended_code(sqlite3* db, int result_code) {
    return db ? sqlite3_extended_errcode(db) : result_code;
}

std::string engine_message(sqlite3* db, int result_code) {
    return db ? sqlite3_errmsg(db) : sqlite3_errstr(result_code);
}

}  // namespace

Failure engine_failure(int code, const std::string& cause, const std::string& path) {
    if (is_lock(code))
        return {code, "The database file " + path + " is locked by another program.", kSource};
    if ((code & 0xff) == SQLITE_READONLY) {
        return {code,
                "The database file " + path +
                    " cannot be changed: it is read-only (or its folder is). Nothing was saved.",
                kSource};
    }
    return {code, cause + " (in the database file " + path + ")", kSource};
}

Failure engine_failure(sqlite3* db, int result_code, const std::string& path) {
    return engine_failure(extended_code(db, result_code), engine_message(db, result_code), path);
}

bool is_damaged_file(const Failure& failure) {
    const int primary = failure.number() & 0xff;
    return failure.source() == kSource && (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT);
}

Failure open_failure(sqlite3* db, int result_code, const std::string& path, bool may_create) {
    const int code = extended_code(db, result_code);
    std::error_code ignored;
    if (!may_create && !std::filesystem::exists(path, ignored))
        return {code, "The database file " + path + " does not exist.", kSource};
    if (std::filesystem::is_directory(path, ignored))
        return {code, "The database file " + path + " is a directory, not a database.", kSource};
    if (std::filesystem::exists(path, ignored) && ::access(path.c_str(), R_OK) != 0)
        return {code, "The database file " + path + " cannot be read: permission denied.", kSource};
    if ((code & 0xff) == SQLITE_NOTADB)
        return {code, "The file " + path + " is not a database.", kSource};
    return engine_failure(code, engine_message(db, result_code), path);
}

}  // namespace humo::sqlite
