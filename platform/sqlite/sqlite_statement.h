#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sqlite_database.h"

struct sqlite3_stmt;

namespace humo::sqlite {

enum class ColumnType { kNull, kInteger, kReal, kText, kBlob };

// The table column a result column reads, for a query whose rows are edited.
struct ColumnOrigin {
    std::string table;
    std::string column;
    // As the table declares it; empty when it declares no type.
    std::string declared_type;
};

// One prepared statement of a database: bind its `?` parameters (from 1), step through its rows
// and read their columns (from 0). A step that fails throws the database's failure and leaves
// the statement reset, ready to run again.
class Statement {
public:
    Statement(Database& database, std::string_view sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&&) = delete;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Fails unless the SQL has exactly `count` parameters.
    void require_parameter_count(size_t count) const;
    Statement& bind_null(int index);
    Statement& bind(int index, int64_t value);
    Statement& bind(int index, double value);
    // The text is copied.
    Statement& bind(int index, std::string_view text);
    // The text is not copied: it must stay alive until the statement has stepped, as it does
    // for a caller that binds every parameter anew before each run.
    Statement& bind_unowned(int index, std::string_view text);
    Statement& bind_blob(int index, const std::vector<unsigned char>& bytes);

    // Moves to the next row; false at the end.
    bool step();
    // Starts the statement again with the same parameters.
    void reset();
    // Runs a statement to its end, then makes it ready to run again.
    void run();

    int column_count() const;
    std::string column_name(int column) const;
    ColumnType column_type(int column) const;
    bool is_null(int column) const;
    bool is_number(int column) const;
    int64_t integer(int column) const;
    double number(int column) const;
    // The column as text; empty for NULL.
    std::string text(int column) const;
    // The table column the result column reads; none for an expression.
    std::optional<ColumnOrigin> origin(int column) const;

private:
    Statement& checked_bind(int result_code);

    Database& database_;
    sqlite3_stmt* statement_ = nullptr;
};

}  // namespace humo::sqlite
