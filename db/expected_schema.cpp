#include "expected_schema.h"

#include "default_database.h"
#include "sqlite_names.h"
#include "sqlite_statement.h"
#include "uncertainty_tables.h"

namespace humo::db {
namespace {

// Read back from the schema itself, so the tools never drift from what the build creates.
std::vector<SchemaTable> read_schema() {
    sqlite::Database scratch(":memory:", sqlite::OpenMode::kCreate);
    scratch.execute(schema_sql());
    std::vector<SchemaTable> tables;
    sqlite::Statement names(scratch,
                            "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid");
    while (names.step())
        tables.push_back({names.text(0), {}, names.text(0) == kUncertaintyTable});
    for (SchemaTable& table : tables) {
        sqlite::Statement columns(scratch,
                                  "SELECT name, type FROM pragma_table_info(?) ORDER BY cid");
        columns.bind(1, std::string_view(table.name));
        while (columns.step())
            table.columns.push_back({columns.text(0), columns.text(1)});
    }
    return tables;
}

}  // namespace

const std::vector<SchemaTable>& expected_schema() {
    static const std::vector<SchemaTable> tables = read_schema();
    return tables;
}

const SchemaTable* find_schema_table(std::string_view name) {
    for (const SchemaTable& table : expected_schema()) {
        if (sqlite::same_name(table.name, name))
            return &table;
    }
    return nullptr;
}

}  // namespace humo::db
