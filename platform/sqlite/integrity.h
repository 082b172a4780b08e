#pragma once

#include <optional>
#include <string>

#include "sqlite_database.h"

namespace humo::sqlite {

// What SQLite's own integrity check finds wrong with the file first (a damaged page or an index
// that no longer matches its table), or nothing when the file is sound.
std::optional<std::string> integrity_problem(Database& database);

// Fails with the classic number of a damaged file when the integrity check finds a problem, so
// that every program refuses a damaged file alike instead of reading what it happens to find.
void require_intact(Database& database);

}  // namespace humo::sqlite
