#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "errors.h"
#include "sqlite_database.h"
#include "sqlite_statement.h"

namespace humo::recordset {

enum class CursorLocation { kServer = 2, kClient = 3 };
enum class ObjectState { kClosed = 0, kOpen = 1 };

// A connection to one SQLite database file. Engine failures are appended to the connection's
// error list and then thrown; the list keeps them until someone clears it.
class Connection {
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void set_cursor_location(CursorLocation location) { cursor_location_ = location; }
    CursorLocation cursor_location() const { return cursor_location_; }

    // Opens an existing database file; a missing file is a failure, never an empty new file.
    void open(const std::string& database_path,
              sqlite::OpenMode mode = sqlite::OpenMode::kReadWrite);
    void close();
    ObjectState state() const { return database_ ? ObjectState::kOpen : ObjectState::kClosed; }
    const std::string& path() const { return path_; }

    Errors& errors() { return errors_; }

    // Holds one read transaction from the next statement until end_read(), so a run of queries
    // takes the file's lock once instead of once per statement. Reads only: nothing is written
    // through a connection while it holds one.
    void begin_read();
    void end_read();

    // For the record-set layer: a prepared statement for the SQL text, reset and ready to bind.
    // Statements are kept for reuse until the connection closes.
    sqlite::Statement& prepare(std::string_view sql);
    // Puts an engine failure in the error list, in place of what was there, and returns it for
    // throwing.
    Failure record(Failure failure);
    // The open file; 3709 when the connection is closed.
    sqlite::Database& database();

private:
    sqlite::Statement& cached(std::string_view sql);
    // Runs a statement whose failure changes nothing for the caller: the queries that follow
    // report their own.
    void run_quietly(std::string_view sql);

    std::unique_ptr<sqlite::Database> database_;
    std::string path_;
    CursorLocation cursor_location_ = CursorLocation::kServer;
    Errors errors_;
    // Looked up on every query, by texts a hundred characters long: hashed, not ordered.
    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    // Declared after the database, so that they are finalized before it closes.
    std::unordered_map<std::string, sqlite::Statement, TextHash, std::equal_to<>> statements_;
};

}  // namespace humo::recordset
