#include "integrity.h"

#include <sqlite3.h>

#include "sqlite_statement.h"

namespace humo::sqlite {

std::optional<std::string> integrity_problem(Database& database) {
    try {
        Statement check(database, "PRAGMA integrity_check(1)");
        if (!check.step())
            return std::nullopt;
        std::string verdict = check.text(0);
        if (verdict == "ok")
            return std::nullopt;
        return verdict;
    } catch (const Failure& failure) {
        // A page too damaged for the check to read is its own answer.
        if ((failure.number() & 0xff) != SQLITE_CORRUPT)
            throw;
        return failure.description();
    }
}

void require_intact(Database& database) {
    if (std::optional<std::string> problem = integrity_problem(database)) {
        throw Failure(SQLITE_CORRUPT,
                      "The database file " + database.path() + " is damaged: " + *problem, kSource);
    }
}

}  // namespace humo::sqlite
