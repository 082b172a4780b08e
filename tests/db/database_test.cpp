#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "csv_record.h"
#include "default_database.h"
#include "fixture_paths.h"
#include "sqlite_statement.h"
#include "temp_dir.h"

namespace humo::db {
namespace {

using Strings = std::vector<std::string>;

int count_rows(const std::string& path, const std::string& sql) {
    sqlite::Database db(path, sqlite::OpenMode::kReadOnly);
    sqlite::Statement statement(db, sql);
    return statement.step() ? static_cast<int>(statement.integer(0)) : -1;
}

int csv_records(const std::string& table) {
    std::ifstream in(testing::default_data_directory() + "/" + table + ".csv");
    int records = -1;  // the header
    while (read_csv_record(in))
        ++records;
    return records;
}

TEST(DefaultDatabaseTest, HoldsEveryRowOfTheDefaultData) {
    testing::TempDir dir;
    const std::string path = dir.file("humo_tool.mdb");
    create_default_database(path, testing::default_data_directory());
    for (const char* table :
         {"tbl_climate_regions", "tbl_climate_zone_lookup", "c_stocks", "tbl_systems",
          "tbl_management_type", "tbl_management_factors", "tbl_input_type", "tbl_input_factors",
          "tbl_soiltype_classification"}) {
        EXPECT_EQ(count_rows(path, std::string("SELECT count(*) FROM ") + table),
                  csv_records(table))
            << table;
    }
    // Numbers are stored as numbers, and text compares without regard to case.
    EXPECT_EQ(count_rows(path,
                         "SELECT count(*) FROM c_stocks WHERE typeof(c_stock_Mg_ha) <> "
                         "'real'"),
              0);
    EXPECT_EQ(count_rows(path, "SELECT count(*) FROM tbl_systems WHERE system = 'GRASSLAND'"), 8);
    // The names the calculator relies on are there.
    EXPECT_GT(count_rows(path,
                         "SELECT count(*) FROM c_stocks WHERE soil_type = 'High clay "
                         "activity mineral'"),
              0);
    EXPECT_EQ(count_rows(path,
                         "SELECT count(*) FROM tbl_systems WHERE system = 'Long-term "
                         "cultivated'"),
              8);
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));
}

TEST(DefaultDatabaseTest, AMalformedDataFileNamesTheLineAndLeavesNoFile) {
    testing::TempDir dir;
    const auto data = dir.path() / "data";
    std::filesystem::copy(testing::default_data_directory(), data);
    std::ofstream(data / "tbl_systems.csv", std::ios::app) << "Orchard,Warm\n";
    const std::string path = dir.file("humo_tool.mdb");
    try {
        create_default_database(path, data.string());
        FAIL();
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("tbl_systems.csv line 34"), std::string::npos)
            << error.what();
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(CsvTest, ReadsQuotedFieldsWithCommasQuotesAndLineBreaks) {
    std::istringstream in("a,\"b, c\",\"say \"\"hi\"\"\"\r\n\"two\nlines\",,x\n");
    EXPECT_EQ(*read_csv_record(in), (Strings{"a", "b, c", "say \"hi\""}));
    EXPECT_EQ(*read_csv_record(in), (Strings{"two\nlines", "", "x"}));
    EXPECT_FALSE(read_csv_record(in));
}

}  // namespace
}  // namespace humo::db
