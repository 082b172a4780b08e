#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace humo::db {

// An SQLite database file opened for the database tools. Every failure throws
// std::runtime_error whose text names the file and what the engine said.
class SqliteFile {
public:
    enum class Mode { kReadOnly, kCreate };

    SqliteFile(const std::string& path, Mode mode);
    ~SqliteFile();
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    void execute(const std::string& sql);
    const std::string& path() const { return path_; }
    sqlite3* handle() const { return db_; }
    [[noreturn]] void fail(const std::string& doing) const;

private:
    sqlite3* db_ = nullptr;
    std::string path_;
};

// One prepared statement; bind with 1-based indexes, then step through the rows.
class Statement {
public:
    Statement(SqliteFile& file, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind_null(int index);
    Statement& bind(int index, int64_t value);
    Statement& bind(int index, double value);
    Statement& bind(int index, std::string_view text);
    Statement& bind_blob(int index, const std::vector<unsigned char>& bytes);

    // Starts the statement again with the same bindings.
    void reset();
    // Moves to the next row; false at the end.
    bool step();
    // Runs a statement that returns no rows, then makes it ready to run again; the bindings
    // stay until they are bound anew.
    void run();

    int column_count() const;
    bool is_null(int column) const;
    bool is_number(int column) const;
    int64_t integer(int column) const;
    double number(int column) const;
    std::string text(int column) const;

private:
    SqliteFile& file_;
    sqlite3_stmt* statement_ = nullptr;
};

// A name in double quotes, as SQL needs it for any table or column name.
std::string quoted_name(std::string_view name);

}  // namespace humo::db
