#pragma once

#include <string>

#include "editions.h"

namespace humo::db {

// The text of schema.sql: every table and index of the database.
const std::string& schema_sql();

// Creates a database file with the schema and, for each table, the rows of <table>.csv in
// data_directory (header row first, columns by name; an empty field is stored as null).
// The file is written under a temporary name and moved into place when complete.
// Throws std::runtime_error when a data file cannot be read, and Failure when the engine fails;
// either names the file.
void create_default_database(const std::string& path, const std::string& data_directory);

// Creates the pristine database of an edition: its tables assembled from the data folder as
// data/README.md says, and a table `edition` (id, title) holding its one row. Written and
// failing as create_default_database does.
void create_edition_database(const std::string& path, const std::string& data_directory,
                             const Edition& edition);

// Creates a database file with the schema and then runs `sql` on it; for test fixtures.
void create_database(const std::string& path, const std::string& sql);

}  // namespace humo::db
