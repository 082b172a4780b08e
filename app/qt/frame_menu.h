#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QObject>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "file_chooser.h"
#include "history_window.h"
#include "host.h"
#include "results_actions.h"
#include "uncertainty_window.h"

namespace humo::app {

class Module1;

// The frame's menu bar: File with "Calculate a batch…", "Save report…", "Load default
// values…" and "Exit"; Edit with "Copy results"; View with "Uncertainty ranges…" and "Land-use
// history…"; Help with "About humo_tool"; and a status bar that names the edition of the
// default values in use. The forms' own controls stay as they are; the menu works through the
// same functions humo-script uses.
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
    QAction* history_action() const { return history_; }
    // The uncertainty and history windows, once they have been opened.
    UncertaintyWindow* uncertainty_window() const { return uncertainty_window_; }
    HistoryWindow* history_window() const { return history_window_; }

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
    void show_history();
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
    QAction* history_;
    UncertaintyWindow* uncertainty_window_ = nullptr;
    HistoryWindow* history_window_ = nullptr;
    QLabel* edition_label_;
};

}  // namespace humo::app
