#pragma once

#include <string>

#include "calculation_ranges.h"
#include "calculation_report.h"

namespace humo::report {

// The figures of a calculation as tab-separated text with a header row, ready to paste into a
// spreadsheet. The columns are those of a batch file with its results, so the text is also a
// scenario humo-batch reads: carbon_stock holds the reference stock when it was typed. The change
// as CO2 follows; with ranges, their columns as humo-batch names them, then the method.
std::string results_text(const CalculationReport& report,
                         const CalculationRanges* ranges = nullptr);

}  // namespace humo::report
