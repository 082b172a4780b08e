#pragma once

#include <string>

#include "history_report.h"

namespace humo::report {

// Writes a history's report as a PDF: the site, the regimes, the notes, the chart drawn as
// vectors and the table of years. The file appears whole or not at all. Needs a
// QGuiApplication; throws std::runtime_error naming the file and the reason when it cannot be
// written.
void write_history_pdf(const HistoryReport& report, const std::string& path);

}  // namespace humo::report
