#include <gtest/gtest.h>

#include <fstream>

#include "calculator_session.h"
#include "other_program_lock.h"

namespace humo::app {
namespace {

using Strings = std::vector<std::string>;
using testing::CalculatorSession;

class StartupTest : public ::testing::Test {
protected:
    CalculatorSession session{testing::read_fixture("calculator.sql")};
    forms::Program& program = session.program;
    Module1& module = session.module;
};

TEST_F(StartupTest, ExitOnTheIntroductionEndsTheProgramAtOnce) {
    module.Main();
    module.frmSplash().Exit1.user_click();
    EXPECT_TRUE(session.host.ended);
    EXPECT_EQ(module.frmSplash().Continue1.user_click(), "program ended");
}

TEST_F(StartupTest, ClosingTheCalculatorWithAQueryOpenReleasesTheDatabaseAndKeepsTheFrame) {
    session.start_calculator();
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

// What the calculator shows without its database: the missing_database scenario.
TEST(StartupFailureTest, AMissingDatabaseIsAStopMessageAndIsNotCreated) {
    CalculatorSession session{std::nullopt};
    session.start_calculator();
    ASSERT_EQ(session.host.messages.size(), 1u);
    EXPECT_EQ(session.host.messages[0].icon, forms::MsgBoxIcon::kStop);
    EXPECT_EQ(session.calc().soiltype.list_count(), 0);
    EXPECT_FALSE(std::filesystem::exists(session.dir.file("humo_tool.mdb")));
}

TEST(StartupFailureTest, AFileThatIsNotADatabaseIsReported) {
    CalculatorSession session{std::nullopt};
    std::ofstream(session.dir.file("humo_tool.mdb")) << std::string(200, 'x');
    session.start_calculator();
    EXPECT_EQ(session.messages(), (Strings{"Error Code: 26\r\nDescription: The file " +
                                           session.dir.file("humo_tool.mdb") +
                                           " is not a database.\r\nSource: SQLite"}));
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

TEST(StartupFailureTest, AnEmptyCountryTableEndsTheLoadAtTheCountryList) {
    CalculatorSession session{"INSERT INTO c_stocks VALUES ('Sandy', 'Warm', 1);"};
    session.start_calculator();
    EXPECT_EQ(session.messages().size(), 1u);
    auto& c = session.calc();
    EXPECT_EQ(c.country.list_count(), 0);
    EXPECT_EQ(c.climate_region.list_count(), 0);  // the prompt was never added
    EXPECT_EQ(c.soiltype.list_count(), 0);
}

}  // namespace
}  // namespace humo::app
