#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "database_check.h"
#include "fixed_names.h"
#include "sqlite_names.h"
#include "sqlite_statement.h"

namespace humo::db::check {

using sqlite::quoted_name;
using sqlite::Statement;

// The names the calculator compares with in its own code.
using engine::kDoesNotApply;
using engine::kGrassland;
using engine::kImproved;
using engine::kResetLandUseType;
using engine::kResetSoilType;

// Lower case without surrounding blanks: names equal in this form look alike to a user.
std::string loose(std::string_view name);

// The same in SQL, for an expression.
std::string loose_sql(const std::string& expression);

// A value as the report shows it: 'text', a number in its general text form, or NULL.
std::string shown(const Statement& row, int column);
std::string quoted(std::string_view text);

// What the checks share: the file, which of the expected tables and columns exist, the
// findings so far, and the -999 factor rows that a list can reach.
class CheckContext {
public:
    explicit CheckContext(sqlite::Database& file);

    sqlite::Database& file() { return file_; }
    bool has_table(std::string_view table) const;
    // What stands in a table's place when it is no table, such as "view".
    std::optional<std::string> stand_in(std::string_view table) const;
    bool has(std::string_view table, std::initializer_list<std::string_view> columns) const;

    void add(CheckGroup group, Severity severity, std::string table, std::string column,
             std::string value, std::string problem);
    std::vector<Finding>& findings() { return findings_; }

    // Rows of tbl_management_factors or tbl_input_factors (by rowid) holding -999 where a
    // calculator list reaches them.
    std::set<std::pair<std::string, int64_t>> reached_no_data_factors;
    // Those rows that a list offers only under a land-use type whose land-use factor is -999
    // in that region: the calculator resets the system before using them.
    std::set<std::pair<std::string, int64_t>> stopped_no_data_factors;

    // A few words that pick one row out of its table: its other columns' values.
    std::string describe_row(std::string_view table, int64_t rowid, std::string_view except);

private:
    sqlite::Database& file_;
    std::set<std::pair<std::string, std::string>>
        present_;  // (table, column), column "" for the table
    std::vector<Finding> findings_;
    std::map<std::string, std::string> stand_ins_;
};

// The steps of the check, in the order they run.
void check_integrity(CheckContext& context);
void check_tables_and_columns(CheckContext& context);
void check_edition(CheckContext& context);
void check_number_columns(CheckContext& context);
void check_number_values(CheckContext& context);
void check_codes(CheckContext& context);
void check_empty_names(CheckContext& context);
void check_lookups(CheckContext& context);
void check_soil_taxa(CheckContext& context);
void check_spelling(CheckContext& context);
void check_duplicates(CheckContext& context);
void check_no_data_values(CheckContext& context);
void check_uncertainties(CheckContext& context);

}  // namespace humo::db::check
