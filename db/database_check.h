#pragma once

#include <string>
#include <vector>

namespace humo::db {

// What a finding is about, in the order the report lists them.
enum class CheckGroup {
    kIntegrity,
    kTablesAndColumns,
    kEdition,
    kNumbers,
    kNumberValues,
    kEmptyNames,
    kClimateRegions,
    kCarbonStocks,
    kLandUseTypes,
    kFactors,
    kNamedValues,
    kSoilTaxa,
    kSpelling,
    kDuplicates,
    kNoDataValue,
    kUncertainties,
};

// An error is something the calculator fails on or shows wrongly; a warning is data it shows
// but a user should look at.
enum class Severity { kError, kWarning };

struct Finding {
    CheckGroup group;
    Severity severity;
    std::string table;
    std::string column;
    std::string value;  // as shown: 'text', a number, or NULL
    std::string problem;

    friend bool operator==(const Finding&, const Finding&) = default;
};

// Checks a database with the tool's schema for everything the calculator relies on.
// Throws Failure, naming the file and the cause, when the file cannot be read as an SQLite
// database or is locked by another program for longer than the engine waits.
std::vector<Finding> check_database(const std::string& path);

// One line per finding, e.g. "  error: c_stocks.humoclim 'Boreal': no row for soil_type
// 'Sandy'", under a heading per group with its count, and a closing count.
std::string format_report(const std::vector<Finding>& findings);

// The heading of a group in the report.
std::string group_title(CheckGroup group);

}  // namespace humo::db
