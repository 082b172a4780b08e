#pragma once

#include <optional>
#include <string>
#include <vector>

#include "batch_run.h"
#include "csv_writer.h"
#include "history_rules.h"
#include "site_gatherer.h"
#include "year_totals.h"

namespace humo::batch {

// Writes each site's history: its years as the engine shows them, or one row saying why it
// cannot be computed. Counts the sites in the summary and sums the totals of those with areas.
class SiteHistoryWriter {
public:
    // `with_totals` when the file has areas; `numbers_quoted` when the decimal separator is the
    // delimiter or a quote.
    SiteHistoryWriter(CsvWriter& writer, const engine::MemoryTables& tables,
                      const engine::YearSpan& years, bool with_totals, bool numbers_quoted);

    void write(const GatheredSite& site, BatchSummary& summary);
    const YearTotals& totals() const { return totals_; }

private:
    void write_error(const GatheredSite& site, std::optional<int> year, const std::string& error,
                     int64_t line, BatchSummary& summary);
    void number(std::string_view text);
    void year(int year);

    CsvWriter& writer_;
    engine::ScenarioRules rules_;
    numbers::DecimalSeparator separator_;
    engine::YearSpan years_;
    bool with_totals_;
    bool numbers_quoted_;
    std::vector<engine::RegimeCells> regimes_;
    YearTotals totals_;
};

}  // namespace humo::batch
