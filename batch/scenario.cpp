#include "scenario.h"

#include "carbon_arithmetic.h"

namespace humo::batch {
namespace {

using engine::trimmed;

// Rows share this many stocks at most; beyond it the shared ones start afresh, so memory stays
// bounded whatever the file holds.
constexpr size_t kMaxShared = 1 << 16;
// Cells padded with blanks still name a site: the memory their keys take is bounded too.
constexpr size_t kMaxSharedBytes = 8 << 20;
// A table position takes 16 bits of a shared stock's key; the fixed input level the last.
constexpr uint64_t kPositionLimit = 0xFFFF;

uint64_t key_position(uint32_t position) {
    return position == engine::StoredValue::kNotStored ? kPositionLimit : position;
}

}  // namespace

ScenarioCalculator::ScenarioCalculator(const engine::MemoryTables& tables) : rules_(tables) {
    for (size_t size : {tables.reference_stocks.size(), tables.land_use_factors.size(),
                        2 * tables.management_factors[0].size(), tables.input_factors.size()}) {
        if (size >= kPositionLimit)
            shared_ = false;
    }
}

const ScenarioResult& ScenarioCalculator::compute(const ScenarioCells& cells, int64_t line) {
    // Cleared field by field: the error keeps its buffer from row to row.
    result_.reference_stock = {};
    result_.from = {};
    result_.to = {};
    result_.annual_change = {};
    result_.total_annual_change = {};
    result_.annual_co2 = {};
    result_.total_annual_co2 = {};
    result_.ranges = {};
    result_.not_covered = {};
    result_.error.clear();
    errors_.clear();
    bound_what_is_shared();

    std::optional<engine::Site> site = site_of(cells);
    std::optional<engine::System> from;
    std::optional<engine::System> to;
    if (site) {
        from = system_of(*site, cells.from, engine::kFromColumns);
        to = system_of(*site, cells.to, engine::kToColumns);
    }
    std::optional<numbers::Decimal> area;
    if (cells.area_ha && !trimmed(*cells.area_ha).empty()) {
        rules_.clear_errors();
        area = rules_.amount("area_ha", *cells.area_ha);
        for (const std::string& error : rules_.errors())
            fail(error);
    }

    if (errors_.empty()) {
        const engine::Stock& from_stock = stock_of(*site, *from, engine::kFromColumns, typed_from_);
        const engine::Stock& to_stock = stock_of(*site, *to, engine::kToColumns, typed_to_);
        for (const engine::Stock* stock : {&from_stock, &to_stock}) {
            if (!stock->error.empty())
                fail(stock->error);
        }
        if (errors_.empty() && !rules_.compute_change(from_stock, to_stock, change_text_))
            fail("annual_change is beyond the range of numbers");
        if (errors_.empty() && area) {
            if (rules_.compute_total(from_stock, to_stock, *area, total_text_))
                result_.total_annual_change = total_text_;
            else
                fail("total_annual_change is beyond the range of numbers");
        }
        if (errors_.empty() && co2_) {
            // The change as the calculator shows it, from the stocks as shown.
            co2_text_ =
                engine::co2_text(engine::annual_change_of_shown(from_stock.text, to_stock.text,
                                                                rules_.tables().separator),
                                 rules_.tables().separator);
            result_.annual_co2 = co2_text_;
            if (area) {
                total_co2_text_ = engine::co2_text(
                    engine::annual_change(from_stock.exact, to_stock.exact) * *area,
                    rules_.tables().separator);
                result_.total_annual_co2 = total_co2_text_;
            }
        }
        if (errors_.empty() && ranges_)
            compute_ranges(cells, *site, *from, *to, from_stock, to_stock, area, line);
        if (errors_.empty()) {
            result_.reference_stock = site->reference;
            result_.from = from->factors;
            result_.from.stock = from_stock.text;
            result_.to = to->factors;
            result_.to.stock = to_stock.text;
            result_.annual_change = change_text_;
        }
    }
    if (!errors_.empty()) {
        result_.total_annual_change = {};
        result_.annual_co2 = {};
        result_.total_annual_co2 = {};
        result_.ranges = {};
        result_.not_covered = {};
        for (const std::string& error : errors_)
            result_.error += (result_.error.empty() ? "" : "; ") + error;
    }
    return result_;
}

void ScenarioCalculator::compute_ranges(const ScenarioCells& cells, const engine::Site& site,
                                        const engine::System& from, const engine::System& to,
                                        const engine::Stock& from_stock,
                                        const engine::Stock& to_stock,
                                        const std::optional<numbers::Decimal>& area, int64_t line) {
    std::optional<double> area_plus_minus;
    if (cells.area_uncertainty && !trimmed(*cells.area_uncertainty).empty()) {
        rules_.clear_errors();
        const auto percent = rules_.amount("area_uncertainty", *cells.area_uncertainty);
        for (const std::string& error : rules_.errors())
            fail(error);
        if (!percent)
            return;
        if (!area) {
            fail("area_uncertainty is given without an area in area_ha");
            return;
        }
        area_plus_minus = percent->to_double();
    }
    const RangeTexts& texts =
        ranges_->compute(site, from, to, from_stock, to_stock, area, area_plus_minus, line);
    for (size_t i = 0; i < texts.bounds.size(); ++i)
        result_.ranges[i] = texts.bounds[i];
    result_.not_covered = texts.not_covered;
}

void ScenarioCalculator::bound_what_is_shared() {
    if (stocks_.size() >= kMaxShared) {
        stock_index_.clear();
        stocks_.clear();
    }
    if (site_index_.size() >= kMaxShared || system_index_.size() >= kMaxShared ||
        site_index_.bytes() + system_index_.bytes() >= kMaxSharedBytes) {
        site_index_.clear();
        sites_.clear();
        system_index_.clear();
        systems_.clear();
    }
}

void ScenarioCalculator::fail(std::string message) { errors_.push_back(std::move(message)); }

std::optional<engine::Site> ScenarioCalculator::site_of(const ScenarioCells& cells) {
    const CellMemo::Cells key = {cells.country, cells.climate_region, cells.soil_type};
    // A typed stock belongs to its row alone.
    const bool typed = cells.carbon_stock && !trimmed(*cells.carbon_stock).empty();
    if (!typed) {
        if (const int32_t found = site_index_.find(0, key); found != CellMemo::kNone)
            return sites_[static_cast<size_t>(found)];
    }
    rules_.clear_errors();
    std::optional<engine::Site> site = rules_.pick_site(cells);
    for (const std::string& error : rules_.errors())
        fail(error);
    if (!typed && site && rules_.errors().empty()) {
        site_index_.insert(0, key, static_cast<int32_t>(sites_.size()));
        sites_.push_back(*site);
    }
    return site;
}

std::optional<engine::System> ScenarioCalculator::system_of(const engine::Site& site,
                                                            const SystemCells& cells,
                                                            const engine::SystemColumns& columns) {
    // FROM and TO pick alike from the same cells; only their messages differ.
    const CellMemo::Cells key = {cells.land_use, cells.management, cells.input};
    if (const int32_t found = system_index_.find(site.region, key); found != CellMemo::kNone)
        return systems_[static_cast<size_t>(found)];
    rules_.clear_errors();
    std::optional<engine::System> system = rules_.pick_system(site, cells, columns);
    for (const std::string& error : rules_.errors())
        fail(error);
    if (system) {
        system_index_.insert(site.region, key, static_cast<int32_t>(systems_.size()));
        systems_.push_back(*system);
    }
    return system;
}

const engine::Stock& ScenarioCalculator::stock_of(const engine::Site& site,
                                                  const engine::System& system,
                                                  const engine::SystemColumns& columns,
                                                  engine::Stock& unshared) {
    if (site.typed || !shared_) {
        rules_.compute_stock(site, system, columns, unshared);
        return unshared;
    }
    const uint64_t key =
        key_position(site.stock_position) | key_position(system.land_use_position) << 16 |
        key_position(system.management_position) << 32 | key_position(system.input_position) << 48;
    uint32_t index = stock_index_.find(key);
    if (index == NumberMap::kNone) {
        index = static_cast<uint32_t>(stocks_.size());
        stock_index_.insert(key, index);
        rules_.compute_stock(site, system, columns, stocks_.emplace_back());
    }
    return stocks_[index];
}

std::array<std::string_view, kResultColumnCount> result_texts(const ScenarioResult& result) {
    const auto& r = result.ranges;
    return {result.reference_stock,
            result.from.land_use_factor,
            result.from.management_factor,
            result.from.input_factor,
            result.from.stock,
            result.to.land_use_factor,
            result.to.management_factor,
            result.to.input_factor,
            result.to.stock,
            result.annual_change,
            result.total_annual_change,
            r[0],
            r[1],
            r[2],
            r[3],
            r[4],
            r[5],
            r[6],
            r[7],
            result.annual_co2,
            r[8],
            r[9],
            result.total_annual_co2,
            r[10],
            r[11],
            result.not_covered,
            result.error};
}

}  // namespace humo::batch
