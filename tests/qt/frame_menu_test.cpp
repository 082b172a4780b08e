// The frame's menu bar in the real windows, the batch behind its progress dialog, the report as
// a PDF read back with pdftotext.

#include <QtTest>
#include <QtWidgets>
#include <deque>
#include <filesystem>
#include <fstream>

#include "batch_harness.h"
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

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

std::string pdf_text(const std::string& path) {
    return testing::run_program("pdftotext " + path + " -").output;
}

// Answers the file dialogs from a queue, as a user would have chosen.
class ScriptedFiles : public FileChooser {
public:
    std::optional<size_t> edition_to_load(QWidget*, const std::vector<std::string>& titles,
                                          size_t current) override {
        edition_titles = titles;
        edition_current = current;
        return edition_answer;
    }
    std::optional<std::string> scenarios_to_read(QWidget*) override { return next(); }
    std::optional<std::string> where_to_save(QWidget*, const std::string& title,
                                             const std::string& suggested,
                                             const std::string&) override {
        titles.push_back(title);
        suggestions.push_back(suggested);
        return next();
    }

    std::deque<std::optional<std::string>> answers;
    std::optional<size_t> edition_answer;
    Strings edition_titles;
    size_t edition_current = 99;
    Strings titles;
    Strings suggestions;

private:
    std::optional<std::string> next() {
        auto answer = answers.empty() ? std::nullopt : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return answer;
    }
};

class FrameMenuTest : public ::testing::Test {
protected:
    FrameMenuTest() : session(std::nullopt) {
        for (const char* file : {"humo_tool.mdb", "defaults-2003.mdb"}) {
            db::create_edition_database(session.dir.file(file), testing::default_data_directory(),
                                        db::editions().front());
        }
        session.module.Main();
        menu = std::make_unique<FrameMenu>(session.module, *renderer.frame_window(), files,
                                           report::write_pdf_report);
    }
    void calculate() {
        session.module.frmSplash().Continue1.user_click();
        session.pick_kenya_example();
    }
    // What the user sees of a menu when opening it: its items and which are offered.
    Strings opened(const QString& title) {
        QMenu* menu = nullptr;
        for (QAction* action : renderer.frame_window()->menuBar()->actions())
            menu = action->text() == title ? action->menu() : menu;
        if (!menu)
            return {"no menu " + title.toStdString()};
        menu->popup(QPoint(0, 0));
        QApplication::processEvents();
        Strings items;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator())
                items.push_back(action->text().toStdString() +
                                (action->isEnabled() ? "" : " (off)"));
        }
        menu->hide();
        return items;
    }
    std::string write(const std::string& name, const std::string& text) {
        testing::write_bytes(session.dir.file(name), text);
        return session.dir.file(name);
    }

    testing::CalculatorSession session;
    qt::QtRenderer renderer{session.program};
    ScriptedFiles files;
    std::unique_ptr<FrameMenu> menu;
};

TEST_F(FrameMenuTest, TheMenusOfferReportAndCopyOnlyWhileBothStocksShow) {
    EXPECT_EQ(opened("&File"), (Strings{"Calculate a &batch…", "Save &report… (off)",
                                        "Load &default values…", "E&xit"}));
    EXPECT_EQ(opened("&Edit"), (Strings{"&Copy results (off)"}));
    calculate();
    EXPECT_EQ(opened("&File"),
              (Strings{"Calculate a &batch…", "Save &report…", "Load &default values…", "E&xit"}));
    EXPECT_EQ(opened("&Help"), (Strings{"&About humo_tool"}));
    EXPECT_EQ(opened("&Edit"), (Strings{"&Copy results"}));
    session.pick(session.calc().climate_region, "Tropical Moist");
    EXPECT_EQ(opened("&Edit"), (Strings{"&Copy results (off)"}));
}

// The PDF as read back: the figures, what was typed, the rows edited and the chart.
TEST_F(FrameMenuTest, SaveReportWritesAPdfOfTheCalculationShown) {
    calculate();
    session.type(session.calc().carbon_stock, "40");
    sqlite::Database(session.dir.file("humo_tool.mdb"), sqlite::OpenMode::kReadWrite)
        .execute(
            "UPDATE c_stocks SET c_stock_Mg_ha = 39 WHERE soil_type = 'Sandy' AND "
            "humoclim = 'Tropical Dry'");
    const std::string path = session.dir.file("Kenya report");
    std::ofstream(path + ".pdf") << "an older report";
    files.answers = {path};
    opened("&File");
    menu->save_report_action()->trigger();
    EXPECT_EQ(files.titles, (Strings{"Save report"}));
    EXPECT_THAT(files.suggestions.at(0), EndsWith(".pdf"));
    EXPECT_TRUE(session.messages().empty());
    // The file gets its extension.
    const std::string text = pdf_text("'" + path + ".pdf'");
    for (const std::string& expected :
         Strings{"HUMO Soil Carbon Tool: calculation report",
                 "Database: " + session.dir.file("humo_tool.mdb"),
                 "Default values: Good-practice guidance, Chapter 3 defaults (2003)",
                 "c_stocks: Sandy, Tropical Dry: c_stock_Mg_ha 39 (default 31)", "Tropical Dry",
                 "40 MgC/ha (typed by the user)", "Full tillage", "1.17", "27.6 MgC/ha",
                 "51.9 MgC/ha", "Annual carbon stock change: 1.22 MgC/ha/yr",
                 "Carbon stock over the 20 years from the FROM to the TO system",
                 "Soil carbon stock (MgC/ha)", "FROM 27.6", "TO 51.9"}) {
        EXPECT_THAT(text, HasSubstr(expected));
    }
    // Drawn as vectors: the page holds no picture.
    EXPECT_EQ(testing::run_program("pdfimages -list '" + path + ".pdf' | tail -n +3").output, "");
    EXPECT_FALSE(fs::exists(path + ".pdf.part"));
    // A place that cannot be written says so and writes nothing.
    files.answers = {session.dir.file("no/such/dir/report.pdf")};
    opened("&File");
    menu->save_report_action()->trigger();
    EXPECT_EQ(session.messages(), (Strings{"The report was not saved: cannot write " +
                                           session.dir.file("no/such/dir/report.pdf") +
                                           ": No such file or directory."}));
}

// The window follows the calculator after each pick; its own choices draw again.
TEST_F(FrameMenuTest, UncertaintyRangesFollowTheCalculatorAndItsChoices) {
    EXPECT_EQ(opened("&View"), (Strings{"&Uncertainty ranges… (off)", "Land-use &history…"}));
    db::create_edition_database(session.dir.file("humo_tool.mdb"),
                                testing::default_data_directory(), *db::find_edition("2019"));
    calculate();
    opened("&View");
    menu->uncertainty_action()->trigger();
    UncertaintyWindow* window = menu->uncertainty_window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    // 21 · 0.92 = 19.3 and 21 · 1.17 · 1.11 = 27.3 on the 2019 defaults.
    EXPECT_EQ(window->cell(0, 0), "19.3 MgC/ha");
    EXPECT_THAT(window->cell(2, 1), EndsWith(" MgC/ha/yr"));
    EXPECT_EQ(window->not_covered(), "Every value is drawn from its published uncertainty.");
    EXPECT_EQ(window->histogram()->histogram().counts.size(), 30u);
    // The histogram lies between the ranges and the choices.
    EXPECT_GT(window->histogram()->y(), window->findChild<QLabel*>("cell22")->geometry().bottom());
    EXPECT_LT(window->histogram()->geometry().bottom(), window->iterations()->y());
    const std::string drawn = window->cell(2, 1);
    window->seed()->setValue(2);
    EXPECT_EQ(session.module.uncertainty_choices().seed, 2u);
    window->iterations()->setValue(500);
    EXPECT_NE(window->cell(2, 1), drawn);
    // A typed stock is the user's own; a blank result blanks the window.
    session.type(session.calc().carbon_stock, "40");
    EXPECT_EQ(window->cell(0, 0), "36.8 MgC/ha");
    EXPECT_EQ(window->not_covered(), "Not covered (used as exact): reference stock 40 (typed).");
    session.pick(session.calc().climate_region, "Tropical Moist");
    EXPECT_EQ(window->cell(0, 0), "");
    EXPECT_EQ(window->message(), "No ranges: the calculator shows no predicted stocks.");
    // The oldest edition publishes none.
    opened("&File");
    files.edition_answer = 0;
    menu->load_defaults_action()->trigger();
    session.module.frmSplash().Continue1.user_click();
    calculate();
    menu->uncertainty_action()->trigger();
    EXPECT_EQ(window->message(),
              "This edition publishes no uncertainty: every value is used as exact.");
    EXPECT_EQ(window->cell(2, 1), "1.16 to 1.16 MgC/ha/yr");
}

TEST_F(FrameMenuTest, CopyResultsPutsTheFiguresOnTheClipboard) {
    calculate();
    opened("&Edit");
    menu->copy_results_action()->trigger();
    const std::string text = QGuiApplication::clipboard()->text().toStdString();
    EXPECT_THAT(text, StartsWith("country\tclimate_region\tsoil_type\t"));
    // The oldest edition publishes no uncertainty: each range is the value itself, from the
    // unrounded stocks (1.1565 as CO2: 4.2406).
    EXPECT_THAT(text,
                HasSubstr("\t49.4\t1.16\t-4.25\t26.2\t26.2\t49.4\t49.4\t1.16\t1.16\t-4.24\t"
                          "-4.24\treference stock 38; land-use factor 0.69; grassland "
                          "management factor 1.17; grassland input factor 1.11\t95% ranges: "));
}

// What the data forms do when the program is asked to end: the maintenance tests.
TEST_F(FrameMenuTest, ExitEndsTheProgram) {
    menu->exit_action()->trigger();
    EXPECT_TRUE(session.program.ended());
    EXPECT_TRUE(session.host.ended);
}

TEST_F(FrameMenuTest, AboutNamesTheToolItsVersionItsDataAndItsLicence) {
    QCoreApplication::setApplicationVersion("9.8.7");
    menu->about_action()->trigger();
    ASSERT_EQ(session.host.messages.size(), 1u);
    EXPECT_EQ(session.host.messages[0].title, "About humo_tool");
    const std::string& text = session.host.messages[0].text;
    EXPECT_THAT(text, StartsWith("HUMO Soil Carbon Tool\nVersion 9.8.7\n"));
    EXPECT_THAT(text, HasSubstr("Chapter 3 of the Good Practice Guidance"));
    EXPECT_THAT(text, HasSubstr("GNU General Public License, version 3 or later"));
}

TEST_F(FrameMenuTest, LoadDefaultValuesAsksWhichEditionThenLoadsItAndSaysSo) {
    const db::Edition& later = *db::find_edition("2006");
    db::create_edition_database(session.dir.file("defaults-2006.mdb"),
                                testing::default_data_directory(), later);
    EXPECT_EQ(menu->edition_shown().toStdString(),
              "Default values: " + std::string(db::editions().front().title));
    // Before the calculator is open too.
    files.edition_answer = 0;
    menu->load_defaults_action()->trigger();
    ASSERT_EQ(session.host.messages.size(), 1u);  // the confirmation, and nothing went wrong
    session.module.frmSplash().Continue1.user_click();
    session.pick(session.calc().country, "Germany");
    // Choosing nothing loads nothing.
    files.edition_answer.reset();
    menu->load_defaults_action()->trigger();
    EXPECT_EQ(files.edition_titles.size(), db::editions().size());
    EXPECT_EQ(files.edition_current, 0u);
    EXPECT_EQ(session.host.messages.size(), 1u);
    // Cancelling the confirmation and the calculator starting afresh: the maintenance tests.
    files.edition_answer = 1;
    menu->load_defaults_action()->trigger();
    ASSERT_EQ(session.host.messages.size(), 2u);
    EXPECT_EQ(session.host.messages[1].title, "Load default values");
    EXPECT_EQ(menu->edition_shown().toStdString(), "Default values: " + std::string(later.title));
    files.edition_answer.reset();
    menu->load_defaults_action()->trigger();
    EXPECT_EQ(files.edition_current, 1u);
    menu->about_action()->trigger();
    EXPECT_THAT(session.host.messages.back().text,
                HasSubstr("Default values in use: " + std::string(later.title)));
}

TEST_F(FrameMenuTest, ABatchRunsBehindItsProgressAndEndsWithItsSummary) {
    const std::string input =
        write("farms.csv", testing::kScenarioHeader + "\n" + testing::kKenya + "\n" + "Kenia" +
                               testing::kKenya.substr(5) + "\n");
    files.answers = {input, session.dir.file("results.csv")};
    menu->calculate_batch_action()->trigger();
    EXPECT_EQ(files.suggestions, (Strings{session.dir.file("farms-results.csv")}));
    const auto& boxes = session.host.messages;
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Calculate a batch");
    EXPECT_EQ(boxes[0].icon, forms::MsgBoxIcon::kExclamation);
    EXPECT_EQ(boxes[0].text, "2 rows: 1 computed, 1 with errors (default values: " +
                                 std::string(db::editions().front().title) +
                                 ").\n\nErrors:\n\nline 3: country \"Kenia\" is "
                                 "unknown; did you mean \"Kenya\"?\n\nThe results are in " +
                                 session.dir.file("results.csv") + ".");
    EXPECT_THAT(testing::bytes_of(session.dir.file("results.csv")), HasSubstr(",49.4,1.16,\n"));
    // A file without the columns: nothing is written, and the box says why.
    files.answers = {write("bad.csv", "country\nKenya\n"), session.dir.file("bad-results.csv")};
    menu->calculate_batch_action()->trigger();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].icon, forms::MsgBoxIcon::kStop);
    EXPECT_EQ(boxes[1].text,
              "The batch could not be calculated: line 1: the header has no column "
              "\"climate_region\". Nothing was written.");
    EXPECT_FALSE(fs::exists(session.dir.file("bad-results.csv")));
    // A header alone computes nothing, and the box says why.
    files.answers = {write("empty.csv", testing::kScenarioHeader + "\n"),
                     session.dir.file("empty-results.csv")};
    menu->calculate_batch_action()->trigger();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_THAT(boxes[2].text, StartsWith("0 rows: 0 computed, 0 with errors"));
    EXPECT_THAT(boxes[2].text, HasSubstr(").\n\nThe input has a header and no rows.\n"));
    // Choosing no file runs nothing.
    files.answers = {std::nullopt};
    menu->calculate_batch_action()->trigger();
    EXPECT_EQ(boxes.size(), 3u);
}

TEST_F(FrameMenuTest, CancellingTheProgressLeavesNoFileAndTheWindowKeepsWorking) {
    std::string rows = testing::kScenarioHeader + "\n";
    for (int i = 0; i < 400000; ++i)
        rows += testing::kKenya + "\n";
    files.answers = {write("many.csv", rows), session.dir.file("many-results.csv")};
    // While the batch runs, the window's own event loop turns: a timer finds the progress
    // dialog and presses its Cancel button.
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        auto* dialog = renderer.frame_window()->findChild<QProgressDialog*>("batchProgress");
        if (!dialog || !dialog->isVisible())
            return;
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == "Cancel")
                QTest::mouseClick(button, Qt::LeftButton);
        }
    });
    timer.start(20);
    menu->calculate_batch_action()->trigger();
    timer.stop();
    EXPECT_GT(ticks, 0);
    EXPECT_EQ(session.messages(), (Strings{"The batch was cancelled; nothing was written."}));
    EXPECT_EQ(testing::file_names(session.dir.path()),
              (Strings{"defaults-2003.mdb", "humo_tool.mdb", "many.csv"}));
}

}  // namespace
}  // namespace humo::app

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
