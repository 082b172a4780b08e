// The default-table browsers and the warnings in front of them.

#include "data_form_fixture.h"
#include "defaults_warning.h"
#include "text_matchers.h"

namespace humo::maintenance {
namespace {

using calculator::DefaultTable;

struct WarningCase {
    forms::CommandButton calculator::frmmaster::*button;
    DefaultTable table;
    const char *dialog, *title, *first_words, *focused, *browser, *browser_title;
};

const WarningCase kWarnings[] = {
    {&calculator::frmmaster::cmdMgmtFactors, DefaultTable::kManagementFactors,
     "frmDefaultsWarning1", "Attention", "Modifying these management factors", "OKButton",
     "frmMgmtFactors", "tbl_management_factors"},
    {&calculator::frmmaster::cmdc_stocks, DefaultTable::kCStocks, "frmDefaultsWarning2",
     "Dialog Caption", "Modifying these Carbon stock values", "CancelButton", "frmc_stocks",
     "c_stocks"},
    {&calculator::frmmaster::cmdSystems, DefaultTable::kSystems, "frmDefaultsWarning3",
     "Dialog Caption", "Modifying these system factors", "CancelButton", "frmSystems",
     "tbl_systems"},
    {&calculator::frmmaster::cmdInputFactors, DefaultTable::kInputFactors, "frmDefaultsWarning4",
     "Dialog Caption", "Modifying these input factors", "CancelButton", "frmInputFactor",
     "tbl_input_factors"},
};

TEST_F(DataFormTest, EachDefaultSettingsButtonWarnsThenOpensItsOwnBrowserUnlessCancelled) {
    for (const WarningCase& c : kWarnings) {
        ASSERT_FALSE((calc().*c.button).user_click());
        frmDefaultsWarning& dialog = data_forms().warning(c.table)();
        EXPECT_TRUE(dialog.visible());
        EXPECT_EQ(dialog.name(), c.dialog);
        EXPECT_EQ(dialog.caption(), c.title);
        EXPECT_THAT(dialog.lblWarningText1.caption(),
                    StartsWith(std::string(c.first_words) +
                               " will overwrite the default values from those specified in "
                               "Chapter 3: Land Use Change and Forestry Sector Good Practice "
                               "Guidance.\r\rTo restore the values to the default settings you "
                               "will have to re-enter them by hand or uninstall and reinstall "
                               "the HUMO soil carbon tool.\r\rClick on OK to continue or Cancel "
                               "to return to the main form."));
        EXPECT_EQ(dialog.active_control()->name(), c.focused);
        EXPECT_FALSE(dialog.OKButton.user_click());
        EXPECT_FALSE(dialog.loaded());
        DataForm& opened = data_forms().browser(c.table)();
        EXPECT_TRUE(opened.visible());
        EXPECT_EQ(opened.name(), c.browser);
        EXPECT_EQ(opened.caption(), c.browser_title);
        opened.user_close();
    }
    // Cancel closes the warning and opens nothing.
    calc().cmdSystems.user_click();
    data_forms().warning(DefaultTable::kSystems)().CancelButton.user_click();
    EXPECT_EQ(session.program.loaded_forms().size(), 2u);  // the frame and the calculator
    EXPECT_TRUE(messages().empty());
}

TEST_F(DataFormTest, ABrowserShowsItsTableInTheQueryOrderAndBrowsesOnly) {
    DataForm& form = browser(DefaultTable::kSystems);
    EXPECT_EQ(form.grdDataGrid.column_name(0), "climate_region");
    EXPECT_EQ(form.grdDataGrid.column_name(2), "land_use_factor");
    EXPECT_EQ(rows(form)[0], "Cool|grassland|1");
    EXPECT_EQ(rows(form)[1], "Cool|Long-term cultivated|-999");
    EXPECT_FALSE(form.grdDataGrid.allow_add_new());
    EXPECT_FALSE(form.Label1 || form.cmdAdd || form.cmdDelete);
    form.cmdLast.user_click();
    EXPECT_EQ(form.lblStatus.caption(), "");  // a browser never shows a position
}

TEST_F(DataFormTest, ABrowserEditReachesTheCalculatorOnItsNextLookup) {
    session.pick(calc().country, "Atlantis");
    session.pick(calc().climate_region, "Warm");
    session.pick(calc().system1, "Set aside");
    EXPECT_EQ(calc().base_factor1.text(), "0.93");
    DataForm& form = edit_set_aside("0.5");
    EXPECT_EQ(calc().base_factor1.text(), "0.93");  // nothing refreshes the calculator
    form.cmdFirst.user_click();                     // the move writes the row
    EXPECT_EQ(set_aside_factor(), "0.5");
    session.pick(calc().system1, "Orchard");
    session.pick(calc().system1, "Set aside");
    EXPECT_EQ(calc().base_factor1.text(), "0.5");
}

TEST_F(DataFormTest, ABrowserOpenedTwiceStaysOneWindowAtItsRow) {
    DataForm& form = browser(DefaultTable::kCStocks);
    form.cmdLast.user_click();
    const long row = form.grdDataGrid.current_row();
    calc().cmdc_stocks.user_click();
    data_forms().warning(DefaultTable::kCStocks)().OKButton.user_click();
    EXPECT_EQ(&data_forms().browser(DefaultTable::kCStocks)(), &form);
    EXPECT_EQ(form.grdDataGrid.current_row(), row);
    int browsers = 0;
    for (const forms::Form* loaded : session.program.loaded_forms())
        browsers += loaded->name() == "frmc_stocks";
    EXPECT_EQ(browsers, 1);
}

TEST_F(DataFormTest, ABrowserWhoseTableIsMissingSaysSoAndDoesNotOpen) {
    change_behind("DROP TABLE tbl_input_factors");
    calc().cmdInputFactors.user_click();
    data_forms().warning(DefaultTable::kInputFactors)().OKButton.user_click();
    EXPECT_EQ(messages(), Strings{"no such table: tbl_input_factors (in the database file " +
                                  session.dir.file("humo_tool.mdb") + ")"});
    EXPECT_FALSE(data_forms().browser(DefaultTable::kInputFactors)().loaded());
    EXPECT_FALSE(session.host.ended);
}

TEST_F(DataFormTest, TheResizeRuleLaysOutTheGridAndTheStatusBar) {
    DataForm& form = browser(DefaultTable::kCStocks);
    EXPECT_EQ(form.grdDataGrid.rect().height, 4245 - 30 - 300 - 300);
    form.user_resize({9000, 6000});
    EXPECT_EQ(form.grdDataGrid.rect().width, 9000);
    EXPECT_EQ(form.grdDataGrid.rect().height, 6000 - 630);
    EXPECT_EQ(form.picStatBox.rect().top, 5700);
    EXPECT_EQ(form.picButtons.rect().top, 5400);
    EXPECT_EQ(form.lblStatus.rect().width, 9000 + 120 - 1500);
    EXPECT_EQ(form.cmdNext.rect().left, 9000 + 120 - 1500 + 700);
    EXPECT_EQ(form.cmdLast.rect().left, form.cmdNext.rect().left + 340);
    form.user_resize({500, 400});  // too small: the steps that cannot be done are left out
    EXPECT_EQ(form.grdDataGrid.rect().height, 6000 - 630);
    EXPECT_TRUE(messages().empty());
}

}  // namespace
}  // namespace humo::maintenance
