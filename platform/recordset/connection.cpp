#include "connection.h"

#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>

namespace humo::recordset {
namespace {

// Enough for every distinct query text of a form; a runaway caller cannot grow it unbounded.
constexpr size_t kMaxCachedStatements = 64;
// How long a statement waits for a lock another program holds before it gives up.
constexpr int kBusyTimeoutMs = 5000;

bool is_lock_error(int code) {
    const int primary = code & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

std::string lock_description(const std::string& path) {
    return "The database file " + path + " is locked by another program.";
}

// Why a database file could not be opened, in words a user can act on.
std::string open_failure_description(sqlite3* db, int code, const std::string& path) {
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored))
        return "The database file " + path + " does not exist.";
    if (::access(path.c_str(), R_OK) != 0)
        return "The database file " + path + " cannot be read: permission denied.";
    if ((code & 0xff) == SQLITE_NOTADB)
        return "The file " + path + " is not a database.";
    if (is_lock_error(code))
        return lock_description(path);
    return std::string(db ? sqlite3_errmsg(db) : sqlite3_errstr(code)) + ": " + path;
}

}  // namespace

Connection::~Connection() { close(); }

void Connection::open(const std::string& database_path) {
    if (db_)
        throw failures::object_open();
    sqlite3* db = nullptr;
    // A connection is used by one thread at a time, so the engine need not lock each call.
    int rc = sqlite3_open_v2(database_path.c_str(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        // SQLite opens lazily; reading the schema tells a broken or locked file apart now.
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        const int code = db ? sqlite3_extended_errcode(db) : rc;
        Failure failure(code, open_failure_description(db, code, database_path), kEngineSource);
        sqlite3_close(db);
        errors_.clear();
        errors_.add(failure);
        throw failure;
    }
    db_ = db;
    path_ = database_path;
}

void Connection::begin_read() {
    if (db_ && sqlite3_get_autocommit(db_))
        run_quietly("BEGIN");
}

void Connection::end_read() {
    if (db_ && !sqlite3_get_autocommit(db_))
        run_quietly("COMMIT");
}

void Connection::run_quietly(std::string_view sql) {
    // Prepared once and kept like every other statement: this runs on every user action.
    sqlite3_stmt* statement = nullptr;
    try {
        statement = prepare(sql);
    } catch (const Failure&) {
        errors_.clear();
        return;
    }
    sqlite3_step(statement);
    sqlite3_reset(statement);
}

void Connection::close() {
    if (!db_)
        return;
    finalize_statements();
    sqlite3_close(db_);
    db_ = nullptr;
}

void Connection::finalize_statements() {
    for (auto& [sql, statement] : statements_)
        sqlite3_finalize(statement);
    statements_.clear();
}

sqlite3_stmt* Connection::prepare(std::string_view sql) {
    if (!db_)
        throw failures::connection_closed();
    // Every use resets its statement when done and binds every parameter anew.
    if (auto found = statements_.find(sql); found != statements_.end())
        return found->second;
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
    if (rc != SQLITE_OK)
        throw engine_failure(rc);
    if (statements_.size() >= kMaxCachedStatements)
        finalize_statements();
    statements_.emplace(sql, statement);
    return statement;
}

Failure Connection::engine_failure(int result_code) {
    const int code = db_ ? sqlite3_extended_errcode(db_) : result_code;
    std::string description = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(result_code);
    if (is_lock_error(code))
        description = lock_description(path_);
    Failure failure(code, description, kEngineSource);
    errors_.clear();
    errors_.add(failure);
    return failure;
}

}  // namespace humo::recordset
