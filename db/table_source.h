#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace humo::db {

struct Blob {
    std::vector<unsigned char> bytes;
    friend bool operator==(const Blob&, const Blob&) = default;
};

// One value of a row read from another database: null, a whole number, a number, text or
// binary data.
using Cell = std::variant<std::monostate, int64_t, double, std::string, Blob>;

enum class ColumnKind { kInteger, kReal, kText, kBlob };

struct SourceColumn {
    std::string name;
    ColumnKind kind;
};

struct SourceTable {
    std::string name;
    std::vector<SourceColumn> columns;
};

// The user tables of a database in another format, read one row at a time.
class TableSource {
public:
    virtual ~TableSource() = default;
    virtual std::vector<SourceTable> tables() = 0;
    // Calls `row` with every row of the table, in the file's own order.
    virtual void read_rows(const SourceTable& table,
                           const std::function<void(const std::vector<Cell>&)>& row) = 0;
};

}  // namespace humo::db
