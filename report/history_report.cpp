#include "history_report.h"

#include <algorithm>
#include <cctype>

#include "carbon_arithmetic.h"
#include "history_rules.h"

namespace humo::report {
namespace {

// A cell of tab-separated text holds no tab and no line break.
std::string one_cell(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    }
    return text;
}

std::string reference_stock(const engine::MemoryTables& tables, const HistoryEntries& entries) {
    if (!engine::trimmed(entries.carbon_stock).empty())
        return std::string(engine::trimmed(entries.carbon_stock)) + " MgC/ha (typed by the user)";
    const engine::StoredValue& stock =
        tables.reference_stock(entries.climate_region, entries.soil_type);
    return stock.text + " MgC/ha (from the database)";
}

}  // namespace

std::string sentence(std::string text) {
    if (text.empty())
        return text;
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    // A message may end in a question already: "did you mean "Kenya"?".
    return text.back() == '?' ? text : text + ".";
}

HistoryReport history_report(const engine::MemoryTables& tables, const HistoryEntries& entries) {
    HistoryReport report;
    report.entries = entries;
    std::vector<std::string> years;
    years.reserve(entries.regimes.size());
    std::vector<engine::RegimeCells> regimes;
    for (const RegimeEntry& regime : entries.regimes) {
        years.push_back(std::to_string(regime.year));
        regimes.push_back({years.back(), {regime.land_use, regime.management, regime.input}});
    }
    if (!entries.regimes.empty()) {
        const auto [first, last] = std::minmax_element(
            entries.regimes.begin(), entries.regimes.end(),
            [](const RegimeEntry& a, const RegimeEntry& b) { return a.year < b.year; });
        const engine::RegimeStock last_regime{last->year, {}};
        report.from = entries.from.value_or(first->year);
        report.to = entries.to.value_or(engine::HistoryTable::default_last_year({&last_regime, 1}));
    }
    engine::ScenarioRules rules(tables);
    const engine::SiteHistory history =
        engine::build_history(rules,
                              {entries.country, entries.climate_region, entries.soil_type,
                               entries.carbon_stock, entries.area_ha},
                              regimes);
    if (!history.usable()) {
        report.error = history.error;
        report.error_year = history.error_year;
        report.site_at_fault = history.site_at_fault;
        return report;
    }
    report.reference_stock = reference_stock(tables, entries);
    for (const RegimeEntry& entry : entries.regimes) {
        for (const engine::RegimeStock& regime : history.regimes) {
            if (regime.first_year == entry.year)
                report.equilibria.push_back(
                    engine::stock_text(regime.equilibrium, tables.separator));
        }
    }
    report.assumption = sentence(engine::equilibrium_assumption(history.regimes));
    report.warning = sentence(engine::short_start_warning(history.regimes));

    report.with_totals = history.area.has_value();
    engine::HistoryTable table(history.regimes, {entries.from, entries.to, entries.every},
                               tables.separator, history.area);
    while (table.next()) {
        const engine::HistoryRow& row = table.row();
        report.rows.push_back({row.year, std::string(row.stock), std::string(row.equilibrium),
                               std::string(row.annual_change), std::string(row.period_change),
                               std::string(row.total_stock), std::string(row.total_annual_change)});
    }
    report.chart = history_chart(history.regimes, report.from, report.to, tables.separator);
    return report;
}

std::string history_error_text(const HistoryReport& report) {
    if (report.error_year && !report.site_at_fault)
        return "regime from " + std::to_string(*report.error_year) + ": " + report.error;
    return report.error;
}

const char* const kHistoryMethod =
    "Method: each regime's equilibrium is the stock the calculator predicts for its land-use "
    "system on this site. The first regime is taken to be at its equilibrium at the end of its "
    "first year. From each change of equilibrium on, the stock moves each year a twentieth of "
    "the way from the stock at the end of the year before the change to the new equilibrium, "
    "and reaches it after 20 years unless another change comes first.";

std::vector<std::string> shown_headings(const HistoryReport& report) {
    std::vector<std::string> headings = {"Year", "Stock\n(MgC/ha)", "Equilibrium\n(MgC/ha)",
                                         "Annual change\n(MgC/ha/yr)"};
    if (report.entries.every > 1)
        headings.push_back("Change per year since\nthe row before (MgC/ha/yr)");
    if (report.with_totals)
        headings.insert(headings.end(), {"Total stock\n(MgC)", "Total annual change\n(MgC/yr)"});
    return headings;
}

std::vector<std::string> shown_cells(const HistoryReport& report, const HistoryRowText& row) {
    std::vector<std::string> cells = {std::to_string(row.year), row.stock, row.equilibrium,
                                      row.annual_change};
    if (report.entries.every > 1)
        cells.push_back(row.period_change);
    if (report.with_totals)
        cells.insert(cells.end(), {row.total_stock, row.total_annual_change});
    return cells;
}

std::vector<std::string> history_columns(bool with_totals) {
    std::vector<std::string> columns = {"year", "stock", "equilibrium", "annual_change",
                                        "period_change"};
    if (with_totals)
        columns.insert(columns.end(), {"total_stock", "total_annual_change"});
    return columns;
}

std::vector<std::string> history_cells(const HistoryRowText& row, bool with_totals) {
    std::vector<std::string> cells = {std::to_string(row.year), row.stock, row.equilibrium,
                                      row.annual_change, row.period_change};
    if (with_totals)
        cells.insert(cells.end(), {row.total_stock, row.total_annual_change});
    return cells;
}

std::string history_copy_text(const HistoryReport& report) {
    auto line = [](const std::string& first, const std::vector<std::string>& cells) {
        std::string text = first;
        for (const std::string& cell : cells)
            text += "\t" + cell;
        return text + "\n";
    };
    std::string text = line("site", history_columns(report.with_totals));
    for (const HistoryRowText& row : report.rows)
        text += line(one_cell(report.entries.site_name), history_cells(row, report.with_totals));
    return text;
}

}  // namespace humo::report
