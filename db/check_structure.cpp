// The checks of the file and of single columns: that the file is sound, that the tables and
// columns exist as tables, that numbers are numbers the calculator can take, that codes are
// stored as codes, that names are there, and that -999 stands only where it means "no data".

#include <array>
#include <cmath>

#include "check_context.h"
#include "expected_schema.h"
#include "fixed_names.h"
#include "integrity.h"
#include "number_rules.h"

namespace humo::db::check {
namespace {

struct ColumnRef {
    std::string_view table;
    std::string_view column;
};

constexpr std::array kNumberColumns = {
    ColumnRef{"c_stocks", "c_stock_Mg_ha"},
    ColumnRef{"tbl_systems", "land_use_factor"},
    ColumnRef{"tbl_management_type", "management_order"},
    ColumnRef{"tbl_management_factors", "management_factor"},
    ColumnRef{"tbl_input_type", "input_order"},
    ColumnRef{"tbl_input_factors", "input_factor"},
};

// The codes that join a country to its climate regions: whole numbers.
constexpr std::array kCodeColumns = {
    ColumnRef{"tbl_climate_regions", "region"},
    ColumnRef{"tbl_climate_zone_lookup", "climate_region_code"},
};

// Far beyond any published stock (MgC/ha) or factor: a typing slip, or a value that makes the
// calculator's products meaningless.
constexpr double kMostStock = 10000;
constexpr double kMostFactor = 100;

constexpr std::array kFactorColumns = {
    ColumnRef{"tbl_management_factors", "management_factor"},
    ColumnRef{"tbl_input_factors", "input_factor"},
};

template <size_t N>
bool listed(const std::array<ColumnRef, N>& columns, std::string_view table,
            std::string_view column) {
    for (const ColumnRef& ref : columns) {
        if (ref.table == table && ref.column == column)
            return true;
    }
    return false;
}

// Calls `found` with the rowid and the shown value of every row of table.column that `where`
// (SQL on the column, named x) picks.
template <class Found>
void each_row_where(CheckContext& context, std::string_view table, std::string_view column,
                    const std::string& where, Found found) {
    if (!context.has(table, {column}))
        return;
    Statement rows(context.file(), "SELECT rowid, x FROM (SELECT rowid, " + quoted_name(column) +
                                       " AS x FROM " + quoted_name(table) + ") WHERE " + where +
                                       " ORDER BY rowid");
    while (rows.step())
        found(rows.integer(0), shown(rows, 1));
}

}  // namespace

void check_integrity(CheckContext& context) {
    if (std::optional<std::string> problem = sqlite::integrity_problem(context.file())) {
        context.add(CheckGroup::kIntegrity, Severity::kError, context.file().path(), "", "",
                    "SQLite's integrity check fails: " + *problem +
                        "; the calculator and humo-batch refuse the file");
    }
}

void check_tables_and_columns(CheckContext& context) {
    for (const SchemaTable& table : expected_schema()) {
        if (!context.has_table(table.name)) {
            const std::optional<std::string> stand_in = context.stand_in(table.name);
            if (table.supplementary && !stand_in)
                continue;  // its own check says what its absence means
            context.add(CheckGroup::kTablesAndColumns, Severity::kError, table.name, "", "",
                        stand_in ? "a " + *stand_in + " stands where the table should be"
                                 : "the table is missing");
            continue;
        }
        Statement triggers(context.file(),
                           "SELECT name FROM sqlite_master WHERE type = 'trigger' AND "
                           "tbl_name = ? COLLATE NOCASE ORDER BY name");
        triggers.bind(1, std::string_view(table.name));
        while (triggers.step()) {
            context.add(CheckGroup::kTablesAndColumns, Severity::kError, table.name, "",
                        quoted(triggers.text(0)),
                        "a trigger acts on the table: what is written may not be what is typed");
        }
        for (const SchemaColumn& column : table.columns) {
            if (!context.has(table.name, {column.name})) {
                context.add(CheckGroup::kTablesAndColumns, Severity::kError, table.name,
                            column.name, "", "the column is missing");
            }
        }
    }
}

void check_number_columns(CheckContext& context) {
    for (const ColumnRef& ref : kNumberColumns) {
        each_row_where(
            context, ref.table, ref.column, "typeof(x) NOT IN ('integer', 'real')",
            [&](int64_t rowid, const std::string& value) {
                const std::string row = context.describe_row(ref.table, rowid, ref.column);
                context.add(CheckGroup::kNumbers, Severity::kError, std::string(ref.table),
                            std::string(ref.column), value,
                            (value == "NULL" ? "no number (" : "not a number (") + row + ")");
            });
    }
}

void check_number_values(CheckContext& context) {
    for (const ColumnRef& ref : kNumberColumns) {
        if (!context.has(ref.table, {ref.column}))
            continue;
        const bool no_data = engine::takes_no_data_value(ref.table, ref.column);
        const bool stock = ref.table == "c_stocks";
        const bool factor = !stock && ref.column.ends_with("factor");
        Statement rows(context.file(), "SELECT rowid, " + quoted_name(ref.column) + " FROM " +
                                           quoted_name(ref.table) + " WHERE typeof(" +
                                           quoted_name(ref.column) +
                                           ") IN ('integer', 'real') ORDER BY rowid");
        while (rows.step()) {
            const double number = rows.number(1);
            // -999 has checks of its own.
            if (number == engine::kNoDataValue)
                continue;
            const std::string value = std::signbit(number) && number == 0 ? "-0" : shown(rows, 1);
            const std::string row = context.describe_row(ref.table, rows.integer(0), ref.column);
            if (const engine::NumberProblem problem = engine::check_stored(number, no_data);
                problem != engine::NumberProblem::kNone) {
                context.add(CheckGroup::kNumberValues, Severity::kError, std::string(ref.table),
                            std::string(ref.column), value,
                            engine::problem_text(problem, {'.'}, no_data) + " (" + row + ")");
            } else if ((stock && number > kMostStock) || (factor && number > kMostFactor)) {
                context.add(CheckGroup::kNumberValues, Severity::kWarning, std::string(ref.table),
                            std::string(ref.column), value,
                            "far beyond any published value (" + row + ")");
            }
        }
    }
}

void check_codes(CheckContext& context) {
    for (const ColumnRef& ref : kCodeColumns) {
        each_row_where(context, ref.table, ref.column, "typeof(x) IN ('text', 'real', 'blob')",
                       [&](int64_t rowid, const std::string& value) {
                           context.add(
                               CheckGroup::kClimateRegions, Severity::kError,
                               std::string(ref.table), std::string(ref.column), value,
                               "a code stored as " +
                                   std::string(value.starts_with('\'') ? "text" : "a fraction") +
                                   ", not as a whole number (" +
                                   context.describe_row(ref.table, rowid, ref.column) + ")");
                       });
    }
}

void check_empty_names(CheckContext& context) {
    for (const SchemaTable& table : expected_schema()) {
        // A supplementary table's names are checked against the values they name.
        if (table.supplementary)
            continue;
        for (const SchemaColumn& column : table.columns) {
            if (listed(kNumberColumns, table.name, column.name))
                continue;
            each_row_where(
                context, table.name, column.name, "x IS NULL OR " + loose_sql("x") + " = ''",
                [&](int64_t rowid, const std::string& value) {
                    context.add(
                        CheckGroup::kEmptyNames, Severity::kError, table.name, column.name, value,
                        "no name (" + context.describe_row(table.name, rowid, column.name) + ")");
                });
        }
    }
}

void check_no_data_values(CheckContext& context) {
    for (const SchemaTable& table : expected_schema()) {
        for (const SchemaColumn& column : table.columns) {
            if (engine::takes_no_data_value(table.name, column.name))
                continue;
            const bool factor = listed(kFactorColumns, table.name, column.name);
            const std::string no_data(engine::kNoDataText);
            each_row_where(
                context, table.name, column.name,
                "x = " + no_data + " OR trim(x) = '" + no_data + "'",
                [&](int64_t rowid, const std::string& value) {
                    const std::string row = context.describe_row(table.name, rowid, column.name);
                    if (factor && context.reached_no_data_factors.count({table.name, rowid})) {
                        context.add(CheckGroup::kNoDataValue, Severity::kWarning, table.name,
                                    column.name, value,
                                    "a list offers this factor (" + row +
                                        "), and the calculator multiplies by -999: -999 means no "
                                        "data only for carbon stocks and land-use factors");
                        return;
                    }
                    // The edition publishes no value there, and no list can use it.
                    if (factor && context.stopped_no_data_factors.count({table.name, rowid}))
                        return;
                    context.add(CheckGroup::kNoDataValue,
                                factor ? Severity::kWarning : Severity::kError, table.name,
                                column.name, value,
                                "-999 means no data only in c_stocks.c_stock_Mg_ha and "
                                "tbl_systems.land_use_factor (" +
                                    row + ")");
                });
        }
    }
}

}  // namespace humo::db::check
