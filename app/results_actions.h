#pragma once

#include <functional>
#include <string>

#include "batch_run.h"
#include "calculation_ranges.h"
#include "control.h"
#include "report_document.h"

namespace humo::calculator {
class frmmaster;
}

namespace humo::app {

class Module1;

// What the frame's menu and humo-script do with the calculator's results and with batches;
// both call these, so the two cannot differ.

// The calculator when it is loaded; nothing before Continue and after it is unloaded.
calculator::frmmaster* loaded_calculator(Module1& module);

// The database the calculator has open, else the one it would open.
std::string database_in_use(Module1& module);

// The pristine defaults a database's values are compared with: those of the edition it
// records, else the oldest.
std::string defaults_compared(Module1& module, const std::string& database);

// The time now as a report gives it, "YYYY-MM-DD HH:MM".
std::string now_text();

// Whether the calculator shows both predicted stocks, so there are results to report or copy.
bool shows_results(Module1& module);

// Writes a report document to a file, such as the PDF writer of the window.
using ReportWriter =
    std::function<void(const report::ReportDocument& document, const std::string& path)>;

// Writes the report of the calculation the calculator shows. Refused with "calculator not
// loaded", "no results", or why the file cannot be written.
forms::Refusal save_report(Module1& module, const std::string& path, const ReportWriter& write);

// The results as tab-separated text with a header row, for the clipboard; refused as above.
forms::Refusal copy_results(Module1& module, std::string& text);

// The 95% ranges of the calculation the calculator shows; refused as above, or naming why the
// database's published uncertainties cannot be read.
// Drawn as the module's uncertainty choices say.
forms::Refusal uncertainty_ranges(Module1& module, report::CalculationRanges& ranges);

// Runs a scenario file as humo-batch would, on the database the calculator uses and with the
// decimal separator in force. Throws batch::BatchFailure or batch::BatchCancelled. Safe on a
// worker thread: it reads the database through a connection of its own.
struct BatchFiles {
    std::string input;
    std::string output;
    std::string database;
    numbers::DecimalSeparator separator;
};
BatchFiles batch_files(Module1& module, const std::string& input, const std::string& output);
batch::BatchSummary run_batch(const BatchFiles& files,
                              const batch::ProgressReport& progress = nullptr);

// The summary as a message box shows it: the summary line, then the first errors.
std::string batch_summary_text(const batch::BatchSummary& summary);

}  // namespace humo::app
