#pragma once

#include <functional>
#include <string>

#include "control.h"
#include "history_report.h"

namespace humo::app {

class LandUseHistory;
class Module1;

// What the land-use history window and humo-script do with the history; both call these, so
// the two cannot differ.

// The module's history with its lists and lookups read afresh from the database the calculator
// uses, as the window reads them each time it is shown.
LandUseHistory& history_on_fresh_tables(Module1& module);

// Writes a history's report to a file, such as the PDF writer.
using HistoryWriter =
    std::function<void(const report::HistoryReport& report, const std::string& path)>;

// Writes the report of the module's history. Refused with the history's error while it cannot
// be computed, or with why the file cannot be written.
forms::Refusal save_history_report(Module1& module, const std::string& path,
                                   const HistoryWriter& write);

// The history's rows as tab-separated text under the batch's column names; refused as above.
forms::Refusal copy_history(Module1& module, std::string& text);

}  // namespace humo::app
