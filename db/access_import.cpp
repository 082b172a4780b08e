#include "access_import.h"

#include <filesystem>
#include <stdexcept>

#include "access_file.h"
#include "default_database.h"
#include "expected_schema.h"
#include "file_in_place.h"
#include "sqlite_names.h"
#include "sqlite_statement.h"
#include "sqlite_transaction.h"

namespace humo::db {
namespace {

using sqlite::quoted_name;
using sqlite::same_name;

const char* type_name(ColumnKind kind) {
    switch (kind) {
        case ColumnKind::kInteger:
            return "INTEGER";
        case ColumnKind::kReal:
            return "REAL";
        case ColumnKind::kBlob:
            return "BLOB";
        default:
            return "TEXT";
    }
}

bool holds_own_tables(const std::vector<SourceTable>& tables) {
    for (const SchemaTable& expected : expected_schema()) {
        if (expected.supplementary)
            continue;  // an older installation never had it; the schema gives it, empty
        bool found = false;
        for (const SourceTable& table : tables)
            found = found || same_name(table.name, expected.name);
        if (!found)
            return false;
    }
    return true;
}

void create_table(sqlite::Database& file, const SourceTable& table) {
    std::string sql = "CREATE TABLE " + quoted_name(table.name) + " (";
    for (size_t i = 0; i < table.columns.size(); ++i) {
        sql += (i ? ", " : "") + quoted_name(table.columns[i].name) + " " +
               type_name(table.columns[i].kind);
    }
    file.execute(sql + ")");
}

// A column an older installation added to one of the tool's tables is kept too.
void add_missing_columns(sqlite::Database& file, const SourceTable& table,
                         const SchemaTable& schema) {
    for (const SourceColumn& column : table.columns) {
        bool known = false;
        for (const SchemaColumn& expected : schema.columns)
            known = known || same_name(expected.name, column.name);
        if (!known) {
            file.execute("ALTER TABLE " + quoted_name(schema.name) + " ADD COLUMN " +
                         quoted_name(column.name) + " " + type_name(column.kind));
        }
    }
}

void bind_cell(sqlite::Statement& insert, int index, const Cell& cell) {
    if (const auto* integer = std::get_if<int64_t>(&cell)) {
        insert.bind(index, *integer);
    } else if (const auto* number = std::get_if<double>(&cell)) {
        insert.bind(index, *number);
    } else if (const auto* text = std::get_if<std::string>(&cell)) {
        insert.bind(index, std::string_view(*text));
    } else if (const auto* blob = std::get_if<Blob>(&cell)) {
        insert.bind_blob(index, blob->bytes);
    } else {
        insert.bind_null(index);
    }
}

long copy_rows(TableSource& source, sqlite::Database& file, const SourceTable& table,
               const std::string& target_name) {
    std::string columns;
    std::string placeholders;
    for (const SourceColumn& column : table.columns) {
        columns += (columns.empty() ? "" : ", ") + quoted_name(column.name);
        placeholders += placeholders.empty() ? "?" : ", ?";
    }
    sqlite::Statement insert(file, "INSERT INTO " + quoted_name(target_name) + " (" + columns +
                                       ") VALUES (" + placeholders + ")");
    long rows = 0;
    source.read_rows(table, [&](const std::vector<Cell>& cells) {
        for (size_t i = 0; i < cells.size(); ++i)
            bind_cell(insert, static_cast<int>(i) + 1, cells[i]);
        insert.run();
        ++rows;
    });
    return rows;
}

}  // namespace

ImportResult write_sqlite_copy(TableSource& source, const std::string& output) {
    const std::vector<SourceTable> tables = source.tables();
    // Nothing to convert is no conversion: a program must not go on with an empty database.
    if (tables.empty())
        throw std::runtime_error("it holds no tables");
    ImportResult result;
    result.own_tables = holds_own_tables(tables);

    sqlite::Database file(output, sqlite::OpenMode::kCreate);
    sqlite::Transaction transaction(file);
    if (result.own_tables)
        file.execute(schema_sql());
    for (const SourceTable& table : tables) {
        const SchemaTable* schema = result.own_tables ? find_schema_table(table.name) : nullptr;
        if (schema) {
            add_missing_columns(file, table, *schema);
        } else {
            create_table(file, table);
        }
        const long rows = copy_rows(source, file, table, schema ? schema->name : table.name);
        result.tables.push_back({schema ? schema->name : table.name, rows});
    }
    transaction.commit();
    return result;
}

ImportResult import_access_database(const std::string& access_path, const std::string& output) {
    files::FileInPlace file(output);
    ImportResult result;
    {
        AccessFile source(access_path);
        result = write_sqlite_copy(source, file.temporary_path());
    }
    file.commit();
    return result;
}

}  // namespace humo::db
