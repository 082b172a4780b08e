#pragma once

#include <string_view>
#include <vector>

#include "connection.h"
#include "value.h"

namespace humo::recordset {

// A column of the statement's current row as a value.
Value column_value(const sqlite::Statement& statement, int column);

// Binds every `?` of the statement to the next parameter, in order; a count that does not match
// the placeholders fails. Text is not copied: the values must stay alive until the statement has
// stepped.
void bind_all(sqlite::Statement& statement, const std::vector<Value>& parameters);

// Runs a statement that returns no rows and tells how many rows it changed.
int execute(Connection& connection, std::string_view sql, const std::vector<Value>& parameters);

}  // namespace humo::recordset
