#pragma once

#include <string>

#include "report_document.h"

namespace humo::report {

// Writes the report as a PDF with Qt's own writer: its text, and the chart drawn as vectors.
// The file appears whole or not at all. Needs a QGuiApplication; throws std::runtime_error
// naming the file and the reason when it cannot be written.
void write_pdf_report(const ReportDocument& document, const std::string& path);

}  // namespace humo::report
