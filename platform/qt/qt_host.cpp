#include "qt_host.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>

#include "help_viewer.h"

namespace humo::qt {
namespace {

QMessageBox::Icon qt_icon(forms::MsgBoxIcon icon) {
    switch (icon) {
        case forms::MsgBoxIcon::kStop:
            return QMessageBox::Critical;
        case forms::MsgBoxIcon::kQuestion:
            return QMessageBox::Question;
        case forms::MsgBoxIcon::kExclamation:
            return QMessageBox::Warning;
        case forms::MsgBoxIcon::kInformation:
            return QMessageBox::Information;
        case forms::MsgBoxIcon::kNone:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qt_buttons(forms::MsgBoxButtons buttons) {
    switch (buttons) {
        case forms::MsgBoxButtons::kOkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case forms::MsgBoxButtons::kYesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case forms::MsgBoxButtons::kYesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case forms::MsgBoxButtons::kOk:
            break;
    }
    return QMessageBox::Ok;
}

forms::MsgBoxResult model_result(int button) {
    switch (button) {
        case QMessageBox::Cancel:
            return forms::MsgBoxResult::kCancel;
        case QMessageBox::Yes:
            return forms::MsgBoxResult::kYes;
        case QMessageBox::No:
            return forms::MsgBoxResult::kNo;
        default:
            return forms::MsgBoxResult::kOk;
    }
}

}  // namespace

QtHost::QtHost(forms::ProgramFiles files) : Host(std::move(files)) {
    const QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point[0].unicode() < 0x80) {
        separator_.character = static_cast<char>(point[0].unicode());
    }
}

QtHost::~QtHost() = default;

forms::MsgBoxResult QtHost::msg_box(const std::string& text, const std::string& title,
                                    forms::MsgBoxButtons buttons, forms::MsgBoxIcon icon) {
    QString message = QString::fromStdString(text);
    message.replace("\r\n", "\n");
    QMessageBox box(qt_icon(icon), QString::fromStdString(title), message, qt_buttons(buttons),
                    QApplication::activeWindow());
    box.setAccessibleName(QString::fromStdString(title));
    return model_result(box.exec());
}

void QtHost::beep() { QApplication::beep(); }

void QtHost::end_program() {
    // At once: the windows go now, without their unload handlers; the event loop stops when
    // the running handler returns.
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

void QtHost::html_help(const std::string&, const std::string& file, int command, int data) {
    if (!help_viewer_)
        help_viewer_ = std::make_unique<help::HelpViewer>();
    help_viewer_->show_help(file, command, data);
}

}  // namespace humo::qt
