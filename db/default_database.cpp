#include "default_database.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <vector>

#include "csv.h"

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

void import_csv(sqlite3* db, const std::string& table, const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    auto header = read_csv_record(in);
    if (!header || header->empty())
        throw std::runtime_error(file.string() + " has no header");

    std::string columns;
    std::string placeholders;
    for (const std::string& name : *header) {
        columns += (columns.empty() ? "" : ", ") + quoted_name(name);
        placeholders += placeholders.empty() ? "?" : ", ?";
    }
    const std::string sql =
        "INSERT INTO " + quoted_name(table) + " (" + columns + ") VALUES (" + placeholders + ")";
    sqlite3_stmt* raw = nullptr;
    check(db, sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr), "reading " + file.string());
    StatementHandle insert(raw, sqlite3_finalize);

    int line = 1;
    while (auto record = read_csv_record(in)) {
        ++line;
        if (record->size() == 1 && record->front().empty())
            continue;  // blank line
        if (record->size() != header->size()) {
            throw std::runtime_error(file.string() + " line " + std::to_string(line) + ": " +
                                     std::to_string(record->size()) + " fields, expected " +
                                     std::to_string(header->size()));
        }
        sqlite3_reset(insert.get());
        for (size_t i = 0; i < record->size(); ++i) {
            const std::string& field = (*record)[i];
            const int index = static_cast<int>(i) + 1;
            // Bound as text; the column's type turns numbers into numbers.
            if (field.empty()) {
                sqlite3_bind_null(insert.get(), index);
            } else {
                sqlite3_bind_text(insert.get(), index, field.c_str(), -1, SQLITE_TRANSIENT);
            }
        }
        check(db, sqlite3_step(insert.get()), file.string() + " line " + std::to_string(line));
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
    {
        sqlite3* raw = nullptr;
        int rc = sqlite3_open_v2(temporary.c_str(), &raw,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        DatabaseHandle db(raw, sqlite3_close);
        check(db.get(), rc, "creating " + temporary);
        execute(db.get(), "BEGIN", "starting");
        execute(db.get(), schema_sql(), "creating the tables");
        fill(db.get());
        execute(db.get(), "COMMIT", "saving");
    }
    std::filesystem::rename(temporary, path);
}

}  // namespace

void create_default_database(const std::string& path, const std::string& data_directory) {
    build_file(path, [&](sqlite3* db) {
        for (const std::string& table : table_names(db)) {
            import_csv(db, table, std::filesystem::path(data_directory) / (table + ".csv"));
        }
    });
}

void create_database(const std::string& path, const std::string& sql) {
    build_file(path, [&](sqlite3* db) { execute(db, sql, "filling the database"); });
}

}  // namespace humo::db
