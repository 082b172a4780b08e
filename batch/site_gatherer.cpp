#include "site_gatherer.h"

#include "batch_columns.h"
#include "batch_run.h"
#include "name_index.h"

namespace humo::batch {
namespace {

constexpr std::array<HistoryColumn, GatheredSite::kSiteCells> kSiteColumns = {
    HistoryColumn::kCountry, HistoryColumn::kClimateRegion, HistoryColumn::kSoilType,
    HistoryColumn::kCarbonStock, HistoryColumn::kAreaHa};

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

SiteGatherer::SiteGatherer(const HistoryLayout& layout, std::vector<std::string> names)
    : layout_(layout), names_(std::move(names)) {}

std::string_view SiteGatherer::cell(const CsvRecord& record, HistoryColumn column) const {
    const int position = layout_.at(column);
    if (position < 0 || static_cast<size_t>(position) >= record.fields.size())
        return {};
    return record.fields[static_cast<size_t>(position)];
}

// A row too short to name its site goes with the rows that name none.
std::string_view SiteGatherer::site_of(const CsvRecord& record) const {
    return engine::trimmed(cell(record, HistoryColumn::kSite));
}

void SiteGatherer::note(const CsvRecord& record, int64_t ordinal) {
    const std::string_view name = site_of(record);
    auto found = sites_.find(name);
    if (found == sites_.end())
        found = sites_.emplace(std::string(name), Entry{}).first;
    found->second.last = ordinal;
}

std::unique_ptr<GatheredSite> SiteGatherer::gather(const CsvRecord& record, int64_t ordinal) {
    const auto found = sites_.find(site_of(record));
    if (found == sites_.end() || found->second.last < ordinal)
        throw BatchFailure("the input changed while it was read");
    Entry& entry = found->second;
    if (!entry.rows) {
        entry.rows = std::make_unique<GatheredSite>();
        entry.rows->name = found->first;
        entry.rows->first_line = record.line;
        for (size_t i = 0; i < GatheredSite::kSiteCells; ++i) {
            if (layout_.has(kSiteColumns[i]))
                entry.rows->site_cells[i] = std::string(cell(record, kSiteColumns[i]));
        }
        ++open_;
    }
    GatheredSite& site = *entry.rows;
    if (site.problem.empty())
        check(site, record);
    if (site.problem.empty()) {
        site.regimes.push_back({record.line, std::string(cell(record, HistoryColumn::kYear)),
                                std::string(cell(record, HistoryColumn::kLandUse)),
                                std::string(cell(record, HistoryColumn::kManagement)),
                                std::string(cell(record, HistoryColumn::kInput))});
    }
    if (ordinal < entry.last)
        return nullptr;
    --open_;
    return std::move(entry.rows);
}

// The first thing wrong with a record of a site: one a scenario row could have, a site without
// a name, or a site cell other than the site's first row's.
void SiteGatherer::check(GatheredSite& site, const CsvRecord& record) const {
    std::string problem = record_problem(record, names_);
    if (problem.empty() && site.name.empty())
        problem = "site is empty; every row names the land unit it is of";
    for (size_t i = 0; i < GatheredSite::kSiteCells && problem.empty(); ++i) {
        const HistoryColumn column = kSiteColumns[i];
        if (!site.site_cells[i])
            continue;
        const std::string_view value = engine::trimmed(cell(record, column));
        const std::string_view first = engine::trimmed(*site.site_cells[i]);
        if (!engine::same_name(value, first)) {
            problem = std::string(column_name(column)) + " " + quoted(value) + " differs from " +
                      quoted(first) + " on line " + std::to_string(site.first_line) +
                      "; every row of a site gives the same";
        }
    }
    if (problem.empty())
        return;
    site.problem = std::move(problem);
    site.problem_line = record.line;
    site.problem_year = cell(record, HistoryColumn::kYear);
    site.regimes.clear();
}

}  // namespace humo::batch
