#include <gtest/gtest.h>

#include "calculator_session.h"
#include "other_program_lock.h"

namespace humo::app {
namespace {

using Strings = std::vector<std::string>;
using testing::CalculatorSession;

TEST(StartupTest, ClosingTheCalculatorWithAQueryOpenReleasesTheDatabaseAndKeepsTheFrame) {
    CalculatorSession session{testing::read_fixture("calculator.sql")};
    session.start_calculator();
    Module1& module = session.module;
    const auto& program = session.program;
    auto& database = module.database();
    database.SoilCarbonRecordset->open("SELECT 1", *database.SoilCarbonConnection);
    module.frmmaster().user_close();
    EXPECT_FALSE(session.host.ended);
    ASSERT_EQ(program.loaded_forms().size(), 1u);
    EXPECT_EQ(program.loaded_forms()[0]->name(), "frmHUMO");
    EXPECT_TRUE(program.loaded_forms()[0]->visible());
    EXPECT_EQ(database.SoilCarbonConnection, nullptr);
    EXPECT_EQ(database.SoilCarbonRecordset, nullptr);
    module.frmHUMO().user_close();
    EXPECT_TRUE(session.host.ended);
}

// What the calculator shows without its database, with a file that is no database, and with
// one that has no countries: the missing_database, not_a_database and no_countries scenarios.
TEST(StartupFailureTest, AMissingDatabaseIsAStopMessageAndIsNotCreated) {
    CalculatorSession session{std::nullopt};
    session.start_calculator();
    ASSERT_EQ(session.host.messages.size(), 1u);
    EXPECT_EQ(session.host.messages[0].icon, forms::MsgBoxIcon::kStop);
    EXPECT_EQ(session.calc().soiltype.list_count(), 0);
    EXPECT_FALSE(std::filesystem::exists(session.dir.file("humo_tool.mdb")));
}

TEST(StartupFailureTest, ALockHeldByAnotherProgramIsWaitedFor) {
    CalculatorSession session{
        "INSERT INTO tbl_climate_zone_lookup VALUES ('Atlantis', 1);"
        "INSERT INTO c_stocks VALUES ('Sandy', 'Warm', 1);"};
    testing::OtherProgramLock lock(session.dir.file("humo_tool.mdb"));
    lock.release_after(std::chrono::milliseconds(300));
    session.start_calculator();
    EXPECT_EQ(session.messages(), Strings{});
    EXPECT_EQ(session.calc().country.items(), Strings{"Atlantis"});
}

TEST(StartupFailureTest, ALockThatIsNotReleasedNamesTheFile) {
    CalculatorSession session{"INSERT INTO tbl_climate_zone_lookup VALUES ('Atlantis', 1);"};
    testing::OtherProgramLock lock(session.dir.file("humo_tool.mdb"));
    session.start_calculator();
    EXPECT_EQ(session.messages(), (Strings{"Error Code: 5\r\nDescription: The database file " +
                                           session.dir.file("humo_tool.mdb") +
                                           " is locked by another program.\r\nSource: SQLite"}));
    EXPECT_EQ(session.calc().country.list_count(), 0);
}

}  // namespace
}  // namespace humo::app
