// The checks of single columns: that the tables and columns exist, that numbers are numbers,
// that names are there, and that -999 stands only where it means "no data".

#include <array>

#include "check_context.h"
#include "expected_schema.h"
#include "fixed_names.h"

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

constexpr std::array kNoDataColumns = {
    ColumnRef{"c_stocks", "c_stock_Mg_ha"},
    ColumnRef{"tbl_systems", "land_use_factor"},
};

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

void check_tables_and_columns(CheckContext& context) {
    for (const SchemaTable& table : expected_schema()) {
        if (!context.has_table(table.name)) {
            context.add(CheckGroup::kTablesAndColumns, Severity::kError, table.name, "", "",
                        "the table is missing");
            continue;
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

void check_empty_names(CheckContext& context) {
    for (const SchemaTable& table : expected_schema()) {
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
            if (listed(kNoDataColumns, table.name, column.name))
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
