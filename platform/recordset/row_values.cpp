#include "row_values.h"

#include <sqlite3.h>

namespace humo::recordset {

Value column_value(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
        case SQLITE_NULL:
            return {};
        case SQLITE_INTEGER:
            return Value(static_cast<int64_t>(sqlite3_column_int64(statement, column)));
        case SQLITE_FLOAT:
            return Value(sqlite3_column_double(statement, column));
        default:
            return Value(
                std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                            sqlite3_column_bytes(statement, column)));
    }
}

int bind_value(sqlite3_stmt* statement, int index, const Value& value) {
    if (value.is_null())
        return sqlite3_bind_null(statement, index);
    if (value.is_integer())
        return sqlite3_bind_int64(statement, index, value.as_integer());
    if (value.is_double())
        return sqlite3_bind_double(statement, index, value.as_double());
    const std::string& text = value.as_text();
    // Not copied: every use binds every parameter afresh before the statement steps, so the
    // engine never reads a parameter once the caller's values are gone.
    return sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                             SQLITE_STATIC);
}

void bind_all(Connection& connection, sqlite3_stmt* statement,
              const std::vector<Value>& parameters) {
    if (static_cast<int>(parameters.size()) != sqlite3_bind_parameter_count(statement))
        throw Failure(SQLITE_RANGE, "wrong number of parameters for the query", kEngineSource);
    for (size_t i = 0; i < parameters.size(); ++i) {
        const int rc = bind_value(statement, static_cast<int>(i) + 1, parameters[i]);
        if (rc != SQLITE_OK)
            throw connection.engine_failure(rc);
    }
}

int execute(Connection& connection, std::string_view sql, const std::vector<Value>& parameters) {
    sqlite3_stmt* statement = connection.prepare(sql);
    bind_all(connection, statement, parameters);
    const int rc = sqlite3_step(statement);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
        Failure failure = connection.engine_failure(rc);
        sqlite3_reset(statement);
        throw failure;
    }
    sqlite3_reset(statement);
    return sqlite3_changes(connection.handle());
}

}  // namespace humo::recordset
