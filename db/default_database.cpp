#include "default_database.h"

#include "file_in_place.h"

#include <filesystem>
#include <vector>

#include "csv_table.h"
#include "edition_tables.h"
#include "sqlite_names.h"
#include "sqlite_statement.h"
#include "sqlite_transaction.h"

namespace humo::db {
namespace {

using sqlite::quoted_name;

std::vector<std::string> table_names(sqlite::Database& db) {
    sqlite::Statement statement(
        db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
    std::vector<std::string> names;
    while (statement.step())
        names.push_back(statement.text(0));
    return names;
}

void insert_rows(sqlite::Database& db, const std::string& table, const CsvTable& rows) {
    std::string columns;
    std::string placeholders;
    for (const std::string& name : rows.header) {
        columns += (columns.empty() ? "" : ", ") + quoted_name(name);
        placeholders += placeholders.empty() ? "?" : ", ?";
    }
    sqlite::Statement insert(db, "INSERT INTO " + quoted_name(table) + " (" + columns +
                                     ") VALUES (" + placeholders + ")");
    for (const CsvRow& row : rows.rows) {
        for (size_t i = 0; i < row.fields.size(); ++i) {
            const std::string& field = row.fields[i];
            const int index = static_cast<int>(i) + 1;
            // Bound as text; the column's type turns numbers into numbers.
            if (field.empty()) {
                insert.bind_null(index);
            } else {
                insert.bind(index, std::string_view(field));
            }
        }
        try {
            insert.run();
        } catch (const Failure& failure) {
            throw Failure(failure.number(), row.origin + ": " + failure.description(),
                          failure.source());
        }
    }
}

// Builds the file under a temporary name and puts it in place whole, so an interrupted build
// never leaves a half-filled database where the program looks for one.
template <class Fill>
void build_file(const std::string& path, Fill fill) {
    const std::filesystem::path directory = std::filesystem::path(path).parent_path();
    if (!directory.empty())
        std::filesystem::create_directories(directory);
    files::FileInPlace file(path);
    {
        sqlite::Database db(file.temporary_path(), sqlite::OpenMode::kCreate);
        sqlite::Transaction transaction(db);
        db.execute(schema_sql());
        fill(db);
        transaction.commit();
    }
    file.commit();
}

}  // namespace

void create_default_database(const std::string& path, const std::string& data_directory) {
    build_file(path, [&](sqlite::Database& db) {
        for (const std::string& table : table_names(db)) {
            const auto file = std::filesystem::path(data_directory) / (table + ".csv");
            insert_rows(db, table, read_csv_table(file.string()));
        }
    });
}

void create_edition_database(const std::string& path, const std::string& data_directory,
                             const Edition& edition) {
    build_file(path, [&](sqlite::Database& db) {
        for (const std::string& table : table_names(db))
            insert_rows(db, table, edition_table(data_directory, edition, table));
        db.execute("CREATE TABLE edition (id TEXT, title TEXT)");
        insert_rows(db, "edition",
                    {{"id", "title"},
                     {{{std::string(edition.id), std::string(edition.title)}, "the edition"}}});
    });
}

void create_database(const std::string& path, const std::string& sql) {
    build_file(path, [&](sqlite::Database& db) { db.execute(sql); });
}

}  // namespace humo::db
