// The data forms in real windows: the grid, its keys and clicks, typing into cells, dialogs.

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include "calculator_session.h"
#include "qt_renderer.h"

namespace humo::qt {
namespace {

using calculator::DefaultTable;

class DataFormViewTest : public ::testing::Test {
protected:
    DataFormViewTest() { session.start_calculator(); }
    maintenance::DataForm& open_wrb() {
        session.calc().soiltype_fao.user_click();
        QApplication::processEvents();
        return session.module.data_forms().taxon_form(calculator::TaxonList::kWrb)();
    }
    template <class Widget>
    Widget* widget(const forms::Form& form, const char* name) {
        FormView* view = renderer.view_of(form);
        return view ? view->findChild<Widget*>(name) : nullptr;
    }
    QTableView* grid(const forms::Form& form) { return widget<QTableView>(form, "grdDataGrid"); }
    static QString cell(QTableView* table, int row, int column) {
        return table->model()->index(row, column).data().toString();
    }
    // Types into the current cell as a user does: the first key opens the cell's editor, the
    // rest go to the editor, which then has the focus.
    static QWidget* type_into_cell(QTableView* table, const QString& text) {
        QTest::keyClicks(table, text.left(1));
        QApplication::processEvents();
        QWidget* editor = QApplication::focusWidget();
        if (editor && editor != table)
            QTest::keyClicks(editor, text.mid(1));
        return editor;
    }
    void click_row(QTableView* table, int row) {
        const QRect cell_rect = table->visualRect(table->model()->index(row, 0));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell_rect.center());
    }

    testing::CalculatorSession session{testing::read_fixture("calculator.sql") +
                                       "INSERT INTO tbl_soiltype_classification VALUES "
                                       "('Andosols', 'Volcanic', 'WRB'), "
                                       "('Podzols', 'Spodic', 'WRB');"};
    QtRenderer renderer{session.program};
};

TEST_F(DataFormViewTest, TheGridShowsTheRowsUnderTheFieldNamesWithTheCurrentRowSelected) {
    maintenance::DataForm& form = open_wrb();
    QWidget* window = renderer.window_of(form);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "tbl_soiltype_classification");
    QTableView* table = grid(form);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->model()->rowCount(), 4);
    EXPECT_EQ(table->model()->headerData(0, Qt::Horizontal).toString(), "taxon");
    EXPECT_EQ(table->model()->headerData(1, Qt::Horizontal).toString(), "soiltype");
    EXPECT_EQ(cell(table, 0, 0), "Andosols");
    EXPECT_EQ(table->currentIndex().row(), 0);
    EXPECT_EQ(widget<QLabel>(form, "lblStatus")->text(), "Record: 1");
    EXPECT_FALSE(widget<QPushButton>(form, "cmdUpdate")->isVisible());
    EXPECT_EQ(widget<QPushButton>(form, "cmdAdd")->text(), "&Add");
}

TEST_F(DataFormViewTest, ClicksAndTheFormsKeysMoveTheRowOnceEach) {
    maintenance::DataForm& form = open_wrb();
    QTableView* table = grid(form);
    click_row(table, 2);
    EXPECT_EQ(form.grdDataGrid.current_row(), 2);
    EXPECT_EQ(widget<QLabel>(form, "lblStatus")->text(), "Record: 3");
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Down);
    EXPECT_EQ(form.grdDataGrid.current_row(), 3);  // one row, not two
    EXPECT_EQ(table->currentIndex().row(), 3);
    QTest::keyClick(table, Qt::Key_Home);
    EXPECT_EQ(form.grdDataGrid.current_row(), 0);
    QTest::mouseClick(widget<QPushButton>(form, "cmdLast"), Qt::LeftButton);
    EXPECT_EQ(table->currentIndex().row(), 3);
}

// Qt's own checks of the grid's model run while its rows are edited, added, deleted and loaded.
TEST_F(DataFormViewTest, WhatIsTypedIntoACellIsWrittenWhenTheRowMovesAndRowsComeAndGo) {
    maintenance::DataForm& form = open_wrb();
    QTableView* table = grid(form);
    QAbstractItemModelTester checks(table->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    table->setFocus();
    table->setCurrentIndex(table->model()->index(0, 1));
    QWidget* editor = type_into_cell(table, "Ash");  // any key starts editing
    ASSERT_NE(qobject_cast<QLineEdit*>(editor), nullptr);
    EXPECT_FALSE(form.recordset()->pending());  // still in the editor
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();  // the editor hands its text over once the key is done
    EXPECT_EQ(cell(table, 0, 1), "Ash");
    EXPECT_TRUE(form.recordset()->pending());
    click_row(table, 1);
    EXPECT_FALSE(form.recordset()->pending());
    EXPECT_EQ(form.grdDataGrid.cell_text(0, 1), "Ash");
    form.cmdAdd->user_click();
    EXPECT_EQ(table->model()->rowCount(), 5);
    form.cmdFirst.user_click();  // nothing typed: the new row goes again
    EXPECT_EQ(table->model()->rowCount(), 4);
    form.cmdDelete->user_click();
    form.cmdRefresh->user_click();
    EXPECT_EQ(table->model()->rowCount(), 3);
    EXPECT_EQ(cell(table, 0, 0), "Arenosols");
}

TEST_F(DataFormViewTest, ClosingTheWindowWhileACellIsBeingTypedKeepsTheText) {
    maintenance::DataForm& form = open_wrb();
    QTableView* table = grid(form);
    table->setFocus();
    table->setCurrentIndex(table->model()->index(1, 1));
    type_into_cell(table, "Dune");
    renderer.window_of(form)->close();
    EXPECT_FALSE(form.loaded());
    maintenance::DataForm& again = open_wrb();
    EXPECT_EQ(again.grdDataGrid.cell_text(1, 1), "Dune");
}

TEST_F(DataFormViewTest, ADoubleClickPicksTheSoilTypeAndClosesTheForm) {
    session.pick(session.calc().country, "Atlantis");
    session.pick(session.calc().climate_region, "Warm");
    maintenance::DataForm& form = open_wrb();
    QTableView* table = grid(form);
    click_row(table, 0);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {},
                       table->visualRect(table->model()->index(0, 0)).center());
    EXPECT_FALSE(form.loaded());
    EXPECT_EQ(session.calc().soiltype.text(), "Volcanic");
}

TEST_F(DataFormViewTest, EnterInAWarningPressesItsFocusedButton) {
    session.calc().cmdMgmtFactors.user_click();
    auto& management = session.module.data_forms().warning(DefaultTable::kManagementFactors)();
    QWidget* window = renderer.window_of(management);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Attention");
    auto* text = widget<QLabel>(management, "lblWarningText1");
    EXPECT_TRUE(text->wordWrap());
    EXPECT_TRUE(text->text().contains("Guidance.\n\nTo restore"));
    // A button shows itself pressed for a moment before it clicks.
    QTest::keyClick(widget<QPushButton>(management, "OKButton"), Qt::Key_Return);
    auto& browser = session.module.data_forms().browser(DefaultTable::kManagementFactors);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return browser.existing() && browser.existing()->loaded(); }));
    session.calc().cmdSystems.user_click();
    auto& systems = session.module.data_forms().warning(DefaultTable::kSystems)();
    auto* cancel = widget<QPushButton>(systems, "CancelButton");
    QTest::keyClick(cancel, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !systems.loaded(); }));
    EXPECT_FALSE(session.module.data_forms().browser(DefaultTable::kSystems)().loaded());
}

TEST_F(DataFormViewTest, ABrowserFollowsItsWindowsSizeAndShowsItsRowsWhenOpenedAgain) {
    auto& browsers = session.module.data_forms();
    browsers.show_browser(DefaultTable::kCStocks);
    auto& first = browsers.browser(DefaultTable::kCStocks)();
    QWidget* window = renderer.window_of(first);
    const QSize before = grid(first)->size();
    window->resize(window->width() + 120, window->height() + 80);
    QApplication::processEvents();
    EXPECT_EQ(grid(first)->width(), before.width() + 120);
    EXPECT_EQ(grid(first)->height(), before.height() + 80);
    EXPECT_EQ(grid(first)->editTriggers() & QAbstractItemView::DoubleClicked, 0);
    const long rows = first.grdDataGrid.row_count();
    ASSERT_GT(rows, 0);
    first.user_close();
    QApplication::processEvents();
    browsers.show_browser(DefaultTable::kCStocks);
    QApplication::processEvents();
    auto& again = browsers.browser(DefaultTable::kCStocks)();
    EXPECT_EQ(again.grdDataGrid.row_count(), rows);
    EXPECT_EQ(grid(again)->model()->rowCount(), rows);
    EXPECT_TRUE(session.messages().empty());
}

}  // namespace
}  // namespace humo::qt
