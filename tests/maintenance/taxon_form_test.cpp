// The soil taxon forms: browsing, editing, the pick, and nothing typed ever lost.

#include "data_form_fixture.h"

namespace humo::maintenance {
namespace {

enum Key { kEscape = 27, kPageUp = 33, kPageDown, kEnd, kHome, kUp = 38, kDown = 40 };

const Strings kWrbRows{"Andosols|Volcanic", "Arenosols|Sandy", "Podzols|Spodic",
                       "Vertisols|High clay activity mineral"};

TEST_F(DataFormTest, ATaxonFormListsItsClassificationByTaxon) {
    DataForm& form = wrb();
    EXPECT_TRUE(form.visible());
    // Its caption, field names, status and buttons: the data form view's tests.
    EXPECT_EQ(rows(form), kWrbRows);
    EXPECT_EQ(form.Label1->caption(), "Double click on the soil taxon you wish to specify");
    EXPECT_TRUE(form.cmdAdd->visible());
    ASSERT_FALSE(calc().soiltype_usda.user_click());
    DataForm& usda = data_forms().taxon_form(calculator::TaxonList::kUsda)();
    EXPECT_EQ(rows(usda), (Strings{"Andisols|Volcanic", "Entisols|Sandy"}));
}

TEST_F(DataFormTest, NavigationBeepsAtBothEndsAndStays) {
    DataForm& form = wrb();
    const std::tuple<forms::CommandButton*, int, const char*, long> steps[] = {
        {&form.cmdPrevious, 1, "Record: 1", 0},
        {&form.cmdLast, 1, "Record: 4", 3},
        {&form.cmdNext, 2, "Record: 4", 3},
        {&form.cmdPrevious, 2, "Record: 3", 2},
        {&form.cmdFirst, 2, "Record: 1", 0}};
    for (const auto& [button, beeps, status, row] : steps) {
        EXPECT_FALSE(button->user_click());
        EXPECT_EQ(session.host.beeps, beeps);
        EXPECT_EQ(form.lblStatus.caption(), status);
        EXPECT_EQ(form.grdDataGrid.current_row(), row);
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(DataFormTest, AnEmptyListNeitherBeepsNorMovesAndItsFailuresAreShown) {
    change_behind("DELETE FROM tbl_soiltype_classification WHERE fao_usda = 'WRB'");
    DataForm& form = wrb();
    EXPECT_EQ(form.lblStatus.caption(), "Record: -1");
    form.cmdNext.user_click();
    form.cmdPrevious.user_click();
    EXPECT_EQ(session.host.beeps, 0);
    EXPECT_TRUE(messages().empty());
    form.cmdFirst.user_click();
    form.cmdLast.user_click();
    form.cmdAdd->user_click();
    form.cmdDelete->user_click();
    EXPECT_EQ(messages(), Strings(4, kNoCurrentRecord));
    EXPECT_EQ(session.host.messages[0].title, "humo_tool");
    EXPECT_EQ(form.grdDataGrid.row_count(), 0);  // the failed Add added nothing
    form.grdDataGrid.user_double_click();        // nothing to pick: the form stays
    EXPECT_TRUE(form.visible());
}

TEST_F(DataFormTest, TheKeyTableMovesOneRowAndCtrlAloneGoesToTheEnds) {
    DataForm& form = wrb();
    auto key = [&form](int code, int shift) {
        bool consumed = false;
        form.user_key_down(code, shift, &consumed);
        return consumed;
    };
    // Shift 2 is Ctrl alone, to the end; 3 is Shift+Ctrl, one row only. Each key is consumed,
    // so the grid does not move a second time.
    const int presses[][3] = {{kDown, 0, 1},   {kPageDown, 0, 2}, {kUp, 0, 1},  {kDown, 2, 3},
                              {kPageUp, 2, 0}, {kDown, 3, 1},     {kEnd, 0, 3}, {kHome, 0, 0}};
    for (const auto& [code, shift, row] : presses) {
        EXPECT_TRUE(key(code, shift)) << code;
        EXPECT_EQ(form.grdDataGrid.current_row(), row) << code << " " << shift;
    }
    EXPECT_FALSE(key(65, 0));  // any other key is the grid's
    form.cmdEdit->user_click();
    EXPECT_FALSE(key(kDown, 0));
    EXPECT_FALSE(key(kEscape, 0));
    EXPECT_EQ(form.grdDataGrid.current_row(), 0);
    EXPECT_TRUE(form.visible());
    form.cmdCancel->user_click();
    key(kEscape, 0);
    EXPECT_FALSE(form.loaded());
}

TEST_F(DataFormTest, EditAndUpdateWriteTheRowAndTheStatusKeepsSayingEditRecord) {
    DataForm& form = wrb();
    form.cmdEdit->user_click();
    EXPECT_EQ(form.lblStatus.caption(), "Edit record");
    EXPECT_TRUE(form.edit_mode());
    EXPECT_FALSE(form.cmdAdd->visible());
    EXPECT_FALSE(form.cmdClose.visible());
    EXPECT_TRUE(form.cmdUpdate->visible());
    EXPECT_FALSE(form.cmdNext.enabled());
    EXPECT_EQ(form.cmdNext.user_click(), "control disabled");
    form.grdDataGrid.user_edit(1, "Volcanic ash");
    EXPECT_EQ(rows(form)[0], "Andosols|Volcanic ash");  // the typed text shows while pending
    EXPECT_EQ(table("SELECT soiltype FROM tbl_soiltype_classification WHERE taxon = 'Andosols'"),
              Strings{"Volcanic"});
    form.cmdUpdate->user_click();
    EXPECT_EQ(table("SELECT soiltype FROM tbl_soiltype_classification WHERE taxon = 'Andosols'"),
              Strings{"Volcanic ash"});
    EXPECT_EQ(form.lblStatus.caption(), "Edit record");
    EXPECT_FALSE(form.edit_mode());
    EXPECT_TRUE(form.cmdAdd->visible());
    EXPECT_TRUE(form.cmdNext.enabled());
}

TEST_F(DataFormTest, CancelForgetsTheChangeAndGoesToTheFirstRow) {
    DataForm& form = wrb();
    form.cmdLast.user_click();
    form.cmdEdit->user_click();
    form.grdDataGrid.user_edit(0, "Vertic");
    form.cmdCancel->user_click();
    EXPECT_EQ(rows(form), kWrbRows);
    EXPECT_EQ(form.lblStatus.caption(), "Record: 1");
    EXPECT_FALSE(form.edit_mode());
    form.cmdLast.user_click();
    EXPECT_EQ(table("SELECT count(*) FROM tbl_soiltype_classification WHERE taxon = 'Vertic'"),
              Strings{"0"});
}

TEST_F(DataFormTest, AnAddedRowIsWrittenWithItsClassificationAndAnEmptyOneIsNot) {
    DataForm& form = wrb();
    form.cmdAdd->user_click();
    EXPECT_EQ(form.active_control(), &form.grdDataGrid);
    EXPECT_EQ(form.grdDataGrid.current_row(), 4);
    form.grdDataGrid.user_edit(0, "Cambisols");
    form.grdDataGrid.user_edit(1, "Sandy");
    form.cmdRefresh->user_click();
    EXPECT_EQ(table("SELECT taxon, soiltype, fao_usda FROM tbl_soiltype_classification WHERE "
                    "taxon = 'Cambisols'"),
              Strings{"Cambisols|Sandy|WRB"});
    EXPECT_EQ(rows(form)[2], "Cambisols|Sandy");
    EXPECT_EQ(form.grdDataGrid.row_count(), 5);
    // A slip on Add writes no empty row; moving off it: the data form view's tests.
    form.cmdAdd->user_click();
    form.cmdClose.user_click();
    EXPECT_FALSE(form.loaded());
    EXPECT_EQ(table("SELECT count(*) FROM tbl_soiltype_classification"), Strings{"7"});
}

TEST_F(DataFormTest, DeletingTheOnlyRowThenFailsTheMoveThatFollows) {
    change_behind("DELETE FROM tbl_soiltype_classification WHERE taxon <> 'Podzols'");
    DataForm& form = wrb();
    form.cmdDelete->user_click();
    EXPECT_EQ(messages(), Strings{kNoCurrentRecord});
    EXPECT_EQ(form.grdDataGrid.row_count(), 0);
    EXPECT_EQ(table("SELECT count(*) FROM tbl_soiltype_classification"), Strings{"0"});
}

TEST_F(DataFormTest, DeleteRemovesTheRowAndMovesToTheNext) {
    DataForm& form = wrb();
    form.cmdNext.user_click();
    form.cmdDelete->user_click();
    EXPECT_EQ(rows(form), (Strings{kWrbRows[0], kWrbRows[2], kWrbRows[3]}));
    EXPECT_EQ(form.lblStatus.caption(), "Record: 2");
    form.cmdLast.user_click();
    form.cmdDelete->user_click();  // the last row: back onto the new last one
    EXPECT_EQ(form.lblStatus.caption(), "Record: 2");
    EXPECT_EQ(table("SELECT taxon FROM tbl_soiltype_classification WHERE fao_usda = 'WRB' "
                    "ORDER BY taxon"),
              (Strings{"Andosols", "Podzols"}));
    EXPECT_TRUE(messages().empty());
}

TEST_F(DataFormTest, AChangeMadeBehindTheFormsBackIsNeverOverwritten) {
    DataForm& form = wrb();
    form.grdDataGrid.user_edit(1, "Mine");
    change_behind(
        "UPDATE tbl_soiltype_classification SET soiltype = 'Theirs' WHERE taxon = 'Andosols'");
    form.cmdNext.user_click();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].find("changed or deleted by another user"), std::string::npos);
    EXPECT_EQ(table("SELECT soiltype FROM tbl_soiltype_classification WHERE taxon = 'Andosols'"),
              Strings{"Theirs"});
    // The typed text stays, on the row that is still current.
    EXPECT_EQ(form.grdDataGrid.current_row(), 0);
    EXPECT_EQ(rows(form)[0], "Andosols|Mine");
    form.cmdRefresh->user_click();  // the same refusal: Refresh writes first
    EXPECT_EQ(messages().size(), 2u);
}

TEST_F(DataFormTest, PendingChangesAreWrittenWhenTheFormClosesAnyWay) {
    const std::vector<std::pair<std::string, std::function<void(DataForm&)>>> closings = {
        {"by Escape", [](DataForm& form) { form.user_key_down(kEscape, 0); }},
        {"by the close box", [](DataForm& form) { form.user_close(); }},
        {"by the pick", [](DataForm& form) { form.grdDataGrid.user_double_click(); }},
        {"by Exit", [this](DataForm&) { calc().Exit.user_click(); }},
    };
    for (const auto& [typed, close] : closings) {
        DataForm& form = wrb();
        form.grdDataGrid.user_select_row(2);
        form.grdDataGrid.user_edit(1, typed);
        close(form);
        EXPECT_EQ(table("SELECT soiltype FROM tbl_soiltype_classification WHERE taxon = 'Podzols'"),
                  Strings{typed});
    }
    EXPECT_TRUE(session.host.ended);
    EXPECT_TRUE(messages().empty());
}

TEST_F(DataFormTest, ARefusedWriteKeepsTheFormAndTheProgramOpen) {
    DataForm& form = browser(calculator::DefaultTable::kCStocks);
    form.grdDataGrid.user_edit(2, "lots");
    calc().Exit.user_click();
    EXPECT_EQ(messages(), Strings{"c_stock_Mg_ha: \"lots\" is not a number"});
    EXPECT_FALSE(session.host.ended);
    form.user_close();
    EXPECT_TRUE(form.loaded());
    calc().user_close();
    EXPECT_TRUE(calc().loaded());
    EXPECT_FALSE(session.host.ended);
    EXPECT_EQ(form.grdDataGrid.cell_text(0, 2), "lots");
}

// A number column takes a number, never negative, with -999 only where it means no data; a
// refused value keeps the row and says what to enter. Which numbers are refused: the batch tests.
TEST_F(DataFormTest, ANumberColumnTakesOnlyWhatItCanStore) {
    struct Case {
        const char* typed;
        const char* refusal;  // none: stored
        const char* stored;
    };
    const Case cases[] = {
        {"", "is empty: enter a number, or -999 for no data", nullptr},
        {"39,5", "is not a number", nullptr},  // not the program's decimal convention
        {"-1", "is negative (-999 alone means no data)", nullptr},
        {"-999", nullptr, "-999.0|real"},
        {"12.5", nullptr, "12.5|real"},
    };
    DataForm& form = browser(calculator::DefaultTable::kCStocks);
    for (const Case& t : cases) {
        form.grdDataGrid.user_edit(2, t.typed);
        session.host.messages.clear();
        form.cmdNext.user_click();
        if (t.refusal) {
            EXPECT_EQ(messages(),
                      Strings{"c_stock_Mg_ha: \"" + std::string(t.typed) + "\" " + t.refusal});
            EXPECT_EQ(form.grdDataGrid.current_row(), 0) << t.typed;
            continue;
        }
        EXPECT_TRUE(messages().empty()) << t.typed;
        EXPECT_EQ(table("SELECT c_stock_Mg_ha, typeof(c_stock_Mg_ha) FROM c_stocks WHERE "
                        "humoclim = 'Bare'"),
                  Strings{t.stored});
        form.cmdFirst.user_click();
    }
}

TEST_F(DataFormTest, APickSetsTheCalculatorsSoilTypeAndCloses) {
    session.pick(calc().country, "Atlantis");
    session.pick(calc().climate_region, "Warm");
    DataForm& form = wrb();
    form.grdDataGrid.user_select_row(0);  // Andosols: Volcanic
    form.grdDataGrid.user_double_click();
    EXPECT_FALSE(form.loaded());
    EXPECT_EQ(calc().soiltype.text(), "Volcanic");
    EXPECT_EQ(calc().carbon_stock.text(), "0");
    // Picking the soil type already chosen recomputes nothing.
    session.type(calc().carbon_stock, "77");
    wrb().grdDataGrid.user_double_click();
    EXPECT_EQ(calc().carbon_stock.text(), "77");
    // Podzols: Spodic, which the calculator lists but has no stock for here.
    DataForm& again = wrb();
    again.grdDataGrid.user_select_row(2);
    again.grdDataGrid.user_double_click();
    EXPECT_EQ(messages(), (Strings{error_box(3021, kNoCurrentRecord, "Recordset")}));
    // A soil type the calculator does not list leaves it as it was.
    change_behind(
        "UPDATE tbl_soiltype_classification SET soiltype = 'Moon dust' "
        "WHERE taxon = 'Vertisols'");
    DataForm& third = wrb();
    third.grdDataGrid.user_select_row(3);
    third.grdDataGrid.user_double_click();
    EXPECT_FALSE(third.loaded());
    EXPECT_EQ(calc().soiltype.text(), "Spodic");
}

TEST_F(DataFormTest, ATaxonFormThatCannotOpenItsDataIsReportedAndStaysClosed) {
    change_behind("DROP TABLE tbl_soiltype_classification");
    calc().soiltype_fao.user_click();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].rfind("Error Code: 1\r\nDescription: no such table", 0), 0u);
    EXPECT_EQ(session.host.messages[0].title, "Error");
    EXPECT_FALSE(data_forms().taxon_form(calculator::TaxonList::kWrb)().loaded());
    EXPECT_EQ(calc().active_control(), &calc().soiltype_fao);
}

}  // namespace
}  // namespace humo::maintenance
