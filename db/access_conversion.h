#pragma once

#include <optional>
#include <string>

namespace humo::db {

// When the database file is an Access database, as an older installation left it, converts it
// to SQLite where it is: the original stays untouched under a new name (<file>.jet, or
// <file>.2.jet and so on when that is taken) and the converted file takes its place in one
// rename, so a crash half-way leaves the original where it was. Returns the message for the
// user; nothing when the file is no Access database.
// Throws humo::Failure when the conversion fails; nothing is changed then.
std::optional<std::string> convert_access_database(const std::string& path);

}  // namespace humo::db
