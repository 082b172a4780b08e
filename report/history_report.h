#pragma once

#include <optional>
#include <string>
#include <vector>

#include "history_chart.h"
#include "memory_tables.h"
#include "report_origin.h"

namespace humo::report {

// One regime of a history as the user picked it.
struct RegimeEntry {
    int year = 0;
    std::string land_use;
    std::string management;
    std::string input;
    bool operator==(const RegimeEntry&) const = default;
};

// A land unit's history as the user gave it.
struct HistoryEntries {
    // Any text naming the land unit.
    std::string site_name;
    std::string country;
    std::string climate_region;
    std::string soil_type;
    // Empty: the table's reference stock; an empty area gives no totals.
    std::string carbon_stock;
    std::string area_ha;
    // In order of their first years.
    std::vector<RegimeEntry> regimes;
    // The years shown; unset, from the first year to twenty years after the last change.
    std::optional<int> from;
    std::optional<int> to;
    int every = 1;
    bool operator==(const HistoryEntries&) const = default;
};

// One year as every output of a history shows it, by the batch's column names.
struct HistoryRowText {
    int year = 0;
    std::string stock;
    std::string equilibrium;
    std::string annual_change;
    std::string period_change;
    std::string total_stock;
    std::string total_annual_change;
};

// A history computed from its entries, as the window, the report, Copy and humo-script show it.
struct HistoryReport {
    HistoryEntries entries;
    // When, from which database and with which default values; filled by whoever writes it.
    ReportOrigin origin;
    // The reference stock used and where it comes from: typed, or the table's.
    std::string reference_stock;
    // Each regime's equilibrium stock as shown, by the entries' order; empty on an error.
    std::vector<std::string> equilibria;
    // Sentences every output carries: the equilibrium assumption, and a short start's warning
    // (empty without one).
    std::string assumption;
    std::string warning;
    // What is wrong; the regime at fault starts in error_year unless the site's cells are.
    std::string error;
    std::optional<int> error_year;
    bool site_at_fault = false;
    // The years shown and their rows.
    int from = 0;
    int to = 0;
    std::vector<HistoryRowText> rows;
    bool with_totals = false;
    HistoryChart chart;

    bool usable() const { return error.empty(); }
};

HistoryReport history_report(const engine::MemoryTables& tables, const HistoryEntries& entries);

// The error, naming the year of the regime at fault: "regime from 1996: management ...".
std::string history_error_text(const HistoryReport& report);

// A message as a sentence: its first letter capital, a full stop at its end.
std::string sentence(std::string text);

// The rows as tab-separated text under the batch's column names, for the clipboard.
std::string history_copy_text(const HistoryReport& report);

// How a history is computed, in one paragraph for every place that shows it.
extern const char* const kHistoryMethod;

// The year table as the window and the report show it: headings with units, and a row's cells.
// The change since the previous row shown is left out while every year is shown, as it is then
// the annual change.
std::vector<std::string> shown_headings(const HistoryReport& report);
std::vector<std::string> shown_cells(const HistoryReport& report, const HistoryRowText& row);

// The batch's column names for a history's rows, with the totals' when there is an area.
std::vector<std::string> history_columns(bool with_totals);
std::vector<std::string> history_cells(const HistoryRowText& row, bool with_totals);

}  // namespace humo::report
