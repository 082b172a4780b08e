#pragma once

#include <string_view>
#include <vector>

#include "connection.h"
#include "value.h"

struct sqlite3_stmt;

namespace humo::recordset {

// A column of the statement's current row as a value.
Value column_value(sqlite3_stmt* statement, int column);

// Binds a value to parameter `index` (from 1). Text is not copied: the value must stay alive
// until the statement has stepped.
int bind_value(sqlite3_stmt* statement, int index, const Value& value);

// Binds every `?` of the statement to the next parameter, in order; a count that does not match
// the placeholders fails.
void bind_all(Connection& connection, sqlite3_stmt* statement,
              const std::vector<Value>& parameters);

// Runs a statement that returns no rows and tells how many rows it changed.
int execute(Connection& connection, std::string_view sql, const std::vector<Value>& parameters);

}  // namespace humo::recordset
