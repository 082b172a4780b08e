#pragma once

#include <string>
#include <utility>
#include <vector>

#include "calculation_ranges.h"
#include "calculation_report.h"
#include "report_origin.h"
#include "stock_chart.h"

namespace humo::report {

// A row of the systems table: what it shows, then the FROM and the TO system's value.
struct SystemsRow {
    std::string label;
    std::string from;
    std::string to;
};

// The words and numbers of a report, in reading order, ready to be laid out on a page.
struct ReportDocument {
    std::string title;
    ReportOrigin origin;
    std::string site_heading;
    std::vector<std::pair<std::string, std::string>> site;
    // The first row names the two columns.
    std::vector<SystemsRow> systems;
    std::string change;
    std::string co2;
    std::string method;
    StockChart chart;
    // With ranges: a heading, a line for each quantity and for the values used as exact, the
    // method, and the histogram of the change with its range.
    std::string ranges_heading;
    std::vector<std::string> ranges;
    std::string ranges_method;
    Histogram histogram;
    double change_low = 0;
    double change_high = 0;
    numbers::DecimalSeparator separator;
};

ReportDocument report_document(const CalculationReport& report,
                               const CalculationRanges* ranges = nullptr);

}  // namespace humo::report
