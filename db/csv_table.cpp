#include "csv_table.h"

#include <fstream>
#include <stdexcept>

#include "csv_record.h"

namespace humo::db {

size_t CsvTable::column(const std::string& name, const std::string& what) const {
    for (size_t i = 0; i < header.size(); ++i) {
        if (header[i] == name)
            return i;
    }
    throw std::runtime_error(what + " has no column " + name);
}

CsvTable read_csv_table(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file);
    auto header = read_csv_record(in);
    if (!header || header->empty() || (header->size() == 1 && header->front().empty()))
        throw std::runtime_error(file + " has no header");
    CsvTable table{*header, {}};
    int line = 1;
    while (auto record = read_csv_record(in)) {
        ++line;
        if (record->size() == 1 && record->front().empty())
            continue;  // blank line
        const std::string origin = file + " line " + std::to_string(line);
        if (record->size() != header->size()) {
            throw std::runtime_error(origin + ": " + std::to_string(record->size()) +
                                     " fields, expected " + std::to_string(header->size()));
        }
        table.rows.push_back({std::move(*record), origin});
    }
    return table;
}

CsvTable project(const CsvTable& table, const std::vector<std::string>& header,
                 const std::string& what) {
    std::vector<size_t> columns;
    for (const std::string& name : header)
        columns.push_back(table.column(name, what));
    CsvTable projected{header, {}};
    for (const CsvRow& row : table.rows) {
        CsvRow kept{{}, row.origin};
        for (size_t column : columns)
            kept.fields.push_back(row.fields[column]);
        projected.rows.push_back(std::move(kept));
    }
    return projected;
}

}  // namespace humo::db
