#include "default_database.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <vector>

#include "csv_table.h"
#include "edition_tables.h"

namespace humo::db {
namespace {

using DatabaseHandle = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;
using StatementHandle = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

void check(sqlite3* db, int rc, const std::string& doing) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        throw std::runtime_error(doing + ": " + sqlite3_errmsg(db));
    }
}

void execute(sqlite3* db, const std::string& sql, const std::string& doing) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::string text = message ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error(doing + ": " + text);
    }
}

std::string quoted_name(const std::string& name) {
    std::string text = "\"";
    for (char c : name)
        text += c == '"' ? std::string("\"\"") : std::string(1, c);
    return text + "\"";
}

std::vector<std::string> table_names(sqlite3* db) {
    sqlite3_stmt* raw = nullptr;
    check(
        db,
        sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name",
                           -1, &raw, nullptr),
        "listing tables");
    StatementHandle statement(raw, sqlite3_finalize);
    std::vector<std::string> names;
    while (sqlite3_step(statement.get()) == SQLITE_ROW) {
        names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0)));
    }
    return names;
}

void insert_rows(sqlite3* db, const std::string& table, const CsvTable& rows) {
    std::string columns;
    std::string placeholders;
    for (const std::string& name : rows.header) {
        columns += (columns.empty() ? "" : ", ") + quoted_name(name);
        placeholders += placeholders.empty() ? "?" : ", ?";
    }
    const std::string sql =
        "INSERT INTO " + quoted_name(table) + " (" + columns + ") VALUES (" + placeholders + ")";
    sqlite3_stmt* raw = nullptr;
    check(db, sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr), "filling " + table);
    StatementHandle insert(raw, sqlite3_finalize);
    for (const CsvRow& row : rows.rows) {
        sqlite3_reset(insert.get());
        for (size_t i = 0; i < row.fields.size(); ++i) {
            const std::string& field = row.fields[i];
            const int index = static_cast<int>(i) + 1;
            // Bound as text; the column's type turns numbers into numbers.
            if (field.empty()) {
                sqlite3_bind_null(insert.get(), index);
            } else {
                sqlite3_bind_text(insert.get(), index, field.c_str(), -1, SQLITE_TRANSIENT);
            }
        }
        check(db, sqlite3_step(insert.get()), row.origin);
    }
}

// Builds the file under a temporary name, so an interrupted build never leaves a half-filled
// database where the program looks for one.
template <class Fill>
void build_file(const std::string& path, Fill fill) {
    const std::string temporary = path + ".part";
    const std::filesystem::path directory = std::filesystem::path(path).parent_path();
    if (!directory.empty())
        std::filesystem::create_directories(directory);
    std::filesystem::remove(temporary);
    try {
        sqlite3* raw = nullptr;
        int rc = sqlite3_open_v2(temporary.c_str(), &raw,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        DatabaseHandle db(raw, sqlite3_close);
        check(db.get(), rc, "creating " + temporary);
        execute(db.get(), "BEGIN", "starting");
        execute(db.get(), schema_sql(), "creating the tables");
        fill(db.get());
        execute(db.get(), "COMMIT", "saving");
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw;
    }
    std::filesystem::rename(temporary, path);
}

}  // namespace

void create_default_database(const std::string& path, const std::string& data_directory) {
    build_file(path, [&](sqlite3* db) {
        for (const std::string& table : table_names(db)) {
            const auto file = std::filesystem::path(data_directory) / (table + ".csv");
            insert_rows(db, table, read_csv_table(file.string()));
        }
    });
}

void create_edition_database(const std::string& path, const std::string& data_directory,
                             const Edition& edition) {
    build_file(path, [&](sqlite3* db) {
        for (const std::string& table : table_names(db))
            insert_rows(db, table, edition_table(data_directory, edition, table));
        execute(db, "CREATE TABLE edition (id TEXT, title TEXT)", "recording the edition");
        insert_rows(db, "edition",
                    {{"id", "title"},
                     {{{std::string(edition.id), std::string(edition.title)}, "the edition"}}});
    });
}

void create_database(const std::string& path, const std::string& sql) {
    build_file(path, [&](sqlite3* db) { execute(db, sql, "filling the database"); });
}

}  // namespace humo::db
