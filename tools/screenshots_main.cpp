// humo-screenshots: saves pictures of the tool's windows for the README.
//
//   humo-screenshots OUTPUT_DIR
//
// Runs the real windows (best with QT_QPA_PLATFORM=offscreen) on the database and help file next
// to the executable, makes the picks of a complete calculation and grabs the frame after each
// stage, then presses F1 on the climate region and grabs the help window.

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QPixmap>
#include <iostream>

#include "file_locations.h"
#include "help_viewer.h"
#include "module1.h"
#include "program.h"
#include "qt_host.h"
#include "qt_renderer.h"

namespace {

// A desktop host whose message boxes are answered at once, so no step waits for a user.
class UnattendedHost : public humo::qt::QtHost {
public:
    explicit UnattendedHost(const humo::db::FileLocations& locations)
        : QtHost(locations.database, locations.help_file, locations.defaults_directory) {}
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
    if (argc != 2) {
        std::cerr << "usage: humo-screenshots OUTPUT_DIR\n";
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    UnattendedHost host(
        humo::db::locate_files(QCoreApplication::applicationDirPath().toStdString(), std::nullopt));
    humo::forms::Program program(host, "humo_tool");
    humo::app::Module1 module(program);
    humo::qt::QtRenderer renderer(program);

    module.Main();
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
    return ok ? 0 : 1;
}
