#include "edition_in_use.h"

#include <sqlite3.h>

#include <memory>

#include "editions.h"

namespace humo::db {

std::optional<EditionInUse> edition_in_use(const std::string& path) {
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db(raw, sqlite3_close);
    if (opened != SQLITE_OK)
        return std::nullopt;
    // Another program may be writing; the answer is worth a short wait.
    sqlite3_busy_timeout(db.get(), 1000);
    sqlite3_stmt* raw_statement = nullptr;
    if (sqlite3_prepare_v2(db.get(), "SELECT id, title FROM edition", -1, &raw_statement,
                           nullptr) != SQLITE_OK) {
        return std::nullopt;
    }
    const std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(raw_statement,
                                                                               sqlite3_finalize);
    if (sqlite3_step(statement.get()) != SQLITE_ROW)
        return std::nullopt;
    const auto* id = sqlite3_column_text(statement.get(), 0);
    const auto* title = sqlite3_column_text(statement.get(), 1);
    if (!id || !title)
        return std::nullopt;
    return EditionInUse{reinterpret_cast<const char*>(id), reinterpret_cast<const char*>(title)};
}

std::string edition_text(const std::optional<EditionInUse>& edition) {
    if (edition)
        return edition->title;
    // Restoring and comparing then go by the oldest edition, the one such databases came from.
    return "not recorded in this database (taken as the " + std::string(editions().front().title) +
           ")";
}

}  // namespace humo::db
