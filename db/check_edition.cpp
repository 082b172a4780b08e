// The record of the edition of the defaults a database was made from: a table of its own that
// older databases do not have, so it is checked only where it exists.

#include "check_context.h"
#include "editions.h"

namespace humo::db::check {
namespace {

constexpr std::string_view kTable = "edition";

bool has_column(sqlite::Database& file, std::string_view column) {
    Statement columns(file, "SELECT 1 FROM pragma_table_info(?) WHERE lower(name) = ?");
    columns.bind(1, kTable);
    columns.bind(2, column);
    return columns.step();
}

}  // namespace

void check_edition(CheckContext& context) {
    Statement table(context.file(),
                    "SELECT 1 FROM sqlite_master WHERE type = 'table' AND lower(name) = ?");
    table.bind(1, kTable);
    if (!table.step())
        return;
    bool complete = true;
    for (std::string_view column : {"id", "title"}) {
        if (!has_column(context.file(), column)) {
            context.add(CheckGroup::kEdition, Severity::kError, std::string(kTable),
                        std::string(column), "", "the column is missing");
            complete = false;
        }
    }
    if (!complete)
        return;
    Statement rows(context.file(), "SELECT id, title FROM edition ORDER BY rowid");
    int count = 0;
    while (rows.step()) {
        ++count;
        const std::string id = rows.text(0);  // empty when NULL
        if (loose(id).empty() || rows.is_null(1) || loose(rows.text(1)).empty()) {
            context.add(CheckGroup::kEdition, Severity::kError, std::string(kTable), "id",
                        shown(rows, 0), "an edition needs an id and a title");
        } else if (!find_edition(id)) {
            context.add(CheckGroup::kEdition, Severity::kWarning, std::string(kTable), "id",
                        shown(rows, 0),
                        "not an edition of the shipped defaults (" + edition_ids() + ")");
        }
    }
    if (count != 1) {
        context.add(CheckGroup::kEdition, Severity::kError, std::string(kTable), "", "",
                    std::to_string(count) +
                        " rows: it records the one edition of the defaults "
                        "the database was made from");
    }
}

}  // namespace humo::db::check
