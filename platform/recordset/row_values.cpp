#include "row_values.h"

namespace humo::recordset {
namespace {

void bind_value(sqlite::Statement& statement, int index, const Value& value) {
    if (value.is_null()) {
        statement.bind_null(index);
    } else if (value.is_integer()) {
        statement.bind(index, value.as_integer());
    } else if (value.is_double()) {
        statement.bind(index, value.as_double());
    } else {
        // Not copied: every use binds every parameter afresh before the statement steps, so the
        // engine never reads a parameter once the caller's values are gone.
        statement.bind_unowned(index, value.as_text());
    }
}

}  // namespace

Value column_value(const sqlite::Statement& statement, int column) {
    switch (statement.column_type(column)) {
        case sqlite::ColumnType::kNull:
            return {};
        case sqlite::ColumnType::kInteger:
            return Value(statement.integer(column));
        case sqlite::ColumnType::kReal:
            return Value(statement.number(column));
        default:
            return Value(statement.text(column));
    }
}

void bind_all(sqlite::Statement& statement, const std::vector<Value>& parameters) {
    statement.require_parameter_count(parameters.size());
    for (size_t i = 0; i < parameters.size(); ++i)
        bind_value(statement, static_cast<int>(i) + 1, parameters[i]);
}

int execute(Connection& connection, std::string_view sql, const std::vector<Value>& parameters) {
    sqlite::Statement& statement = connection.prepare(sql);
    try {
        bind_all(statement, parameters);
        statement.run();
    } catch (const Failure& failure) {
        throw connection.record(failure);
    }
    return connection.database().changes();
}

}  // namespace humo::recordset
