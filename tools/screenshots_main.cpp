// humo-screenshots: saves pictures of the tool's windows for the README.
//
//   humo-screenshots OUTPUT_DIR [DATABASE]
//
// Runs the real windows (best with QT_QPA_PLATFORM=offscreen) on the database (by default the
// one next to the executable) and the help file next to it, makes the picks of a complete
// calculation and grabs the frame after each stage; then the data forms, the help window on F1,
// the uncertainty ranges, a land-use history, the frame's File menu open, and a batch of many
// scenarios behind its progress dialog.

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <iostream>

#include "file_locations.h"
#include "frame_menu.h"
#include "help_viewer.h"
#include "module1.h"
#include "pdf_report.h"
#include "program.h"
#include "qt_host.h"
#include "qt_renderer.h"

namespace {

// A desktop host whose message boxes are answered at once, so no step waits for a user.
class UnattendedHost : public humo::qt::QtHost {
public:
    explicit UnattendedHost(const humo::db::FileLocations& locations) : QtHost(locations) {}
    humo::forms::MsgBoxResult msg_box(const std::string& text, const std::string&,
                                      humo::forms::MsgBoxButtons,
                                      humo::forms::MsgBoxIcon) override {
        std::cerr << "message: " << text << "\n";
        return humo::forms::MsgBoxResult::kOk;
    }
    void end_program() override {}
};

bool save(QWidget* window, const QString& path) {
    QApplication::processEvents();
    const bool saved = window && window->grab().save(path);
    std::cout << (saved ? "wrote " : "could not write ") << path.toStdString() << "\n";
    return saved;
}

// The screen where the frame is, popups and dialogs included.
bool save_screen(humo::qt::QtRenderer& renderer, const QString& path) {
    QApplication::processEvents();
    const QRect frame = renderer.frame_window()->frameGeometry();
    const bool saved = QGuiApplication::primaryScreen()->grabWindow(0).copy(frame).save(path);
    std::cout << (saved ? "wrote " : "could not write ") << path.toStdString() << "\n";
    return saved;
}

// A batch's files, chosen in advance: many scenarios to read, and where the results go.
class BatchFiles : public humo::app::FileChooser {
public:
    explicit BatchFiles(const QString& directory)
        : input_(QDir(directory).filePath("scenarios.csv").toStdString()),
          output_(QDir(directory).filePath("results.csv").toStdString()) {
        std::ofstream rows(input_);
        rows << "country,climate_region,soil_type,from_land_use,from_management,from_input,"
                "to_land_use,to_management,to_input\n";
        for (int i = 0; i < 3'000'000; ++i) {
            rows << "Kenya,Tropical Dry,High clay activity mineral,Long-term cultivated,Full "
                    "tillage,Medium,Grassland,Improved,High\n";
        }
    }
    std::optional<size_t> edition_to_load(QWidget*, const std::vector<std::string>&,
                                          size_t current) override {
        return current;
    }
    std::optional<std::string> scenarios_to_read(QWidget*) override { return input_; }
    std::optional<std::string> where_to_save(QWidget*, const std::string&, const std::string&,
                                             const std::string&) override {
        return output_;
    }

private:
    std::string input_;
    std::string output_;
};

void pick(humo::forms::ListBox& list, const std::string& text) {
    const auto& items = list.items();
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text) {
            list.user_select(static_cast<int>(i));
            return;
        }
    }
    std::cerr << list.name() << " has no item " << text << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setWindowIcon(QIcon(":/app/icon.png"));
    if (argc != 2 && argc != 3) {
        std::cerr << "usage: humo-screenshots OUTPUT_DIR [DATABASE]\n";
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    std::optional<std::string> database;
    if (argc == 3)
        database = argv[2];
    UnattendedHost host(
        humo::db::locate_files(QCoreApplication::applicationDirPath().toStdString(), database));
    humo::forms::Program program(host, "humo_tool");
    humo::app::Module1 module(program);
    humo::qt::QtRenderer renderer(program);

    module.Main();
    // The frame's menu bar, as the program adds it once the frame is there.
    QTemporaryDir scratch;
    BatchFiles files(scratch.path());
    humo::app::FrameMenu menu(module, *renderer.frame_window(), files,
                              humo::report::write_pdf_report);
    bool ok = save(renderer.frame_window(), output.filePath("splash.png"));
    module.frmSplash().Continue1.user_click();
    ok = save(renderer.frame_window(), output.filePath("calculator.png")) && ok;

    auto& calculator = module.frmmaster();
    pick(calculator.country, "Kenya");
    pick(calculator.climate_region, "Tropical Dry");
    pick(calculator.system1, "Long-term cultivated");
    pick(calculator.Management1, "Full tillage");
    pick(calculator.Input1, "Medium");
    pick(calculator.system2, "Grassland");
    pick(calculator.Management2, "Improved");
    pick(calculator.Input2, "High");
    ok = save(renderer.frame_window(), output.filePath("calculation.png")) && ok;

    // The data forms, each on its own.
    using humo::calculator::DefaultTable;
    using humo::calculator::TaxonList;
    calculator.soiltype_fao.user_click();
    auto& taxa = module.data_forms().taxon_form(TaxonList::kWrb)();
    taxa.cmdNext.user_click();
    ok = save(renderer.window_of(taxa), output.filePath("taxon_form.png")) && ok;
    taxa.cmdClose.user_click();
    calculator.cmdMgmtFactors.user_click();
    auto& warning = module.data_forms().warning(DefaultTable::kManagementFactors)();
    ok = save(renderer.window_of(warning), output.filePath("warning.png")) && ok;
    warning.OKButton.user_click();
    auto& browser = module.data_forms().browser(DefaultTable::kManagementFactors)();
    ok = save(renderer.window_of(browser), output.filePath("browser.png")) && ok;

    calculator.climate_region.user_focus();
    calculator.user_key_up(112, 0);
    ok = save(host.help_viewer(), output.filePath("help.png")) && ok;
    host.help_viewer()->close();
    browser.cmdClose.user_click();

    menu.update_offers();
    menu.uncertainty_action()->trigger();
    ok = save(menu.uncertainty_window(), output.filePath("uncertainty.png")) && ok;
    menu.uncertainty_window()->close();

    // The land-use history of the README's example: three regimes, the second change coming
    // before the first transition is over.
    menu.history_action()->trigger();
    humo::app::LandUseHistory& history = module.land_use_history();
    history.set_site_name("Field 7");
    history.set_country("Kenya");
    history.set_climate_region("Tropical Dry");
    history.set_soil_type("High clay activity mineral");
    history.set_area("12.5");
    history.put_regime({1980, "Long-term cultivated", "Full tillage", "Medium"});
    history.put_regime({1996, "Long-term cultivated", "No-till", "Medium"});
    history.put_regime({2005, "Grassland", "Improved", "High"});
    menu.history_window()->refresh();
    ok = save(menu.history_window(), output.filePath("history.png")) && ok;
    menu.history_window()->close();

    QMenuBar* bar = renderer.frame_window()->menuBar();
    QAction* file = bar->actions().at(0);
    file->menu()->popup(bar->mapToGlobal(bar->actionGeometry(file).bottomLeft()));
    ok = save_screen(renderer, output.filePath("menu.png")) && ok;
    file->menu()->hide();

    // Grabbed while the batch runs, then cancelled as the user would.
    QTimer::singleShot(700, [&] {
        ok = save_screen(renderer, output.filePath("batch-progress.png")) && ok;
        if (auto* dialog = renderer.frame_window()->findChild<QProgressDialog*>("batchProgress")) {
            for (QPushButton* button : dialog->findChildren<QPushButton*>())
                button->click();
        }
    });
    menu.calculate_batch_action()->trigger();
    return ok ? 0 : 1;
}
