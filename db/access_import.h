#pragma once

#include <string>
#include <vector>

#include "table_source.h"

namespace humo::db {

struct ImportedTable {
    std::string name;
    long rows = 0;
};

struct ImportResult {
    std::vector<ImportedTable> tables;
    // The source held every table of the tool's own schema (an older installation).
    bool own_tables = false;
};

// Writes every table of `source` with all its rows into a new SQLite database `output`, a file
// that does not exist yet or is empty. A source without tables is refused. When the source holds
// every table of schema.sql but the supplementary ones, those tables get the schema's typed
// columns, collations and indexes, any column the schema lacks is added, and the supplementary
// tables are there, empty; other tables keep their own columns. Throws
// std::runtime_error when the source cannot be read and Failure when the engine fails; a failure
// leaves a partly written `output` for the caller to remove.
ImportResult write_sqlite_copy(TableSource& source, const std::string& output);

// Reads the Access database `access_path` and writes it as SQLite to `output` as a FileInPlace
// writes a file: whole, replacing any file there, or not at all. Throws as write_sqlite_copy
// does, naming what failed, when anything of the source cannot be read; nothing is left behind
// then.
ImportResult import_access_database(const std::string& access_path, const std::string& output);

}  // namespace humo::db
