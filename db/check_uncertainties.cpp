// The published uncertainties: each belongs to one value as the edition published it. Older
// databases have no table of them, and an edited value has none that applies.

#include "check_context.h"
#include "uncertainty_tables.h"

namespace humo::db::check {
namespace {

const std::string kTable(kUncertaintyTable);

// The current value of the row that an uncertainty row names, by its key columns.
Statement value_row(CheckContext& context, const UncertainValues& values, const Statement& key) {
    std::string where =
        quoted_name(values.region) + " = ? AND " + quoted_name(values.name) + " = ?";
    if (!values.group.empty())
        where += " AND " + quoted_name(values.group) + " = ?";
    Statement row(context.file(), "SELECT " + quoted_name(values.value) + " FROM " +
                                      quoted_name(values.table) + " WHERE " + where +
                                      " ORDER BY rowid LIMIT 1");
    for (int column = 1; column <= (values.group.empty() ? 2 : 3); ++column)
        row.bind(column, std::string_view(key.text(column)));
    return row;
}

std::string described_key(const UncertainValues& values, const Statement& key) {
    std::string text = std::string(values.region) + " " + shown(key, 1) + ", " +
                       std::string(values.name) + " " + shown(key, 2);
    if (!values.group.empty())
        text += ", " + std::string(values.group) + " " + shown(key, 3);
    return text;
}

}  // namespace

void check_uncertainties(CheckContext& context) {
    if (!context.has_table(kTable)) {
        if (!context.stand_in(kTable)) {
            context.add(CheckGroup::kUncertainties, Severity::kWarning, kTable, "", "",
                        "no published uncertainties; ranges cannot be computed");
        }
        return;
    }
    if (!context.has(kTable, {"value_table", "climate_region", "name", "grassland_other", "value",
                              "plus_minus_percent"})) {
        return;
    }
    Statement rows(context.file(),
                   "SELECT value_table, climate_region, name, grassland_other, value, "
                   "plus_minus_percent FROM value_uncertainty ORDER BY rowid");
    while (rows.step()) {
        const UncertainValues* values = find_uncertain_values(rows.text(0));
        if (!values) {
            context.add(CheckGroup::kUncertainties, Severity::kWarning, kTable, "value_table",
                        shown(rows, 0),
                        "none of the tables whose values carry uncertainties (" +
                            uncertain_value_tables() + ")");
            continue;
        }
        if (!context.has(values->table, {values->region, values->name, values->value}) ||
            (!values->group.empty() && !context.has(values->table, {values->group}))) {
            continue;  // reported as a missing table or column
        }
        const std::string key = described_key(*values, rows);
        const std::string published = shown(rows, 4);
        const std::string plus_minus = "±" + shown(rows, 5) + "%";
        Statement current = value_row(context, *values, rows);
        if (!current.step()) {
            context.add(
                CheckGroup::kUncertainties, Severity::kWarning, kTable, "name", shown(rows, 2),
                "no row of " + std::string(values->table) + " for " + key + ": the published " +
                    plus_minus + " of " + published + " belongs to no value");
        } else if (!current.is_number(0) || !rows.is_number(4) ||
                   current.number(0) != rows.number(4)) {
            context.add(CheckGroup::kUncertainties, Severity::kWarning, std::string(values->table),
                        std::string(values->value), shown(current, 0),
                        "edited from the published " + published + " (" + key +
                            "), so it is used as exact, without its published " + plus_minus);
        }
    }
}

}  // namespace humo::db::check
