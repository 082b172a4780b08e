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

#include "help_viewer.h"
#include "module1.h"
#include "program.h"
#include "qt_host.h"
#include "qt_renderer.h"

namespace {

// A desktop host whose message boxes are answered at once, so no step waits for a user.
class UnattendedHost : public humo::qt::QtHost {
public:
    humo::forms::MsgBoxResult msg_box(const std::string& text, const std::string&,
                                      humo::forms::MsgBoxButtons,
                                      humo::forms::MsgBoxIcon) override {
        std::cerr << "message: " << text << "\n";
        return humo::forms::MsgBoxResult::kOk;
    }
    void end_program() override {}
};

bool save(QWidget& window, const QString& path) {
    QApplication::processEvents();
    const bool saved = window.grab().save(path);
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
    UnattendedHost host;
    humo::forms::Program program(host, "humo_tool");
    humo::app::Module1 module(program);
    humo::qt::QtRenderer renderer(program);

    module.Main();
    bool ok = save(*renderer.frame_window(), output.filePath("splash.png"));
    module.frmSplash().Continue1.user_click();
    ok = save(*renderer.frame_window(), output.filePath("calculator.png")) && ok;

    auto& calculator = module.frmmaster();
    pick(calculator.country, "Kenya");
    pick(calculator.climate_region, "Tropical Dry");
    pick(calculator.system1, "Long-term cultivated");
    pick(calculator.Management1, "Full tillage");
    pick(calculator.Input1, "Medium");
    pick(calculator.system2, "Grassland");
    pick(calculator.Management2, "Improved");
    pick(calculator.Input2, "High");
    ok = save(*renderer.frame_window(), output.filePath("calculation.png")) && ok;

    calculator.climate_region.user_focus();
    calculator.user_key_up(112, 0);
    ok = host.help_viewer() && save(*host.help_viewer(), output.filePath("help.png")) && ok;
    return ok ? 0 : 1;
}
