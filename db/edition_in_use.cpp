#include "edition_in_use.h"

#include "editions.h"
#include "sqlite_statement.h"

namespace humo::db {

std::optional<EditionInUse> edition_in_use(const std::string& path) {
    try {
        sqlite::Database db(path, sqlite::OpenMode::kReadOnly);
        sqlite::Statement statement(db, "SELECT id, title FROM edition");
        if (!statement.step() || statement.is_null(0) || statement.is_null(1))
            return std::nullopt;
        return EditionInUse{statement.text(0), statement.text(1)};
    } catch (const Failure&) {
        // No table `edition`, or a file that cannot be read: no edition is recorded there.
        return std::nullopt;
    }
}

std::string edition_text(const std::optional<EditionInUse>& edition) {
    if (edition)
        return edition->title;
    // Restoring and comparing then go by the oldest edition, the one such databases came from.
    return "not recorded in this database (taken as the " + std::string(editions().front().title) +
           ")";
}

}  // namespace humo::db
