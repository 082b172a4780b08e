#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QObject>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host.h"
#include "results_actions.h"
#include "uncertainty_window.h"

namespace humo::app {

class Module1;

// Where the user chooses files, and which default values to load; the window asks with
// dialogs, tests answer in advance.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // One of the editions' titles, starting from `current`; nothing when the user cancels.
    virtual std::optional<size_t> edition_to_load(QWidget* parent,
                                                  const std::vector<std::string>& titles,
                                                  size_t current) = 0;
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
    std::optional<size_t> edition_to_load(QWidget* parent, const std::vector<std::string>& titles,
                                          size_t current) override;
    std::optional<std::string> scenarios_to_read(QWidget* parent) override;
    std::optional<std::string> where_to_save(QWidget* parent, const std::string& title,
                                             const std::string& suggested,
                                             const std::string& filter) override;
};

// The frame's menu bar: File with "Calculate a batch…", "Save report…", "Load default
// values…" and "Exit"; Edit with "Copy results"; View with "Uncertainty ranges…"; Help with
// "About humo_tool"; and a status bar that names the edition of the default values in use. The forms' own controls stay as they
// are; the menu works through the same functions humo-script uses.
class FrameMenu : public QObject {
public:
    FrameMenu(Module1& module, QMainWindow& frame, FileChooser& files, ReportWriter write_report);

    QAction* calculate_batch_action() const { return calculate_batch_; }
    QAction* save_report_action() const { return save_report_; }
    QAction* load_defaults_action() const { return load_defaults_; }
    QAction* exit_action() const { return exit_; }
    QAction* copy_results_action() const { return copy_results_; }
    QAction* about_action() const { return about_; }
    QAction* uncertainty_action() const { return uncertainty_; }
    // The uncertainty window, once it has been opened.
    UncertaintyWindow* uncertainty_window() const { return uncertainty_window_; }

    // "Save report…", "Copy results" and "Uncertainty ranges…" are offered only while both
    // predicted stocks show.
    void update_offers();
    // What the status bar says of the default values in use.
    QString edition_shown() const { return edition_label_->text(); }

private:
    void calculate_batch();
    void save_report();
    void copy_results();
    void about();
    void show_uncertainty();
    void load_defaults();
    void show_edition();
    std::string database_file() const;
    void tell(const std::string& text, forms::MsgBoxIcon icon, const std::string& title);

    Module1& module_;
    QMainWindow& frame_;
    FileChooser& files_;
    ReportWriter write_report_;
    QAction* calculate_batch_;
    QAction* save_report_;
    QAction* load_defaults_;
    QAction* exit_;
    QAction* copy_results_;
    QAction* about_;
    QAction* uncertainty_;
    UncertaintyWindow* uncertainty_window_ = nullptr;
    QLabel* edition_label_;
};

}  // namespace humo::app
