#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "connection.h"
#include "recordset.h"
#include "sqlite_database.h"
#include "temp_dir.h"

namespace humo::recordset {
namespace {

const numbers::DecimalSeparator kPoint{'.'};

class RecordsetTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = dir_.file("fixture.db");
        sqlite::Database(path_, sqlite::OpenMode::kCreate)
            .execute(
                "CREATE TABLE t (name TEXT COLLATE NOCASE, value REAL, n INTEGER);"
                "INSERT INTO t VALUES ('a', 1.5, 1), ('b', NULL, 2), ('O''Brien', -999, 3);");
        connection_.set_cursor_location(CursorLocation::kClient);
        connection_.open(path_);
    }

    testing::TempDir dir_;
    std::string path_;
    Connection connection_;
    Recordset rs_;
};

std::optional<Failure> failure_of(const std::function<void()>& action) {
    try {
        action();
    } catch (const Failure& failure) {
        return failure;
    }
    return std::nullopt;
}

int failure_number(const std::function<void()>& action) {
    const auto failure = failure_of(action);
    return failure ? failure->number() : 0;
}

TEST_F(RecordsetTest, WalksASnapshotForwardAndBack) {
    rs_.open("SELECT name, value FROM t ORDER BY n", connection_);
    EXPECT_EQ(rs_.record_count(), 3);
    EXPECT_FALSE(rs_.bof());
    rs_.move_last();
    EXPECT_EQ(rs_.value("name").to_text(kPoint), "O'Brien");
    rs_.move_first();
    std::vector<std::string> names;
    while (!rs_.eof()) {
        names.push_back(rs_.value(0).to_text(kPoint));
        rs_.move_next();
    }
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "O'Brien"}));
    EXPECT_EQ(failure_number([&] { rs_.move_next(); }), 3021);
    rs_.move_previous();
    EXPECT_EQ(rs_.value("NAME").to_text(kPoint), "O'Brien");  // field names ignore case
    EXPECT_EQ(rs_.value("value").to_text(kPoint), "-999");
}

TEST_F(RecordsetTest, AnEmptyResultHasNoCurrentRow) {
    rs_.open("SELECT name FROM t WHERE n > 10", connection_);
    EXPECT_TRUE(rs_.bof());
    EXPECT_TRUE(rs_.eof());
    EXPECT_EQ(rs_.record_count(), 0);
    EXPECT_EQ(failure_number([&] { rs_.move_last(); }), 3021);
    EXPECT_EQ(failure_number([&] { rs_.move_first(); }), 3021);
    EXPECT_EQ(failure_number([&] { rs_.value(0); }), 3021);
    EXPECT_EQ(connection_.errors().count(), 0u);  // not an engine error
}

TEST_F(RecordsetTest, ANullCannotBecomeText) {
    rs_.open("SELECT value FROM t WHERE n = 2", connection_);
    EXPECT_EQ(failure_number([&] { rs_.value(0).to_text(kPoint); }), 94);
}

TEST_F(RecordsetTest, ParametersCarryQuotesAsData) {
    rs_.open("SELECT n FROM t WHERE name = ?", connection_, {"O'Brien"});
    EXPECT_EQ(rs_.value(0).to_text(kPoint), "3");
    rs_.close();
    rs_.open("SELECT n FROM t WHERE name = ?", connection_, {"x' OR '1'='1"});
    EXPECT_EQ(rs_.record_count(), 0);
    rs_.close();
    rs_.open("SELECT n FROM t WHERE name = ?", connection_, {"A"});  // NOCASE column
    EXPECT_EQ(rs_.value(0).to_text(kPoint), "1");
}

TEST_F(RecordsetTest, EngineFailuresLandInTheErrorList) {
    const auto failure = failure_of([&] { rs_.open("SELECT x FROM missing_table", connection_); });
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->number(), 1);
    EXPECT_EQ(failure->source(), "SQLite");
    EXPECT_EQ(failure->description(),
              "no such table: missing_table (in the database file " + path_ + ")");
    ASSERT_EQ(connection_.errors().count(), 1u);
    EXPECT_EQ(connection_.errors().item(0), *failure);
    EXPECT_EQ(rs_.state(), ObjectState::kClosed);
    rs_.open("SELECT n FROM t", connection_);  // the set is usable again
    EXPECT_EQ(rs_.record_count(), 3);
}

TEST_F(RecordsetTest, ClosedAndOpenStatesAreEnforced) {
    EXPECT_EQ(failure_number([&] { rs_.move_first(); }), 3704);
    rs_.open("SELECT n FROM t", connection_);
    EXPECT_EQ(failure_number([&] { rs_.open("SELECT n FROM t", connection_); }), 3705);
    rs_.close();
    EXPECT_EQ(rs_.state(), ObjectState::kClosed);
}

TEST_F(RecordsetTest, AFieldIsFoundByItsWholeNameOnly) {
    rs_.open("SELECT name AS management_type, value FROM t", connection_);
    EXPECT_EQ(rs_.value("Management_Type").to_text(kPoint), "a");
    EXPECT_EQ(failure_number([&] { rs_.value("management"); }), 3265);
    EXPECT_EQ(failure_number([&] { rs_.value("management_type_x"); }), 3265);
    EXPECT_EQ(failure_number([&] { rs_.value(2); }), 3265);
}

TEST_F(RecordsetTest, AStatementThatFailsHalfWayIsAFailureNotAShortResult) {
    // The third row overflows a whole number, after two rows have come back.
    const std::string sql =
        "SELECT CASE WHEN n = 3 THEN abs(-9223372036854775807 - 1) ELSE n END FROM t ORDER BY n";
    EXPECT_EQ(failure_number([&] { rs_.open(sql, connection_); }), 1);
    EXPECT_EQ(rs_.state(), ObjectState::kClosed);
    EXPECT_EQ(connection_.errors().count(), 1u);
    EXPECT_EQ(connection_.errors().item(0).description(),
              "integer overflow (in the database file " + path_ + ")");
    // The statement is ready for the next use.
    rs_.open("SELECT n FROM t ORDER BY n", connection_);
    EXPECT_EQ(rs_.record_count(), 3);
}

TEST_F(RecordsetTest, AReadTransactionSeesOneStateOfTheFile) {
    connection_.begin_read();
    rs_.open("SELECT count(*) FROM t", connection_);
    rs_.close();
    // Another program, one that does not wait, cannot write while the read is held, and can
    // once it ends.
    sqlite::Database other(path_, sqlite::OpenMode::kReadWrite);
    other.execute("PRAGMA busy_timeout = 0");
    EXPECT_EQ(failure_number([&] { other.execute("INSERT INTO t VALUES ('c', 1, 4)"); }), 5);
    connection_.end_read();
    other.execute("INSERT INTO t VALUES ('c', 1, 4)");
    rs_.open("SELECT count(*) FROM t", connection_);
    EXPECT_EQ(rs_.value(0).to_text(kPoint), "4");
}

// What cannot be opened or changed is named with its path and the reason, not the engine's
// bare words.
TEST(ConnectionTest, AFolderOrAReadOnlyFileIsNamedWithItsCause) {
    testing::TempDir dir;
    const std::string folder = dir.file("folder.mdb");
    std::filesystem::create_directory(folder);
    Connection connection;
    EXPECT_EQ(failure_of([&] { connection.open(folder); }).value().description(),
              "The database file " + folder + " is a directory, not a database.");
    const std::string file = dir.file("humo_tool.mdb");
    sqlite::Database(file, sqlite::OpenMode::kCreate).execute("CREATE TABLE t (x)");
    connection.open(file, sqlite::OpenMode::kReadOnly);
    EXPECT_EQ(failure_of([&] { connection.database().execute("INSERT INTO t VALUES (1)"); })
                  .value()
                  .description(),
              "The database file " + file +
                  " cannot be changed: it is read-only (or its folder is). Nothing was saved.");
}

TEST(ConnectionTest, AMissingFileFailsToOpenAndIsNotCreated) {
    testing::TempDir dir;
    Connection connection;
    const std::string path = dir.file("humo_tool.mdb");
    const auto failure = failure_of([&] { connection.open(path); });
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->number(), 14);
    EXPECT_NE(failure->description().find(path), std::string::npos);
    EXPECT_EQ(connection.errors().count(), 1u);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(connection.state(), ObjectState::kClosed);
    Recordset rs;
    EXPECT_EQ(failure_number([&] { rs.open("SELECT 1", connection); }), 3709);
}

}  // namespace
}  // namespace humo::recordset
