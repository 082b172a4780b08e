#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "failure.h"
#include "file_in_place.h"

struct sqlite3;

namespace humo::sqlite {

// The source every failure of the engine names.
inline constexpr const char* kSource = "SQLite";

enum class OpenMode {
    // An existing file, to read and write; a missing file is a failure, never an empty new file.
    kReadWrite,
    kReadOnly,
    // To read and write, made empty when it does not exist yet.
    kCreate,
};

// One open SQLite database file: the only way the programs reach SQLite. Every statement waits up
// to five seconds for a lock another program holds, then fails saying that the file is locked by
// another program. Every failure is a Failure with the engine's extended code, a description that
// names the file and the cause, and the source "SQLite".
class Database {
public:
    // Opens the file and reads its schema, so a file that is no database, or is locked, fails
    // here rather than at the first query.
    Database(std::string path, OpenMode mode);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const std::string& path() const { return path_; }

    // Runs SQL text of one or more statements without parameters, such as a schema.
    void execute(const std::string& script);
    // Whether a transaction is open: begun, and neither committed nor rolled back.
    bool in_transaction() const;
    // The rows the last INSERT, UPDATE or DELETE changed.
    int changes() const;
    int64_t last_insert_rowid() const;

    // The engine's own handle: for the gateway's statements, and for the benchmarks, which trace
    // statements and time bare SQLite beside the gateway.
    sqlite3* native_handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
    std::string path_;
    // No file is written over a database while it is open.
    std::unique_ptr<files::FileInUse> in_use_;
};

}  // namespace humo::sqlite
