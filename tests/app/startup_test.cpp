#include <gtest/gtest.h>

#include <sqlite3.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "calculator_session.h"

namespace humo::app {
namespace {

using Strings = std::vector<std::string>;
using testing::CalculatorSession;

Strings loaded_forms(const forms::Program& program) {
    Strings names;
    for (const forms::Form* form : program.loaded_forms()) {
        names.push_back(form->name() + (form->visible() ? "" : " (hidden)"));
    }
    return names;
}

class StartupTest : public ::testing::Test {
protected:
    CalculatorSession session{testing::read_fixture("calculator.sql")};
    forms::Program& program = session.program;
    Module1& module = session.module;
};

TEST_F(StartupTest, MainShowsTheIntroductionInsideTheFrame) {
    module.Main();
    EXPECT_EQ(loaded_forms(program), (Strings{"frmHUMO", "frmSplash"}));
    EXPECT_EQ(module.frmHUMO().caption(), "HUMO Soil Carbon Tool");
    EXPECT_EQ(module.frmSplash().caption(), "Introduction");
    EXPECT_EQ(module.frmSplash().active_control(), &module.frmSplash().Continue1);
}

TEST_F(StartupTest, ContinueReplacesTheIntroductionWithTheCalculator) {
    session.start_calculator();
    EXPECT_EQ(loaded_forms(program), (Strings{"frmHUMO", "frmmaster"}));
    EXPECT_EQ(module.frmmaster().caption(), "Calculate Soil Carbon Stocks");
    EXPECT_EQ(program.help_file(), session.dir.file("humo_tool.chm"));
    EXPECT_FALSE(session.host.ended);
}

TEST_F(StartupTest, ExitEndsTheProgramAtOnceFromEitherForm) {
    module.Main();
    module.frmSplash().Exit1.user_click();
    EXPECT_TRUE(session.host.ended);
    EXPECT_EQ(module.frmSplash().Continue1.user_click(), "program ended");

    CalculatorSession other{testing::read_fixture("calculator.sql")};
    other.start_calculator();
    other.calc().Exit.user_click();
    EXPECT_TRUE(other.host.ended);
    EXPECT_TRUE(other.messages().empty());
}

TEST_F(StartupTest, ClosingTheCalculatorEndsTheProgram) {
    session.start_calculator();
    session.pick(session.calc().country, "Atlantis");
    module.frmmaster().user_close();
    EXPECT_TRUE(session.host.ended);
}

TEST_F(StartupTest, ClosingTheCalculatorWithAQueryOpenReleasesTheDatabaseAndKeepsTheFrame) {
    session.start_calculator();
    auto& database = module.database();
    database.SoilCarbonRecordset->open("SELECT 1", *database.SoilCarbonConnection);
    module.frmmaster().user_close();
    EXPECT_FALSE(session.host.ended);
    EXPECT_EQ(loaded_forms(program), (Strings{"frmHUMO"}));
    EXPECT_EQ(database.SoilCarbonConnection, nullptr);
    EXPECT_EQ(database.SoilCarbonRecordset, nullptr);
    module.frmHUMO().user_close();
    EXPECT_TRUE(session.host.ended);
}

TEST_F(StartupTest, ClosingTheIntroductionLeavesTheEmptyFrame) {
    module.Main();
    module.frmSplash().user_close();
    EXPECT_EQ(loaded_forms(program), (Strings{"frmHUMO"}));
    EXPECT_FALSE(session.host.ended);
    module.frmHUMO().user_close();
    EXPECT_TRUE(session.host.ended);
}

TEST_F(StartupTest, ClosingTheFrameClosesTheCalculatorWhichEndsTheProgram) {
    session.start_calculator();
    module.frmHUMO().user_close();
    EXPECT_TRUE(session.host.ended);
}

TEST(StartupFailureTest, AMissingDatabaseIsReportedAndTheCalculatorStillOpens) {
    CalculatorSession session{std::nullopt};
    session.start_calculator();
    const std::string path = session.dir.file("humo_tool.mdb");
    EXPECT_EQ(session.messages(), (Strings{"Error Code: 14\r\nDescription: The database file " +
                                           path + " does not exist.\r\nSource: SQLite"}));
    EXPECT_EQ(session.host.messages[0].title, "Error");
    EXPECT_EQ(session.host.messages[0].icon, forms::MsgBoxIcon::kStop);
    auto& c = session.calc();
    EXPECT_TRUE(c.visible());
    EXPECT_EQ(c.country.list_count(), 0);
    EXPECT_EQ(c.climate_region.list_count(), 0);
    EXPECT_EQ(c.soiltype.list_count(), 0);
    EXPECT_EQ(c.system1.list_count(), 0);
    EXPECT_TRUE(c.carbon_stock.enabled());  // as designed: the load stopped before disabling it
    EXPECT_FALSE(c.system1.enabled());
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(StartupFailureTest, AFileThatIsNotADatabaseIsReported) {
    CalculatorSession session{std::nullopt};
    std::ofstream(session.dir.file("humo_tool.mdb")) << std::string(200, 'x');
    session.start_calculator();
    EXPECT_EQ(session.messages(), (Strings{"Error Code: 26\r\nDescription: The file " +
                                           session.dir.file("humo_tool.mdb") +
                                           " is not a database.\r\nSource: SQLite"}));
}

// Another program writing the file holds its lock for a while.
class OtherProgramLock {
public:
    explicit OtherProgramLock(const std::string& path) {
        sqlite3_open(path.c_str(), &db_);
        sqlite3_exec(db_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    }
    ~OtherProgramLock() {
        if (releaser_.joinable())
            releaser_.join();
        sqlite3_close(db_);
    }
    void release_after(std::chrono::milliseconds delay) {
        releaser_ = std::thread([this, delay] {
            std::this_thread::sleep_for(delay);
            sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
        });
    }

private:
    sqlite3* db_ = nullptr;
    std::thread releaser_;
};

TEST(StartupFailureTest, ALockHeldByAnotherProgramIsWaitedFor) {
    CalculatorSession session{
        "INSERT INTO tbl_climate_zone_lookup VALUES ('Atlantis', 1);"
        "INSERT INTO c_stocks VALUES ('Sandy', 'Warm', 1);"};
    OtherProgramLock lock(session.dir.file("humo_tool.mdb"));
    lock.release_after(std::chrono::milliseconds(300));
    session.start_calculator();
    EXPECT_EQ(session.messages(), Strings{});
    EXPECT_EQ(session.calc().country.items(), Strings{"Atlantis"});
}

TEST(StartupFailureTest, ALockThatIsNotReleasedNamesTheFile) {
    CalculatorSession session{"INSERT INTO tbl_climate_zone_lookup VALUES ('Atlantis', 1);"};
    OtherProgramLock lock(session.dir.file("humo_tool.mdb"));
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
