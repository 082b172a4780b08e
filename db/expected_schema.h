#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace humo::db {

struct SchemaColumn {
    std::string name;
    std::string type;  // as declared: TEXT, REAL or INTEGER
};

struct SchemaTable {
    std::string name;
    std::vector<SchemaColumn> columns;
    // Data about the default values rather than values the calculator looks up (their published
    // uncertainties): databases made before it lack it, and it has checks of its own.
    bool supplementary = false;
};

// The tables and columns that schema.sql creates, in its order.
const std::vector<SchemaTable>& expected_schema();

// The table of schema.sql with this name, compared without regard to case; null when none.
const SchemaTable* find_schema_table(std::string_view name);

}  // namespace humo::db
