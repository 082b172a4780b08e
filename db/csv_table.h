#pragma once

#include <string>
#include <vector>

namespace humo::db {

// One record of a CSV file and where it was read, for messages: "FILE line N".
struct CsvRow {
    std::vector<std::string> fields;
    std::string origin;
};

struct CsvTable {
    std::vector<std::string> header;
    std::vector<CsvRow> rows;

    // The index of a column in the header; throws std::runtime_error naming `what` when absent.
    size_t column(const std::string& name, const std::string& what) const;
};

// The whole file: the header, then every record but blank lines, each with as many fields as
// the header. Throws std::runtime_error naming the file (and line) on any failure.
CsvTable read_csv_table(const std::string& file);

// The rows with only the named columns, in that order.
CsvTable project(const CsvTable& table, const std::vector<std::string>& header,
                 const std::string& what);

}  // namespace humo::db
