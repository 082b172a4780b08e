// humo_tool: estimates how soil carbon stocks change when croplands and grazing lands change
// management.

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>
#include <stdexcept>
#include <string_view>

#include "file_locations.h"
#include "frame_menu.h"
#include "module1.h"
#include "pdf_report.h"
#include "program.h"
#include "qt_host.h"
#include "qt_renderer.h"

namespace {

// --help and --version answer in a terminal, over ssh or in a script, where there may be no
// display for a window: they need no more than the core application.
bool asks_only_for_text(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h" || option == "--help-all" ||
            option == "--version" || option == "-v")
            return true;
    }
    return false;
}

void describe(QCoreApplication& application, QCommandLineParser& options,
              const QCommandLineOption& database_option) {
    QCoreApplication::setApplicationName("humo_tool");
    QCoreApplication::setApplicationVersion(HUMO_VERSION);
    options.setApplicationDescription(
        "Estimates how soil carbon stocks change when croplands and grazing lands change "
        "management, from the good-practice guidance's Chapter 3 defaults (2003).");
    options.addHelpOption();
    options.addVersionOption();
    options.addOption(database_option);
    options.process(application);
}

}  // namespace

int main(int argc, char** argv) {
    QCommandLineParser options;
    const QCommandLineOption database_option(
        "database", "Works on FILE instead of the database the tool finds by itself.", "FILE");
    if (asks_only_for_text(argc, argv)) {
        QCoreApplication terminal(argc, argv);
        // Prints what was asked for and ends the program.
        describe(terminal, options, database_option);
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setWindowIcon(QIcon(":/app/icon.png"));
    // The program ends when its last form unloads or a handler ends it, not when Qt sees no
    // window.
    QApplication::setQuitOnLastWindowClosed(false);
    describe(application, options, database_option);

    std::optional<std::string> database;
    if (options.isSet(database_option))
        database = options.value(database_option).toStdString();
    const humo::db::FileLocations locations =
        humo::db::locate_files(QCoreApplication::applicationDirPath().toStdString(), database);
    try {
        humo::db::make_user_copy(locations);
    } catch (const std::runtime_error& error) {
        // Never start on a database that is not there or only half made.
        QMessageBox::critical(nullptr, "humo_tool", QString::fromStdString(error.what()));
        return 1;
    }

    humo::qt::QtHost host(locations);
    humo::forms::Program program(host, "humo_tool");
    humo::app::Module1 module(program);
    humo::qt::QtRenderer renderer(program);
    module.Main();
    if (program.ended())
        return 0;
    humo::app::DialogFileChooser files;
    humo::app::FrameMenu menu(module, *renderer.frame_window(), files,
                              humo::report::write_pdf_report);
    return QApplication::exec();
}
