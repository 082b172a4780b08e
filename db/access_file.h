#pragma once

#include <memory>
#include <string>

#include "table_source.h"

namespace humo::db {

// An Access (Jet 3, Jet 4 or later) database file read through mdbtools' library. Numbers
// stay numbers, text becomes UTF-8, dates become ISO 8601 text ("1996-07-04T00:00:00"),
// OLE objects and binary columns become binary data. mdbtools reports a zero-length text like
// a missing value, so both arrive as null.
class AccessFile : public TableSource {
public:
    // Throws std::runtime_error when the file cannot be read as an Access database.
    explicit AccessFile(const std::string& path);
    ~AccessFile() override;

    std::vector<SourceTable> tables() override;
    void read_rows(const SourceTable& table,
                   const std::function<void(const std::vector<Cell>&)>& row) override;

private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
    std::string path_;
};

}  // namespace humo::db
