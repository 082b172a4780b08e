#include "frame_menu.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QStatusBar>

#include "about_text.h"
#include "batch_progress.h"
#include "edition_in_use.h"
#include "editions.h"
#include "module1.h"

namespace humo::app {
namespace {

const char* const kBatchTitle = "Calculate a batch";
const char* const kReportTitle = "Save report";

// "scenarios.csv" → "scenarios-results.csv", beside it.
std::string results_file_for(const std::string& input) {
    const QFileInfo info(QString::fromStdString(input));
    return info.dir().filePath(info.completeBaseName() + "-results.csv").toStdString();
}

}  // namespace

FrameMenu::FrameMenu(Module1& module, QMainWindow& frame, FileChooser& files,
                     ReportWriter write_report)
    : module_(module), frame_(frame), files_(files), write_report_(std::move(write_report)) {
    QMenuBar* bar = frame.menuBar();
    bar->setObjectName("menuBar");
    QMenu* file = bar->addMenu("&File");
    file->setObjectName("fileMenu");
    calculate_batch_ = file->addAction("Calculate a &batch…", this, &FrameMenu::calculate_batch);
    save_report_ = file->addAction("Save &report…", this, &FrameMenu::save_report);
    file->addSeparator();
    load_defaults_ = file->addAction("Load &default values…", this, &FrameMenu::load_defaults);
    file->addSeparator();
    // As the calculator's Exit button: the data forms write what was typed into them first.
    exit_ = file->addAction("E&xit", this, [this] { module_.program().request_end(); });
    QMenu* edit = bar->addMenu("&Edit");
    edit->setObjectName("editMenu");
    copy_results_ = edit->addAction("&Copy results", this, &FrameMenu::copy_results);
    QMenu* view = bar->addMenu("&View");
    view->setObjectName("viewMenu");
    uncertainty_ = view->addAction("&Uncertainty ranges…", this, &FrameMenu::show_uncertainty);
    history_ = view->addAction("Land-use &history…", this, &FrameMenu::show_history);
    QMenu* help = bar->addMenu("&Help");
    help->setObjectName("helpMenu");
    about_ = help->addAction("&About humo_tool", this, &FrameMenu::about);
    for (QMenu* menu : {file, edit, view})
        connect(menu, &QMenu::aboutToShow, this, &FrameMenu::update_offers);
    update_offers();
    edition_label_ = new QLabel(&frame);
    edition_label_->setObjectName("editionInUse");
    frame.statusBar()->addWidget(edition_label_);
    show_edition();
}

void FrameMenu::update_offers() {
    const bool results = shows_results(module_);
    save_report_->setEnabled(results);
    copy_results_->setEnabled(results);
    uncertainty_->setEnabled(results);
}

void FrameMenu::show_uncertainty() {
    if (!uncertainty_window_)
        uncertainty_window_ = new UncertaintyWindow(module_, &frame_);
    uncertainty_window_->show();
    uncertainty_window_->raise();
    uncertainty_window_->activateWindow();
    uncertainty_window_->refresh();
}

// Each time it is shown, the window reads the tables afresh: edits in the data forms count.
void FrameMenu::show_history() {
    if (!history_window_)
        history_window_ = new HistoryWindow(module_, files_, &frame_);
    history_window_->refresh();
    history_window_->show();
    history_window_->raise();
    history_window_->activateWindow();
}

void FrameMenu::tell(const std::string& text, forms::MsgBoxIcon icon, const std::string& title) {
    module_.program().msg_box(text, forms::MsgBoxButtons::kOk, icon, title);
}

void FrameMenu::calculate_batch() {
    const std::optional<std::string> input = files_.scenarios_to_read(&frame_);
    if (!input)
        return;
    const std::optional<std::string> output =
        files_.where_to_save(&frame_, "Calculate a batch: where to save the results",
                             results_file_for(*input), "CSV files (*.csv)");
    if (!output)
        return;
    const BatchOutcome outcome =
        run_batch_with_progress(&frame_, batch_files(module_, *input, *output));
    switch (outcome.kind) {
        case BatchOutcome::Kind::kDone:
            tell(batch_summary_text(outcome.summary) + "\n\nThe results are in " + *output + ".",
                 outcome.summary.with_errors > 0 ? forms::MsgBoxIcon::kExclamation
                                                 : forms::MsgBoxIcon::kInformation,
                 kBatchTitle);
            break;
        case BatchOutcome::Kind::kCancelled:
            tell("The batch was cancelled; nothing was written.", forms::MsgBoxIcon::kInformation,
                 kBatchTitle);
            break;
        case BatchOutcome::Kind::kFailed:
            tell("The batch could not be calculated: " + outcome.failure + ". Nothing was written.",
                 forms::MsgBoxIcon::kStop, kBatchTitle);
            break;
    }
}

void FrameMenu::save_report() {
    const std::optional<std::string> path =
        pdf_to_save(files_, &frame_, kReportTitle, "humo-report");
    if (!path)
        return;
    if (forms::Refusal refusal = app::save_report(module_, *path, write_report_))
        tell("The report was not saved: " + *refusal + ".", forms::MsgBoxIcon::kExclamation,
             kReportTitle);
}

void FrameMenu::about() {
    tell(about_text(QCoreApplication::applicationVersion().toStdString(),
                    db::edition_text(db::edition_in_use(database_file()))),
         forms::MsgBoxIcon::kInformation, "About humo_tool");
}

std::string FrameMenu::database_file() const { return module_.program().host().database_file(); }

void FrameMenu::show_edition() {
    edition_label_->setText(QString::fromStdString(
        "Default values: " + db::edition_text(db::edition_in_use(database_file()))));
}

void FrameMenu::load_defaults() {
    const std::optional<db::EditionInUse> in_use = db::edition_in_use(database_file());
    std::vector<std::string> titles;
    size_t current = 0;
    for (const db::Edition& edition : db::editions()) {
        if (in_use && edition.id == in_use->id)
            current = titles.size();
        titles.emplace_back(edition.title);
    }
    const std::optional<size_t> chosen = files_.edition_to_load(&frame_, titles, current);
    if (!chosen || *chosen >= titles.size())
        return;
    module_.restore_defaults(std::string(db::editions()[*chosen].id));
    show_edition();
}

void FrameMenu::copy_results() {
    std::string text;
    if (forms::Refusal refusal = app::copy_results(module_, text)) {
        tell("Nothing was copied: " + *refusal + ".", forms::MsgBoxIcon::kExclamation,
             "Copy results");
        return;
    }
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace humo::app
