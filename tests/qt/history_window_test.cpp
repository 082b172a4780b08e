// The land-use history window over the real frame: what its lists offer, undo, errors, Copy,
// the report read back with pdftotext, and a regime added with the keyboard alone. The
// history's arithmetic is the engine's tests'; humo-script's verbs are the history scenario's.

#include <QtTest>
#include <QtWidgets>

#include "calculator_session.h"
#include "editions.h"
#include "files.h"
#include "frame_menu.h"
#include "pdf_report.h"
#include "qt_renderer.h"
#include "sqlite_database.h"
#include "text_matchers.h"

namespace humo::app {
namespace {

using Strings = std::vector<std::string>;

// Saves where the test says.
class SaveTo : public FileChooser {
public:
    std::optional<size_t> edition_to_load(QWidget*, const std::vector<std::string>&,
                                          size_t) override {
        return std::nullopt;
    }
    std::optional<std::string> scenarios_to_read(QWidget*) override { return std::nullopt; }
    std::optional<std::string> where_to_save(QWidget*, const std::string&, const std::string&,
                                             const std::string&) override {
        return path;
    }
    std::optional<std::string> path;
};

Strings items(const QComboBox* list) {
    Strings texts;
    for (int i = 0; i < list->count(); ++i)
        texts.push_back(list->itemText(i).toStdString());
    return texts;
}

std::string picked(const QComboBox* list) { return list->currentText().toStdString(); }

// The user picks an item of a list.
void choose(QComboBox* list, const QString& item) {
    const int index = list->findText(item);
    ASSERT_GE(index, 0) << item.toStdString();
    list->setCurrentIndex(index);
    emit list->textActivated(item);
}

std::string cell(const QTableWidget* table, int row, int column) {
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text().toStdString() : "";
}

class HistoryWindowTest : public ::testing::Test {
protected:
    HistoryWindowTest() : session(std::nullopt) {
        db::create_edition_database(session.dir.file("humo_tool.mdb"),
                                    testing::default_data_directory(), db::editions().front());
        session.module.Main();
        menu = std::make_unique<FrameMenu>(session.module, *renderer.frame_window(), files,
                                           report::write_pdf_report);
        menu->history_action()->trigger();
        window = menu->history_window();
        QApplication::setActiveWindow(window);
    }
    RegimeTable& regimes() { return *window->regimes(); }
    QComboBox* list(int regime, RegimeTable::Column column) {
        return regimes().list(regime, column);
    }
    // The README's example: Field 7, 12.5 ha, three regimes.
    void enter_example() {
        window->site_name()->setText("Field 7");
        emit window->site_name()->editingFinished();
        choose(window->country(), "Kenya");
        choose(window->climate_region(), "Tropical Dry");
        choose(window->soil_type(), "High clay activity mineral");
        window->area()->setText("12.5");
        emit window->area()->editingFinished();
        const Strings systems[] = {{"Long-term cultivated", "Full tillage", "Medium"},
                                   {"Long-term cultivated", "No-till", "Medium"},
                                   {"Grassland", "Improved", "High"}};
        for (int regime = 0; regime < 3; ++regime) {
            window->add_regime();
            regimes().year_box(regime)->setValue(std::array{1980, 1996, 2005}[regime]);
            for (int column = RegimeTable::kLandUse; column <= RegimeTable::kInput; ++column) {
                choose(list(regime, static_cast<RegimeTable::Column>(column)),
                       QString::fromStdString(systems[regime][column - 1]));
            }
        }
    }

    testing::CalculatorSession session;
    qt::QtRenderer renderer{session.program};
    SaveTo files;
    std::unique_ptr<FrameMenu> menu;
    HistoryWindow* window = nullptr;
};

// Each list offers what the calculator's would after the picks before it, and keeps a pick it
// still offers.
TEST_F(HistoryWindowTest, ListsFollowThePicksBeforeThem) {
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(window->climate_region()->count(), 0);
    choose(window->country(), "Kenya");
    EXPECT_EQ(items(window->climate_region()), (Strings{"Warm Temperate Dry", "Warm Temperate Wet",
                                                        "Tropical Dry", "Tropical Moist"}));
    choose(window->climate_region(), "Tropical Dry");
    window->add_regime();
    EXPECT_EQ(items(list(0, RegimeTable::kLandUse)),
              (Strings{"Grassland", "Long-term cultivated", "Paddy rice", "Set aside"}));
    choose(list(0, RegimeTable::kLandUse), "Long-term cultivated");
    EXPECT_EQ(items(list(0, RegimeTable::kManagement)),
              (Strings{"Full tillage", "Reduced tillage", "No-till"}));
    EXPECT_EQ(picked(list(0, RegimeTable::kManagement)), "");
    choose(list(0, RegimeTable::kInput), "Medium");
    choose(list(0, RegimeTable::kLandUse), "Paddy rice");
    EXPECT_EQ(picked(list(0, RegimeTable::kManagement)), "Does not apply");
    EXPECT_EQ(picked(list(0, RegimeTable::kInput)), "Does not apply");
    choose(list(0, RegimeTable::kLandUse), "Grassland");
    EXPECT_EQ(items(list(0, RegimeTable::kInput)), Strings{});
    choose(list(0, RegimeTable::kManagement), "Improved");
    EXPECT_EQ(items(list(0, RegimeTable::kInput)), (Strings{"Nominal", "High"}));
    choose(list(0, RegimeTable::kInput), "High");
    choose(list(0, RegimeTable::kManagement), "Severely degraded");
    EXPECT_EQ(items(list(0, RegimeTable::kInput)), Strings{"Does not apply"});
    EXPECT_EQ(picked(list(0, RegimeTable::kInput)), "Does not apply");
    // Another country with the same region keeps the regime's picks.
    choose(window->country(), "Uganda");
    EXPECT_EQ(picked(window->climate_region()), "Tropical Dry");
    EXPECT_EQ(picked(list(0, RegimeTable::kManagement)), "Severely degraded");
}

// A bad regime: the table of years and the notes say why, and its row is marked; Copy and the
// report wait for a history that can be computed. Removing a regime and undoing it brings back
// everything typed; redoing removes it again.
TEST_F(HistoryWindowTest, ErrorsAreShownAndARemovedRegimeComesBackWithCtrlZ) {
    enter_example();
    choose(list(1, RegimeTable::kLandUse), "Grassland");
    const std::string why =
        "Regime from 1996: management is empty; land_use \"Grassland\" offers \"Nominally "
        "managed\", \"Moderately degraded\", \"Severely degraded\", \"Improved\".";
    EXPECT_EQ(cell(window->years_table(), 0, 0), "Cannot be computed: " + why);
    EXPECT_EQ(window->notes().toStdString(), why);
    EXPECT_EQ(regimes().verticalHeaderItem(1)->toolTip().toStdString(), why);
    EXPECT_TRUE(regimes().verticalHeaderItem(0)->toolTip().isEmpty());
    EXPECT_FALSE(window->copy_button()->isEnabled());
    EXPECT_FALSE(window->save_button()->isEnabled());
    // A site at fault marks no regime.
    window->carbon_stock()->setText("forty");
    emit window->carbon_stock()->editingFinished();
    EXPECT_EQ(window->notes().toStdString(), "Carbon_stock \"forty\" is not a number.");
    EXPECT_TRUE(regimes().verticalHeaderItem(1)->toolTip().isEmpty());

    window->undo_stack()->undo();
    window->undo_stack()->undo();
    const report::HistoryEntries example = session.module.land_use_history().entries();
    regimes().focus_cell(1, RegimeTable::kManagement);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    EXPECT_EQ(regimes().rowCount(), 2);
    EXPECT_EQ(regimes().year_box(1)->value(), 2005);
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(session.module.land_use_history().entries(), example);
    EXPECT_EQ(picked(list(1, RegimeTable::kManagement)), "No-till");
    EXPECT_EQ(window->area()->text(), "12.5");
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(regimes().rowCount(), 2);
}

TEST_F(HistoryWindowTest, CopyAndTheReportGiveTheTableShown) {
    enter_example();
    const QTableWidget* years = window->years_table();
    ASSERT_EQ(years->rowCount(), 46);
    EXPECT_EQ(cell(years, 25, 0), "2005");
    EXPECT_EQ((Strings{cell(years, 25, 1), cell(years, 25, 2), cell(years, 25, 3),
                       cell(years, 25, 4), cell(years, 25, 5)}),
              (Strings{"29.3", "49.4", "1.06", "366.0", "13.20"}));
    EXPECT_THAT(window->notes().toStdString(),
                HasSubstr("Warning: Only 16 years before the first change in 1996"));
    EXPECT_EQ(window->chart()->chart().stocks.size(), 46u);

    window->copy_button()->click();
    const std::string text = QGuiApplication::clipboard()->text().toStdString();
    EXPECT_THAT(text, StartsWith("site\tyear\tstock\tequilibrium\tannual_change\tperiod_change\t"
                                 "total_stock\ttotal_annual_change\n"
                                 "Field 7\t1980\t26.2\t26.2\t\t\t327.8\t\n"
                                 "Field 7\t1981\t26.2\t26.2\t0.00\t0.00\t327.8\t0.00\n"));
    EXPECT_THAT(text, EndsWith("Field 7\t2025\t49.4\t49.4\t0.00\t0.00\t616.9\t0.00\n"));
    // Every fifth year: the change since the row before joins the table.
    window->every()->setValue(5);
    EXPECT_EQ(window->years_table()->columnCount(), 7);
    // (29.283 − 27.335) / 5 from 2000 to 2005, the stocks unrounded.
    EXPECT_EQ(cell(window->years_table(), 5, 4), "0.39");

    files.path = session.dir.file("field 7");
    window->save_button()->click();
    EXPECT_TRUE(session.messages().empty());
    const std::string pdf = testing::run_program("pdftotext '" + *files.path + ".pdf' -").output;
    for (const std::string& expected :
         Strings{"land-use history", "Field 7", "38 MgC/ha (from the database)", "12.5 ha",
                 "No-till", "49.4", "assumed to be at the first regime's equilibrium",
                 "Only 16 years", "Soil carbon stock (MgC/ha)", "Year by year", "0.39"}) {
        EXPECT_THAT(pdf, HasSubstr(expected));
    }
    EXPECT_EQ(testing::run_program("pdfimages -list '" + *files.path + ".pdf' | tail -n +3").output,
              "");
}

// Insert, the year typed, Tab from list to list, letters to pick and F1: no mouse. The tables
// are read again when the window is shown again.
TEST_F(HistoryWindowTest, ARegimeIsAddedWithTheKeyboardAlone) {
    enter_example();
    regimes().focus_cell(2, RegimeTable::kInput);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert);
    ASSERT_EQ(regimes().rowCount(), 4);
    EXPECT_EQ(QApplication::focusWidget(), regimes().year_box(3));
    QTest::keyClicks(QApplication::focusWidget(), "1990");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    // The regime moved to its year's place, and the focus with it.
    EXPECT_EQ(QApplication::focusWidget(), list(1, RegimeTable::kLandUse));
    QTest::keyClicks(QApplication::focusWidget(), "S");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), list(1, RegimeTable::kManagement));
    EXPECT_EQ(session.module.land_use_history().entries().regimes.at(1),
              (report::RegimeEntry{1990, "Set aside", "Does not apply", "Does not apply"}));
    // 38 × 0.93 = 35.34, a twentieth of the way from 26.22 in the first year.
    EXPECT_EQ((Strings{cell(window->years_table(), 10, 1), cell(window->years_table(), 10, 2)}),
              (Strings{"26.7", "35.3"}));

    // F1 opens the help on histories.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    ASSERT_EQ(session.host.help_calls.size(), 1u);
    EXPECT_EQ(session.host.help_calls[0].file,
              session.dir.file("humo_tool.chm") + "::/topics/history.htm");

    sqlite::Database(session.dir.file("humo_tool.mdb"), sqlite::OpenMode::kReadWrite)
        .execute("UPDATE tbl_systems SET land_use_factor = 1 WHERE system = 'Set aside'");
    window->close();
    menu->history_action()->trigger();
    EXPECT_EQ(regimes().item(1, RegimeTable::kEquilibrium)->text(), "38.0 MgC/ha");
}

}  // namespace
}  // namespace humo::app
