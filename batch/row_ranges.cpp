#include "row_ranges.h"

#include <cstring>

#include "carbon_arithmetic.h"

namespace humo::batch {
namespace {

// Carbon to CO2 in an inventory's sign: emissions positive.
constexpr double kCo2PerCarbon = -44.0 / 12.0;

// Sets of values kept at most; beyond it their areas go into the total and they start afresh.
constexpr size_t kMaxShared = 1 << 14;

// An area's ± is a 95% limit: 1.96 standard deviations.
constexpr double kAreaStandardDeviations = 1.96;
// Names the area draws of a row apart from every stored value's.
constexpr uint64_t kAreaIdentity = 0x61726561;  // "area"

engine::SystemShown shown(const engine::System& system) {
    return {system.land_use,
            system.management,
            system.input,
            {system.factors.land_use_factor, system.factors.management_factor,
             system.factors.input_factor},
            {}};
}

void append_value(std::string& key, const engine::UncertainValue& value) {
    char bytes[3 * sizeof(double)];
    std::memcpy(bytes, &value.identity, sizeof(double));
    std::memcpy(bytes + sizeof(double), &value.value, sizeof(double));
    std::memcpy(bytes + 2 * sizeof(double), &value.deviation, sizeof(double));
    key.append(bytes, sizeof bytes);
}

}  // namespace

RowRanges::RowRanges(const engine::MemoryTables& tables,
                     const engine::PublishedUncertainties& published,
                     const engine::Simulation& simulation)
    : tables_(tables), published_(published), draws_(simulation) {}

RowRanges::Shared& RowRanges::shared(const engine::Site& site, const engine::System& from,
                                     const engine::System& to) {
    const engine::ScenarioShown scenario{site.region_text, tables_.soil_names.text(site.soil),
                                         site.reference,   site.typed,
                                         shown(from),      shown(to)};
    engine::ScenarioValues values =
        engine::scenario_values(published_, scenario, tables_.separator);
    key_.clear();
    append_value(key_, values.reference);
    for (const auto* system : {&values.from, &values.to})
        for (const engine::UncertainValue& value : *system)
            append_value(key_, value);
    if (auto found = shared_.find(key_); found != shared_.end())
        return found->second;
    if (shared_.size() >= kMaxShared) {
        add_pending_areas();
        shared_.clear();
    }
    Shared& added = shared_[key_];
    added.values = std::move(values);
    engine::simulate(added.values, draws_, samples_);
    const engine::ScenarioRanges ranges = engine::ranges_of(samples_);
    added.change = ranges.change;
    auto stock = [this](double bound) {
        return engine::stock_text(engine::exact_decimal(bound), tables_.separator);
    };
    auto change = [this](double bound) {
        return engine::change_text(engine::exact_decimal(bound), tables_.separator);
    };
    // The totals' bounds are the row's own; as CO2 the sign turns, so the highest gain of carbon
    // is the lowest emission.
    added.texts.bounds = {stock(ranges.from_stock.low),
                          stock(ranges.from_stock.high),
                          stock(ranges.to_stock.low),
                          stock(ranges.to_stock.high),
                          change(ranges.change.low),
                          change(ranges.change.high),
                          {},
                          {},
                          change(ranges.change.high * kCo2PerCarbon),
                          change(ranges.change.low * kCo2PerCarbon),
                          {},
                          {}};
    for (const std::string& name : added.values.not_covered())
        added.texts.not_covered += (added.texts.not_covered.empty() ? "" : "; ") + name;
    return added;
}

const RangeTexts& RowRanges::compute(const engine::Site& site, const engine::System& from,
                                     const engine::System& to, const engine::Stock& from_stock,
                                     const engine::Stock& to_stock,
                                     const std::optional<numbers::Decimal>& area,
                                     std::optional<double> area_plus_minus, int64_t line) {
    Shared& rows = shared(site, from, to);
    row_texts_ = rows.texts;
    if (!area)
        return row_texts_;
    const auto n = static_cast<size_t>(draws_.simulation().iterations);
    if (!any_area_) {
        total_samples_.assign(n, 0);
        any_area_ = true;
    }
    total_ = total_ + engine::annual_change(from_stock.exact, to_stock.exact) * *area;
    const double hectares = area->to_double();
    const double deviation =
        area_plus_minus ? hectares * *area_plus_minus / 100 / kAreaStandardDeviations : 0;
    auto change = [this](double bound) {
        return engine::change_text(engine::exact_decimal(bound), tables_.separator);
    };
    engine::Range total;
    if (deviation > 0) {
        // The row's own area draws: the values' draws again, each change times its area.
        engine::simulate(rows.values, draws_, samples_);
        row_totals_.resize(n);
        const uint64_t identity = kAreaIdentity ^ static_cast<uint64_t>(line) << 32;
        const uint64_t seed = draws_.simulation().seed;
        for (size_t i = 0; i < n; ++i) {
            row_totals_[i] =
                samples_.change[i] * engine::draw(seed, identity, i, hectares, deviation);
            total_samples_[i] += row_totals_[i];
        }
        total = engine::range_95(row_totals_);
    } else {
        rows.pending_area += hectares;
        // Percentiles scale with an exact area, which is never negative.
        total = {rows.change.low * hectares, rows.change.high * hectares};
    }
    row_texts_.bounds[6] = change(total.low);
    row_texts_.bounds[7] = change(total.high);
    row_texts_.bounds[10] = change(total.high * kCo2PerCarbon);
    row_texts_.bounds[11] = change(total.low * kCo2PerCarbon);
    return row_texts_;
}

void RowRanges::add_pending_areas() {
    for (auto& [key, rows] : shared_) {
        if (rows.pending_area == 0)
            continue;
        engine::simulate(rows.values, draws_, samples_);
        for (size_t i = 0; i < total_samples_.size(); ++i)
            total_samples_[i] += samples_.change[i] * rows.pending_area;
        rows.pending_area = 0;
    }
}

std::optional<TotalRange> RowRanges::total() {
    if (!any_area_)
        return std::nullopt;
    add_pending_areas();
    std::vector<double> samples = total_samples_;
    const engine::Range range = engine::range_95(samples);
    auto change = [this](const numbers::Decimal& value) {
        return engine::change_text(value, tables_.separator);
    };
    return TotalRange{change(total_), change(engine::exact_decimal(range.low)),
                      change(engine::exact_decimal(range.high))};
}

}  // namespace humo::batch
