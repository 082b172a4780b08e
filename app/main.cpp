// humo_tool: estimates how soil carbon stocks change when croplands and grazing lands change
// management.

#include <QApplication>
#include <QIcon>

#include "frame_menu.h"
#include "module1.h"
#include "pdf_report.h"
#include "program.h"
#include "qt_host.h"
#include "qt_renderer.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("humo_tool");
    QApplication::setWindowIcon(QIcon(":/app/icon.png"));
    // The program ends when its last form unloads or a handler ends it, not when Qt sees no
    // window.
    QApplication::setQuitOnLastWindowClosed(false);

    humo::qt::QtHost host;
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
