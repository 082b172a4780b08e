#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

struct sqlite3;

namespace humo::bench {

using SqlParameter = std::variant<std::monostate, int64_t, double, std::string>;

// One statement as the engine ran it: the SQL text with its `?` placeholders, the values bound
// to them, and the text with the values written in, to compare two runs by.
struct TracedStatement {
    std::string sql;
    std::vector<SqlParameter> parameters;
    std::string expanded_sql;
};

// Records every statement that starts on a connection while the trace is alive.
class SqlTrace {
public:
    explicit SqlTrace(sqlite3* db);
    ~SqlTrace();
    SqlTrace(const SqlTrace&) = delete;
    SqlTrace& operator=(const SqlTrace&) = delete;

    // The statements so far, emptying the record; throws std::runtime_error when a statement
    // could not be read back.
    std::vector<TracedStatement> take();

private:
    static int on_statement(unsigned type, void* context, void* statement, void* sql);

    sqlite3* db_;
    std::vector<TracedStatement> statements_;
    std::string failure_;
};

// The values bound to the placeholders of `sql`, read back from the text SQLite expanded it to.
// Throws std::runtime_error when the two texts do not match.
std::vector<SqlParameter> parameters_from_expanded(std::string_view sql, std::string_view expanded);

// The expanded texts of a run, in order.
std::vector<std::string> expanded_texts(const std::vector<TracedStatement>& statements);

}  // namespace humo::bench
