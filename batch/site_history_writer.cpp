#include "site_history_writer.h"

#include <charconv>

namespace humo::batch {
namespace {

// The line of the row a site's error is about: the regime of that year, the first whose year
// cannot be read when it has none, else the site's first row.
int64_t line_of(const GatheredSite& site, std::optional<int> year) {
    for (const GatheredSite::Regime& regime : site.regimes) {
        if (engine::read_year(regime.year) == year)
            return regime.line;
    }
    return site.first_line;
}

std::optional<std::string_view> optional_cell(const std::optional<std::string>& cell) {
    if (!cell)
        return std::nullopt;
    return *cell;
}

}  // namespace

SiteHistoryWriter::SiteHistoryWriter(CsvWriter& writer, const engine::MemoryTables& tables,
                                     const engine::YearSpan& years, bool with_totals,
                                     bool numbers_quoted)
    : writer_(writer),
      rules_(tables),
      separator_(tables.separator),
      years_(years),
      with_totals_(with_totals),
      numbers_quoted_(numbers_quoted) {}

void SiteHistoryWriter::number(std::string_view text) {
    if (numbers_quoted_)
        writer_.field(text);
    else
        writer_.unquoted_field(text);
}

void SiteHistoryWriter::year(int year) {
    char digits[8];
    const auto end = std::to_chars(digits, digits + sizeof digits, year).ptr;
    writer_.unquoted_field({digits, static_cast<size_t>(end - digits)});
}

void SiteHistoryWriter::write(const GatheredSite& site, BatchSummary& summary) {
    ++summary.rows;
    if (!site.problem.empty()) {
        write_error(site, engine::read_year(site.problem_year), site.problem, site.problem_line,
                    summary);
        return;
    }
    regimes_.clear();
    for (const GatheredSite::Regime& regime : site.regimes)
        regimes_.push_back({regime.year, {regime.land_use, regime.management, regime.input}});
    const auto& cells = site.site_cells;
    const engine::SiteHistory history = engine::build_history(
        rules_, {*cells[0], *cells[1], *cells[2], optional_cell(cells[3]), optional_cell(cells[4])},
        regimes_);
    if (!history.usable()) {
        write_error(site, history.error_year, history.error, line_of(site, history.error_year),
                    summary);
        return;
    }
    ++summary.computed;

    std::string note = engine::equilibrium_assumption(history.regimes);
    if (const std::string warning = engine::short_start_warning(history.regimes); !warning.empty())
        note += "; " + warning;
    engine::HistoryTable table(history.regimes, years_, separator_, history.area);
    while (table.next()) {
        const engine::HistoryRow& row = table.row();
        writer_.field(site.name);
        year(row.year);
        number(row.stock);
        number(row.equilibrium);
        number(row.annual_change);
        number(row.period_change);
        if (with_totals_) {
            number(row.total_stock);
            number(row.total_annual_change);
            if (history.area) {
                totals_.add(
                    row.year, table.exact_total_stock(),
                    row.total_annual_change.empty() ? nullptr : &table.exact_total_annual_change());
            }
        }
        // Said once, on the site's first row.
        writer_.field(note);
        note.clear();
        writer_.unquoted_field({});
        writer_.end_record();
    }
}

void SiteHistoryWriter::write_error(const GatheredSite& site, std::optional<int> error_year,
                                    const std::string& error, int64_t line, BatchSummary& summary) {
    ++summary.with_errors;
    writer_.field(site.name);
    if (error_year)
        year(*error_year);
    else
        writer_.unquoted_field({});
    // Every column between the year and the error stays empty.
    for (size_t i = 2; i + 1 < history_output_names(with_totals_).size(); ++i)
        writer_.unquoted_field({});
    writer_.field(error);
    writer_.end_record();
    if (summary.first_errors.size() < BatchSummary::kListedErrors) {
        std::string where = "site \"" + std::string(site.name) + "\"";
        if (error_year)
            where += ", " + std::to_string(*error_year);
        summary.first_errors.push_back({line, where + ": " + error});
    }
}

}  // namespace humo::batch
