#pragma once

#include <array>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "decimal.h"
#include "memory_tables.h"
#include "monte_carlo.h"
#include "published_uncertainty.h"
#include "scenario_rules.h"

namespace humo::batch {

// A row's ranges as its columns show them: FROM stock, TO stock, annual change, total, the
// change as CO2 and the total as CO2, each low then high; the totals' are empty without an area.
struct RangeTexts {
    std::array<std::string, 12> bounds;
    std::string not_covered;
};

// The file's total annual change over every computed row with an area, and its range.
struct TotalRange {
    std::string total;
    std::string low;
    std::string high;
};

// The 95% ranges of a batch's rows and of the file's total. A value rows share is drawn once per
// iteration for all of them, keyed so that a row draws the same whatever rows come before it.
// Rows with the same values share their ranges; memory stays bounded whatever the file's size.
class RowRanges {
public:
    RowRanges(const engine::MemoryTables& tables, const engine::PublishedUncertainties& published,
              const engine::Simulation& simulation);

    // The ranges of a computed row. `area` and its ± (percent, as a 95% limit) when the row has
    // them; `line` identifies the row's own area draws.
    const RangeTexts& compute(const engine::Site& site, const engine::System& from,
                              const engine::System& to, const engine::Stock& from_stock,
                              const engine::Stock& to_stock,
                              const std::optional<numbers::Decimal>& area,
                              std::optional<double> area_plus_minus, int64_t line);

    // The total over the rows computed so far, or nothing when none had an area.
    std::optional<TotalRange> total();

private:
    // Rows of one set of values: their ranges, and their areas not yet added to the total.
    struct Shared {
        engine::ScenarioValues values;
        RangeTexts texts;
        engine::Range change;
        double pending_area = 0;
    };
    Shared& shared(const engine::Site& site, const engine::System& from, const engine::System& to);
    // Adds the pending areas of every set of values to the total's iterations.
    void add_pending_areas();

    const engine::MemoryTables& tables_;
    const engine::PublishedUncertainties& published_;
    engine::ValueDraws draws_;
    engine::ScenarioSamples samples_;
    std::unordered_map<std::string, Shared> shared_;
    std::string key_;
    RangeTexts row_texts_;
    std::vector<double> row_totals_;
    // The file's total: exact, and in every iteration.
    numbers::Decimal total_;
    std::vector<double> total_samples_;
    bool any_area_ = false;
};

}  // namespace humo::batch
