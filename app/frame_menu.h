#pragma once

#include <QAction>
#include <QMainWindow>
#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "host.h"
#include "results_actions.h"

namespace humo::app {

class Module1;

// Where the user chooses files; the window asks with file dialogs, tests answer in advance.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // A scenario file to read.
    virtual std::optional<std::string> scenarios_to_read(QWidget* parent) = 0;
    // Where to save, starting from a suggested file; `filter` as a file dialog takes it.
    virtual std::optional<std::string> where_to_save(QWidget* parent, const std::string& title,
                                                     const std::string& suggested,
                                                     const std::string& filter) = 0;
};

// The file dialogs of the desktop.
class DialogFileChooser : public FileChooser {
public:
    std::optional<std::string> scenarios_to_read(QWidget* parent) override;
    std::optional<std::string> where_to_save(QWidget* parent, const std::string& title,
                                             const std::string& suggested,
                                             const std::string& filter) override;
};

// The frame's menu bar: File with "Calculate a batch…", "Save report…", "Restore default
// values…" and "Exit"; Edit with "Copy results"; Help with "About humo_tool". The forms' own
// controls stay as they are; the menu works through the same functions humo-script uses.
class FrameMenu : public QObject {
public:
    FrameMenu(Module1& module, QMainWindow& frame, FileChooser& files, ReportWriter write_report);

    QAction* calculate_batch_action() const { return calculate_batch_; }
    QAction* save_report_action() const { return save_report_; }
    QAction* restore_defaults_action() const { return restore_defaults_; }
    QAction* exit_action() const { return exit_; }
    QAction* copy_results_action() const { return copy_results_; }
    QAction* about_action() const { return about_; }

    // "Save report…" and "Copy results" are offered only while both predicted stocks show.
    void update_offers();

private:
    void calculate_batch();
    void save_report();
    void copy_results();
    void about();
    void tell(const std::string& text, forms::MsgBoxIcon icon, const std::string& title);

    Module1& module_;
    QMainWindow& frame_;
    FileChooser& files_;
    ReportWriter write_report_;
    QAction* calculate_batch_;
    QAction* save_report_;
    QAction* restore_defaults_;
    QAction* exit_;
    QAction* copy_results_;
    QAction* about_;
};

}  // namespace humo::app
