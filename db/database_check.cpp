#include "database_check.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>

#include "check_context.h"
#include "expected_schema.h"
#include "number_text.h"

namespace humo::db {
namespace check {
namespace {

std::string lower(std::string_view name) {
    std::string text(name);
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::string loose(std::string_view name) {
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    while (!name.empty() && blank(name.front()))
        name.remove_prefix(1);
    while (!name.empty() && blank(name.back()))
        name.remove_suffix(1);
    return lower(name);
}

std::string loose_sql(const std::string& expression) {
    return "lower(trim(" + expression + ", char(32, 9, 10, 11, 12, 13)))";
}

std::string quoted(std::string_view text) {
    std::string result = "'";
    for (char c : text) {
        if (c == '\n') {
            result += "\\n";
        } else if (c == '\r') {
            result += "\\r";
        } else {
            result += c;
        }
    }
    return result + "'";
}

std::string shown(const Statement& row, int column) {
    if (row.is_null(column))
        return "NULL";
    if (row.is_number(column))
        return numbers::general_text(row.number(column), {'.'});
    return quoted(row.text(column));
}

CheckContext::CheckContext(sqlite::Database& file) : file_(file) {
    for (const SchemaTable& table : expected_schema()) {
        Statement kind(file_, "SELECT type FROM sqlite_master WHERE name = ? COLLATE NOCASE");
        kind.bind(1, std::string_view(table.name));
        if (kind.step() && kind.text(0) != "table") {
            // A view in a table's place is not the table: the checks that read rows leave it
            // alone.
            stand_ins_.emplace(table.name, kind.text(0));
            continue;
        }
        Statement columns(file_, "SELECT name FROM pragma_table_info(?)");
        columns.bind(1, std::string_view(table.name));
        bool any = false;
        while (columns.step()) {
            any = true;
            present_.emplace(table.name, lower(columns.text(0)));
        }
        if (any)
            present_.emplace(table.name, "");
    }
}

std::optional<std::string> CheckContext::stand_in(std::string_view table) const {
    auto found = stand_ins_.find(std::string(table));
    if (found == stand_ins_.end())
        return std::nullopt;
    return found->second;
}

bool CheckContext::has_table(std::string_view table) const {
    return present_.count({std::string(table), ""}) > 0;
}

bool CheckContext::has(std::string_view table,
                       std::initializer_list<std::string_view> columns) const {
    return std::all_of(columns.begin(), columns.end(), [&](std::string_view column) {
        return present_.count({std::string(table), lower(column)}) > 0;
    });
}

void CheckContext::add(CheckGroup group, Severity severity, std::string table, std::string column,
                       std::string value, std::string problem) {
    findings_.push_back({group, severity, std::move(table), std::move(column), std::move(value),
                         std::move(problem)});
}

std::string CheckContext::describe_row(std::string_view table, int64_t rowid,
                                       std::string_view except) {
    const SchemaTable* schema = find_schema_table(table);
    std::vector<std::string> names;
    for (const SchemaColumn& column : schema->columns) {
        if (column.name != except && has(table, {column.name}))
            names.push_back(column.name);
    }
    if (names.empty())
        return "row " + std::to_string(rowid);
    std::string sql = "SELECT ";
    for (size_t i = 0; i < names.size(); ++i)
        sql += (i ? ", " : "") + quoted_name(names[i]);
    Statement row(file_, sql + " FROM " + quoted_name(table) + " WHERE rowid = ?");
    row.bind(1, rowid);
    if (!row.step())
        return "row " + std::to_string(rowid);
    std::string text;
    for (size_t i = 0; i < names.size(); ++i)
        text += (i ? ", " : "") + names[i] + " " + shown(row, static_cast<int>(i));
    return text;
}

}  // namespace check

std::vector<Finding> check_database(const std::string& path) {
    sqlite::Database file(path, sqlite::OpenMode::kReadOnly);
    check::CheckContext context(file);
    check::check_integrity(context);
    check::check_tables_and_columns(context);
    check::check_edition(context);
    check::check_number_columns(context);
    check::check_number_values(context);
    check::check_codes(context);
    check::check_empty_names(context);
    check::check_lookups(context);
    check::check_soil_taxa(context);
    check::check_spelling(context);
    check::check_duplicates(context);
    check::check_no_data_values(context);
    check::check_uncertainties(context);
    std::vector<Finding> findings = std::move(context.findings());
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.group < b.group; });
    return findings;
}

std::string group_title(CheckGroup group) {
    static const std::map<CheckGroup, std::string> titles = {
        {CheckGroup::kIntegrity, "The file itself"},
        {CheckGroup::kTablesAndColumns, "Missing tables and columns"},
        {CheckGroup::kEdition, "The edition of the defaults"},
        {CheckGroup::kNumbers, "Number columns without a number"},
        {CheckGroup::kNumberValues, "Numbers the calculator cannot take as they are"},
        {CheckGroup::kEmptyNames, "Names that are NULL or empty"},
        {CheckGroup::kClimateRegions, "Climate region codes without a name"},
        {CheckGroup::kCarbonStocks, "Reference carbon stocks"},
        {CheckGroup::kLandUseTypes, "Land-use types"},
        {CheckGroup::kFactors, "Management and input factors"},
        {CheckGroup::kNamedValues, "Values the calculator names"},
        {CheckGroup::kSoilTaxa, "Soil taxa"},
        {CheckGroup::kSpelling, "Names that differ only in case or blanks"},
        {CheckGroup::kDuplicates, "Duplicate rows"},
        {CheckGroup::kNoDataValue, "The no-data value -999"},
        {CheckGroup::kUncertainties, "Published uncertainties"},
    };
    return titles.at(group);
}

std::string format_report(const std::vector<Finding>& findings) {
    if (findings.empty())
        return "No findings: the database has everything the calculator needs.\n";
    std::map<CheckGroup, std::vector<const Finding*>> groups;
    int errors = 0;
    for (const Finding& finding : findings) {
        groups[finding.group].push_back(&finding);
        errors += finding.severity == Severity::kError ? 1 : 0;
    }
    std::string text;
    for (const auto& [group, members] : groups) {
        text += group_title(group) + " (" + std::to_string(members.size()) + ")\n";
        for (const Finding* finding : members) {
            text += finding->severity == Severity::kError ? "  error: " : "  warning: ";
            text += finding->table;
            if (!finding->column.empty())
                text += "." + finding->column;
            if (!finding->value.empty())
                text += " " + finding->value;
            text += ": " + finding->problem + "\n";
        }
    }
    const auto count = [](size_t n, const char* word) {
        return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
    };
    const size_t warnings = findings.size() - static_cast<size_t>(errors);
    return text + count(findings.size(), "finding") + ": " +
           count(static_cast<size_t>(errors), "error") + ", " + count(warnings, "warning") + ".\n";
}

}  // namespace humo::db
