#pragma once

#include <string>

namespace humo::db {

enum class DatabaseFormat { kMissing, kSqlite, kAccess, kUnknown };

// What a database file is, told by its first bytes.
DatabaseFormat database_format(const std::string& path);

// For an Access file, the engine version its header names: "Jet 3", "Jet 4" or
// "Access 2007 or later".
std::string access_version(const std::string& path);

}  // namespace humo::db
