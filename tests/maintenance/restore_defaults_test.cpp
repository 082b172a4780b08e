// Restoring the default values while the calculator and the data forms are open.

#include <filesystem>

#include "data_form_fixture.h"
#include "default_database.h"
#include "editions.h"
#include "files.h"

namespace humo::maintenance {
namespace {

namespace fs = std::filesystem;
using calculator::DefaultTable;

class RestoreDefaultsTest : public DataFormTest {
public:
    RestoreDefaultsTest() {
        db::create_database(session.dir.file("defaults-2003.mdb"),
                            testing::read_fixture("calculator.sql"));
    }
    Strings backups() const {
        Strings names = testing::file_names(session.dir.path());
        std::erase_if(names,
                      [](const std::string& name) { return !name.starts_with("humo_tool-"); });
        return names;
    }
};

TEST_F(RestoreDefaultsTest, APendingEditGoesIntoTheBackupAndTheCalculatorStartsAfresh) {
    session.pick(calc().country, "Atlantis");
    session.pick(calc().climate_region, "Warm");
    DataForm& form = edit_set_aside("0.5");
    const std::optional<std::string> backup = session.module.restore_defaults();
    ASSERT_TRUE(backup.has_value());
    EXPECT_EQ(backups(), Strings{*backup});
    EXPECT_EQ(set_aside_factor(*backup), "0.5");
    EXPECT_EQ(set_aside_factor(), "0.93");
    EXPECT_FALSE(form.loaded());
    EXPECT_EQ(messages().size(), 1u);  // the confirmation: the restore_defaults scenario
    EXPECT_EQ(calc().climate_region.items(), Strings{"(Please specify a country)"});
    EXPECT_EQ(calc().carbon_stock.text(), "");
    session.pick(calc().country, "Atlantis");
    session.pick(calc().climate_region, "Warm");
    session.pick(calc().system1, "Set aside");
    EXPECT_EQ(calc().base_factor1.text(), "0.93");
}

TEST_F(RestoreDefaultsTest, CancelOrARefusedPendingWriteLeavesEverythingAsItWas) {
    session.pick(calc().country, "Atlantis");
    session.host.answers = {forms::MsgBoxResult::kCancel};
    EXPECT_FALSE(session.module.restore_defaults());
    EXPECT_EQ(calc().country.text(), "Atlantis");
    DataForm& form = browser(DefaultTable::kCStocks);
    form.grdDataGrid.user_edit(2, "lots");
    EXPECT_FALSE(session.module.restore_defaults());
    EXPECT_EQ(messages(),
              (Strings{messages()[0], messages()[0], "c_stock_Mg_ha: \"lots\" is not a number"}));
    EXPECT_TRUE(form.loaded());
    EXPECT_EQ(form.grdDataGrid.cell_text(0, 2), "lots");
    EXPECT_TRUE(backups().empty());
    EXPECT_EQ(calc().country.text(), "Atlantis");
}

TEST_F(RestoreDefaultsTest, MissingDefaultsAreSaidBeforeAnythingCloses) {
    session.pick(calc().country, "Atlantis");
    session.pick(calc().climate_region, "Warm");
    DataForm& form = edit_set_aside("0.5");
    fs::remove(session.dir.file("defaults-2003.mdb"));
    EXPECT_FALSE(session.module.restore_defaults());
    EXPECT_EQ(messages(),
              Strings{"Cannot restore the defaults from " + session.dir.file("defaults-2003.mdb") +
                      ": the file does not exist"});
    EXPECT_TRUE(form.loaded());
    EXPECT_TRUE(backups().empty());
    // The calculator keeps what it shows and works on the file it had.
    EXPECT_EQ(calc().climate_region.text(), "Warm");
    form.cmdFirst.user_click();
    session.pick(calc().system1, "Set aside");
    EXPECT_EQ(calc().base_factor1.text(), "0.5");
}

TEST_F(RestoreDefaultsTest, WithoutAnEditionTheOneTheDatabaseRecordsIsLoadedAgain) {
    const db::Edition& later = *db::find_edition("2006");
    db::create_database(session.dir.file("defaults-2006.mdb"),
                        testing::read_fixture("calculator.sql") +
                            "CREATE TABLE edition (id TEXT, title TEXT);"
                            "INSERT INTO edition VALUES ('2006', 'the later one');"
                            "UPDATE tbl_systems SET land_use_factor = 0.8 WHERE system = "
                            "'Set aside';");
    ASSERT_TRUE(session.module.restore_defaults(std::string(later.id)));
    EXPECT_EQ(set_aside_factor(), "0.8");
    EXPECT_TRUE(messages().back().find(std::string(later.title)) != std::string::npos);
    edit_set_aside("0.5").cmdFirst.user_click();
    ASSERT_TRUE(session.module.restore_defaults());
    EXPECT_EQ(set_aside_factor(), "0.8");
    EXPECT_TRUE(messages().back().find(std::string(later.title)) != std::string::npos);
}

}  // namespace
}  // namespace humo::maintenance
