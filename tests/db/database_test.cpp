#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "csv_record.h"
#include "default_database.h"
#include "failure_of.h"
#include "fixture_paths.h"
#include "temp_dir.h"

namespace humo::db {
namespace {

using Strings = std::vector<std::string>;

TEST(DefaultDatabaseTest, AMalformedDataFileNamesTheLineAndLeavesNoFile) {
    testing::TempDir dir;
    const auto data = dir.path() / "data";
    std::filesystem::copy(testing::default_data_directory(), data);
    std::ofstream(data / "tbl_systems.csv", std::ios::app) << "Orchard,Warm\n";
    const std::string path = dir.file("humo_tool.mdb");
    const std::string message =
        testing::failure_of([&] { create_default_database(path, data.string()); }).value_or("made");
    EXPECT_NE(message.find("tbl_systems.csv line 34"), std::string::npos) << message;
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
