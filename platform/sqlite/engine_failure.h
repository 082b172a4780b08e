#pragma once

#include <string>

#include "failure.h"

struct sqlite3;

namespace humo::sqlite {

// A failure of the engine on the file at `path`, as a user reads it: the cause and the file. A
// lock says that another program holds the file, which is what a user can act on.
Failure engine_failure(int code, const std::string& cause, const std::string& path);

// The engine's last error on `db`; `result_code` stands in when there is no handle.
Failure engine_failure(sqlite3* db, int result_code, const std::string& path);

// Whether the failure says the file is no database, or a damaged one.
bool is_damaged_file(const Failure& failure);

// Why the file at `path` could not be opened: missing, unreadable, no database, locked, or else
// what the engine said.
Failure open_failure(sqlite3* db, int result_code, const std::string& path, bool may_create);

}  // namespace humo::sqlite
