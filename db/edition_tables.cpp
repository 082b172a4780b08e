#include "edition_tables.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "uncertainty_rows.h"
#include "uncertainty_tables.h"

namespace humo::db {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRegionsFolder = "editions/regions";

std::string csv_file(const std::string& folder, const std::string& table) {
    return (fs::path(folder) / (table + ".csv")).string();
}

int region_code(const CsvRow& row, size_t column) {
    try {
        size_t used = 0;
        const int code = std::stoi(row.fields[column], &used);
        if (used == row.fields[column].size())
            return code;
    } catch (const std::logic_error&) {
    }
    throw std::runtime_error(row.origin + ": the region code '" + row.fields[column] +
                             "' is not a whole number");
}

// The rows whose region code is at most `last`.
CsvTable up_to_region(CsvTable table, const std::string& code_column, int last,
                      const std::string& what) {
    const size_t column = table.column(code_column, what);
    std::erase_if(table.rows, [&](const CsvRow& row) { return region_code(row, column) > last; });
    return table;
}

// The data folder's lookup less the removals, then the additions up to the edition's codes.
CsvTable country_lookup(const std::string& data_directory, int last_region_code) {
    const std::string base_file = csv_file(data_directory, "tbl_climate_zone_lookup");
    CsvTable lookup = read_csv_table(base_file);
    const std::string regions = (fs::path(data_directory) / kRegionsFolder).string();
    const std::string removals_file = csv_file(regions, "removals");
    const CsvTable removals = project(read_csv_table(removals_file), lookup.header, removals_file);
    for (const CsvRow& removal : removals.rows) {
        const auto found =
            std::find_if(lookup.rows.begin(), lookup.rows.end(),
                         [&](const CsvRow& row) { return row.fields == removal.fields; });
        if (found == lookup.rows.end())
            throw std::runtime_error(removal.origin + ": no such row in " + base_file);
        lookup.rows.erase(found);
    }
    const std::string additions_file = csv_file(regions, "lookup_additions");
    const CsvTable additions =
        up_to_region(project(read_csv_table(additions_file), lookup.header, additions_file),
                     "climate_region_code", last_region_code, additions_file);
    for (const CsvRow& addition : additions.rows) {
        const bool present =
            std::any_of(lookup.rows.begin(), lookup.rows.end(),
                        [&](const CsvRow& row) { return row.fields == addition.fields; });
        if (present)
            throw std::runtime_error(addition.origin + ": the row is in " + base_file + " already");
        lookup.rows.push_back(addition);
    }
    return lookup;
}

}  // namespace

CsvTable edition_table(const std::string& data_directory, const Edition& edition,
                       const std::string& table) {
    const fs::path data(data_directory);
    if (edition.last_region_code > 0 && table == "tbl_climate_regions") {
        const std::string file = csv_file((data / kRegionsFolder).string(), table);
        return up_to_region(read_csv_table(file), "region", edition.last_region_code, file);
    }
    if (edition.last_region_code > 0 && table == "tbl_climate_zone_lookup")
        return country_lookup(data_directory, edition.last_region_code);
    // An edition with a folder of its own publishes its uncertainties there, in its own form.
    if (!edition.folder.empty() && table == kUncertaintyTable)
        return uncertainty_rows((data / edition.folder).string());
    // The soil taxa are the same in every edition; an edition's value tables are all its own.
    const bool shared = table == "tbl_soiltype_classification";
    return read_csv_table(csv_file((shared ? data : data / edition.folder).string(), table));
}

}  // namespace humo::db
