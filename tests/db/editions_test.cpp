// The pristine database of each edition of the defaults: every value of its CSV files, the
// region scheme it takes, and the record of the edition.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "csv_record.h"
#include "default_database.h"
#include "editions.h"
#include "failure_of.h"
#include "fixture_paths.h"
#include "sqlite_statement.h"
#include "temp_dir.h"

namespace humo::db {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;
using Records = std::vector<Strings>;

const fs::path kData = testing::default_data_directory();
const fs::path kRegions = kData / "editions" / "regions";

const Strings kValueTables = {
    "c_stocks",       "tbl_systems",      "tbl_management_type", "tbl_management_factors",
    "tbl_input_type", "tbl_input_factors"};

// The header and the records of a CSV file, read here without the code under test.
Records read_file(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    EXPECT_TRUE(in) << file;
    Records records;
    while (auto record = read_csv_record(in))
        records.push_back(*record);
    return records;
}

// The first two fields of each record after the header, as the lookup keeps them.
Records country_and_code(const fs::path& file) {
    Records pairs;
    for (const Strings& record : read_file(file))
        pairs.push_back({record.at(0), record.at(1)});
    pairs.erase(pairs.begin());
    return pairs;
}

// What data/README.md says each table of an edition holds, in the database's row order.
std::map<std::string, Records> expected_tables(const std::string& edition, int last_code) {
    std::map<std::string, Records> tables;
    const fs::path folder = edition == "2003" ? kData : kData / "editions" / edition;
    for (const std::string& table : kValueTables)
        tables[table] = read_file(folder / (table + ".csv"));
    tables["tbl_soiltype_classification"] = read_file(kData / "tbl_soiltype_classification.csv");
    if (edition == "2003") {
        tables["tbl_climate_regions"] = read_file(kData / "tbl_climate_regions.csv");
        tables["tbl_climate_zone_lookup"] = read_file(kData / "tbl_climate_zone_lookup.csv");
        return tables;
    }
    Records regions = read_file(kRegions / "tbl_climate_regions.csv");
    tables["tbl_climate_regions"] = {regions.front()};
    for (auto region = regions.begin() + 1; region != regions.end(); ++region) {
        if (std::stoi(region->at(0)) <= last_code)
            tables["tbl_climate_regions"].push_back(*region);
    }
    Records lookup = read_file(kData / "tbl_climate_zone_lookup.csv");
    for (const Strings& removal : country_and_code(kRegions / "removals.csv"))
        std::erase(lookup, removal);
    for (const Strings& addition : country_and_code(kRegions / "lookup_additions.csv")) {
        if (std::stoi(addition.at(1)) <= last_code)
            lookup.push_back(addition);
    }
    tables["tbl_climate_zone_lookup"] = lookup;
    return tables;
}

// Compares every value of the table with the CSV text: empty is NULL, a number compares as the
// number the text spells (-999 too), anything else as text.
void expect_same_values(sqlite::Database& file, const std::string& table, const Records& csv) {
    const Strings& header = csv.front();
    std::string columns;
    for (const std::string& column : header)
        columns += (columns.empty() ? "" : ", ") + column;
    sqlite::Statement rows(file, "SELECT " + columns + " FROM " + table + " ORDER BY rowid");
    size_t record = 1;
    for (; rows.step(); ++record) {
        ASSERT_LT(record, csv.size()) << table << ": more rows than its CSV";
        for (size_t c = 0; c < header.size(); ++c) {
            const std::string& text = csv[record].at(c);
            const int column = static_cast<int>(c);
            SCOPED_TRACE(table + " row " + std::to_string(record) + " " + header[c] + " '" + text +
                         "'");
            if (text.empty()) {
                EXPECT_TRUE(rows.is_null(column));
            } else if (rows.is_number(column)) {
                EXPECT_EQ(rows.number(column), std::stod(text));
            } else {
                EXPECT_EQ(rows.text(column), text);
            }
        }
    }
    EXPECT_EQ(record, csv.size()) << table << ": fewer rows than its CSV";
}

// One row per record of the edition's uncertainty.csv, in its order, with the same value and ±;
// the 2019 reference stocks publish 95% confidence limits, every other ± spans two standard
// deviations. 2003 publishes none. (That each row names its value, dbcheck of the shipped
// databases shows.)
void expect_uncertainties(sqlite::Database& file, const std::string& edition) {
    const Records csv = edition == "2003"
                            ? Records{{}}
                            : read_file(kData / "editions" / edition / "uncertainty.csv");
    sqlite::Statement rows(file,
                           "SELECT value_table, value_table || '.csv', value, '±' || printf('%g', "
                           "plus_minus_percent) || '%', standard_deviations, source_id FROM "
                           "value_uncertainty");
    size_t record = 1;
    for (; record < csv.size() && rows.step(); ++record) {
        const Strings& published = csv[record];
        SCOPED_TRACE(edition + " uncertainty.csv record " + std::to_string(record));
        EXPECT_EQ((Strings{rows.text(1), rows.text(3), rows.text(5)}),
                  (Strings{published.at(0), published.at(3), published.at(5)}));
        EXPECT_EQ(rows.number(2), std::stod(published.at(2)));
        const bool confidence_limit = edition == "2019" && rows.text(0) == "c_stocks";
        EXPECT_EQ(rows.number(4), confidence_limit ? 1.96 : 2);
    }
    EXPECT_EQ(record, csv.size());
    EXPECT_FALSE(rows.step());
}

class EditionDatabaseTest : public ::testing::TestWithParam<Edition> {};

TEST_P(EditionDatabaseTest, HoldsExactlyTheValuesOfItsFilesAndRecordsItsEdition) {
    const Edition& edition = GetParam();
    testing::TempDir dir;
    const std::string path = dir.file("defaults-" + std::string(edition.id) + ".mdb");
    create_edition_database(path, kData.string(), edition);
    sqlite::Database file(path, sqlite::OpenMode::kReadOnly);
    for (const auto& [table, records] :
         expected_tables(std::string(edition.id), edition.last_region_code)) {
        expect_same_values(file, table, records);
    }
    sqlite::Statement record(file, "SELECT id, title FROM edition");
    ASSERT_TRUE(record.step());
    EXPECT_EQ(record.text(0), edition.id);
    EXPECT_EQ(record.text(1), edition.title);
    EXPECT_FALSE(record.step());
    EXPECT_FALSE(fs::exists(path + ".part"));
    expect_uncertainties(file, std::string(edition.id));
}

INSTANTIATE_TEST_SUITE_P(Editions, EditionDatabaseTest, ::testing::ValuesIn(editions()),
                         [](const ::testing::TestParamInfo<Edition>& info) {
                             return "Edition" + std::string(info.param.id);
                         });

TEST(EditionsTest, EachEditionHasItsOwnRegions) {
    ASSERT_EQ(edition_ids(), "2003, 2006, 2019");
    const std::string eight =
        "Boreal|Cold Temperate Dry|Cold Temperate Wet|Warm Temperate Dry|Warm Temperate "
        "Wet|Tropical Dry|Tropical Moist|Tropical Wet";
    const std::map<std::string, std::string> regions = {
        {"2003", eight},
        {"2006", eight + "|Boreal Dry|Tropical Montane"},
        {"2019", eight + "|Boreal Dry|Tropical Montane|Polar"}};
    testing::TempDir dir;
    for (const Edition& edition : editions()) {
        const std::string path = dir.file(std::string(edition.id) + ".mdb");
        create_edition_database(path, kData.string(), edition);
        sqlite::Database file(path, sqlite::OpenMode::kReadOnly);
        sqlite::Statement row(file,
                              "SELECT group_concat(climate_region, '|') FROM tbl_climate_regions");
        ASSERT_TRUE(row.step());
        EXPECT_EQ(row.text(0), regions.at(std::string(edition.id)));
    }
}

void expect_refused(const fs::path& data, const std::string& edition, const std::string& says) {
    const std::string path = (data.parent_path() / "out.mdb").string();
    const std::string message =
        testing::failure_of([&] {
            create_edition_database(path, data.string(), *find_edition(edition));
        }).value_or("made " + edition);
    EXPECT_NE(message.find(says), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(fs::exists(path + ".part"));
}

TEST(EditionsTest, FilesThatDoNotFitTogetherAreRefusedNamingTheFile) {
    testing::TempDir dir;
    const fs::path data = dir.path() / "data";  // a copy of the data folder to break
    fs::copy(kData, data, fs::copy_options::recursive);
    const fs::path regions = data / "editions" / "regions";

    // An edition's value table is never taken from another edition.
    fs::rename(data / "editions" / "2006" / "tbl_systems.csv", dir.path() / "aside.csv");
    expect_refused(data, "2006",
                   "cannot read " + (data / "editions/2006/tbl_systems.csv").string());
    fs::rename(dir.path() / "aside.csv", data / "editions" / "2006" / "tbl_systems.csv");

    // An uncertainty belongs to the value the edition publishes at its key.
    const fs::path uncertainty = data / "editions" / "2006" / "uncertainty.csv";
    std::ofstream(uncertainty, std::ios::app) << "tbl_input_factors.csv,climate_region=Boreal;"
                                                 "input_type=High;grassland_other=grassland,1.2,"
                                                 "±7%,two standard deviations,GL\n";
    expect_refused(data, "2006",
                   "uncertainty.csv line 143: the value '1.2' is not the 1.11 of " +
                       (data / "editions/2006/tbl_input_factors.csv").string() +
                       " for climate_region 'Boreal', input_type 'High', grassland_other "
                       "'grassland'");
    fs::copy_file(kData / "editions" / "2006" / "uncertainty.csv", uncertainty,
                  fs::copy_options::overwrite_existing);

    std::ofstream(regions / "removals.csv", std::ios::app) << "Atlantis,1,sunk\n";
    expect_refused(data, "2019", (regions / "removals.csv").string() + " line 3: no such row in");
    fs::copy_file(kRegions / "removals.csv", regions / "removals.csv",
                  fs::copy_options::overwrite_existing);

    std::ofstream(regions / "lookup_additions.csv", std::ios::app) << "Kenya,6,again\n";
    expect_refused(data, "2006", "line 63: the row is in");

    std::ofstream(regions / "lookup_additions.csv", std::ios::app) << "Kenya,six,typo\n";
    // 2003 keeps its own regions and never reads the scheme.
    EXPECT_NO_THROW(create_edition_database((dir.path() / "2003.mdb").string(), data.string(),
                                            *find_edition("2003")));
    expect_refused(data, "2019", "the region code 'six' is not a whole number");
}

}  // namespace
}  // namespace humo::db
