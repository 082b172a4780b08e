#include "sqlite_database.h"

#include <sqlite3.h>

#include "engine_failure.h"

namespace humo::sqlite {
namespace {

// How long a statement waits for a lock another program holds before it gives up.
constexpr int kBusyTimeoutMs = 5000;

int open_flags(OpenMode mode) {
    const int access = mode == OpenMode::kReadOnly ? SQLITE_OPEN_READONLY
                       : mode == OpenMode::kCreate ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
                                                   : SQLITE_OPEN_READWRITE;
    // A connection is used by one thread at a time, so the engine need not lock each call.
    return access | SQLITE_OPEN_NOMUTEX;
}

}  // namespace

Database::Database(std::string path, OpenMode mode) : path_(std::move(path)) {
    int rc = sqlite3_open_v2(path_.c_str(), &db_, open_flags(mode), nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db_, kBusyTimeoutMs);
        // SQLite opens lazily; reading the schema tells a broken or locked file apart now.
        rc = sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        const Failure failure = open_failure(db_, rc, path_, mode == OpenMode::kCreate);
        sqlite3_close_v2(db_);
        throw failure;
    }
    in_use_ = std::make_unique<files::FileInUse>(path_);
}

Database::~Database() { sqlite3_close_v2(db_); }

void Database::execute(const std::string& script) {
    const int rc = sqlite3_exec(db_, script.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw engine_failure(db_, rc, path_);
}

bool Database::in_transaction() const { return sqlite3_get_autocommit(db_) == 0; }

int Database::changes() const { return sqlite3_changes(db_); }

int64_t Database::last_insert_rowid() const { return sqlite3_last_insert_rowid(db_); }

}  // namespace humo::sqlite
