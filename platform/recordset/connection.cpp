#include "connection.h"

#include <sqlite3.h>

namespace humo::recordset {
namespace {

// Enough for every distinct query text of a form; a runaway caller cannot grow it unbounded.
constexpr size_t kMaxCachedStatements = 64;
constexpr int kBusyTimeoutMs = 2000;

}  // namespace

Connection::~Connection() { close(); }

void Connection::open(const std::string& database_path) {
    if (db_)
        throw failures::object_open();
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(database_path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK) {
        // SQLite opens lazily; reading the schema tells a broken file apart now.
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        Failure failure(
            sqlite3_extended_errcode(db),
            std::string(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)) + ": " + database_path,
            kEngineSource);
        sqlite3_close(db);
        errors_.clear();
        errors_.add(failure);
        throw failure;
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    db_ = db;
    path_ = database_path;
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

sqlite3_stmt* Connection::prepare(const std::string& sql) {
    if (!db_)
        throw failures::connection_closed();
    if (auto found = statements_.find(sql); found != statements_.end()) {
        sqlite3_reset(found->second);
        sqlite3_clear_bindings(found->second);
        return found->second;
    }
    sqlite3_stmt* statement = nullptr;
    int rc =
        sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &statement, nullptr);
    if (rc != SQLITE_OK)
        throw engine_failure(rc);
    if (statements_.size() >= kMaxCachedStatements)
        finalize_statements();
    statements_.emplace(sql, statement);
    return statement;
}

Failure Connection::engine_failure(int result_code) {
    Failure failure(db_ ? sqlite3_extended_errcode(db_) : result_code,
                    db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(result_code), kEngineSource);
    errors_.clear();
    errors_.add(failure);
    return failure;
}

}  // namespace humo::recordset
