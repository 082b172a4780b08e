#include "land_use_history.h"

#include <algorithm>

#include "list_rules.h"
#include "system_lookups.h"

namespace humo::app {
namespace {

// The year a history's first regime starts in until the user says otherwise.
constexpr int kFirstRegimeYear = 2000;

const engine::NameList& nothing() {
    static const engine::NameList kNothing;
    return kNothing;
}

// The item of `list` a name stands for, as the list spells it: the one spelt exactly so, else
// one that differs only in case; empty when the list does not offer it.
std::string offered(const engine::NameList& list, std::string_view name) {
    name = engine::trimmed(name);
    const int exact = list.position_of_text(name);
    if (exact >= 0)
        return list.texts[static_cast<size_t>(exact)];
    for (const std::string& item : list.texts) {
        if (engine::same_name(item, name))
            return item;
    }
    return {};
}

// A name as the list spells it when the list offers it, else as the user wrote it.
std::string spelt(const engine::NameList& list, std::string_view name) {
    std::string item = offered(list, name);
    return item.empty() ? std::string(engine::trimmed(name)) : item;
}

// What a list leaves selected once it is filled anew, as the calculator's lists do: the first
// item when the list selects it and it is "Does not apply", else nothing.
std::string selected_after_filling(const engine::NameList& list, bool selects_first) {
    if (selects_first && !list.empty() && engine::keeps_first_item(list.texts.front()))
        return list.texts.front();
    return {};
}

// Keeps a pick the list still offers, else starts as the list starts.
void follow(std::string& pick, const engine::NameList& list, bool selects_first) {
    std::string item = offered(list, pick);
    pick = item.empty() ? selected_after_filling(list, selects_first) : std::move(item);
}

engine::InputLevels levels_of(const report::RegimeEntry& regime) {
    return engine::input_levels(regime.land_use, engine::takes_grassland_factors(regime.land_use),
                                regime.management);
}

std::vector<std::string> texts(const engine::NameList& list) { return list.texts; }

}  // namespace

void LandUseHistory::read_tables(const std::string& database, numbers::DecimalSeparator separator) {
    try {
        tables_ =
            std::make_unique<engine::MemoryTables>(engine::load_memory_tables(database, separator));
        tables_error_.clear();
    } catch (const engine::DatabaseError& error) {
        tables_.reset();
        tables_error_ = error.what();
    }
    changed();
}

void LandUseHistory::restore(const report::HistoryEntries& entries) {
    entries_ = entries;
    changed();
}

void LandUseHistory::set_site_name(std::string name) {
    entries_.site_name = std::move(name);
    changed();
}

void LandUseHistory::set_country(std::string_view name) {
    entries_.country = spelt(tables_ ? tables_->countries() : nothing(), name);
    follow(entries_.climate_region, region_list(), false);
    follow_region();
}

void LandUseHistory::set_climate_region(std::string_view name) {
    entries_.climate_region = spelt(region_list(), name);
    follow_region();
}

void LandUseHistory::set_soil_type(std::string_view name) {
    entries_.soil_type = spelt(tables_ ? tables_->soil_types() : nothing(), name);
    changed();
}

void LandUseHistory::set_carbon_stock(std::string stock) {
    entries_.carbon_stock = std::move(stock);
    changed();
}

void LandUseHistory::set_area(std::string area) {
    entries_.area_ha = std::move(area);
    changed();
}

size_t LandUseHistory::set_year(size_t regime, int year) {
    report::RegimeEntry moved = entries_.regimes.at(regime);
    entries_.regimes.erase(entries_.regimes.begin() + static_cast<std::ptrdiff_t>(regime));
    moved.year = year;
    return place(std::move(moved));
}

void LandUseHistory::set_land_use(size_t regime, std::string_view name) {
    report::RegimeEntry& entry = entries_.regimes.at(regime);
    entry.land_use = spelt(land_use_list(), name);
    follow_land_use(entry);
    changed();
}

void LandUseHistory::set_management(size_t regime, std::string_view name) {
    report::RegimeEntry& entry = entries_.regimes.at(regime);
    entry.management = spelt(management_list(entry), name);
    follow_management(entry);
    changed();
}

void LandUseHistory::set_input(size_t regime, std::string_view name) {
    report::RegimeEntry& entry = entries_.regimes.at(regime);
    entry.input = spelt(input_list(entry), name);
    changed();
}

size_t LandUseHistory::add_regime() {
    if (entries_.regimes.empty())
        return place({kFirstRegimeYear, {}, {}, {}});
    report::RegimeEntry next = entries_.regimes.back();
    ++next.year;
    return place(std::move(next));
}

size_t LandUseHistory::put_regime(const report::RegimeEntry& regime) {
    if (const std::optional<size_t> existing = regime_of(regime.year))
        remove_regime(*existing);
    report::RegimeEntry entry{regime.year, {}, {}, {}};
    entry.land_use = spelt(land_use_list(), regime.land_use);
    entry.management = spelt(management_list(entry), regime.management);
    entry.input = spelt(input_list(entry), regime.input);
    return place(std::move(entry));
}

void LandUseHistory::remove_regime(size_t regime) {
    entries_.regimes.erase(entries_.regimes.begin() + static_cast<std::ptrdiff_t>(regime));
    changed();
}

std::optional<size_t> LandUseHistory::regime_of(int year) const {
    for (size_t i = 0; i < entries_.regimes.size(); ++i) {
        if (entries_.regimes[i].year == year)
            return i;
    }
    return std::nullopt;
}

void LandUseHistory::set_years(std::optional<int> from, std::optional<int> to, int every) {
    entries_.from = from;
    entries_.to = to;
    entries_.every = std::max(every, 1);
    changed();
}

std::vector<std::string> LandUseHistory::countries() const {
    return texts(tables_ ? tables_->countries() : nothing());
}
std::vector<std::string> LandUseHistory::climate_regions() const { return texts(region_list()); }
std::vector<std::string> LandUseHistory::soil_types() const {
    return texts(tables_ ? tables_->soil_types() : nothing());
}
std::vector<std::string> LandUseHistory::land_uses() const { return texts(land_use_list()); }
std::vector<std::string> LandUseHistory::managements(size_t regime) const {
    return texts(management_list(entries_.regimes.at(regime)));
}
std::vector<std::string> LandUseHistory::inputs(size_t regime) const {
    return texts(input_list(entries_.regimes.at(regime)));
}

const report::HistoryReport& LandUseHistory::report() const {
    if (!report_) {
        if (tables_) {
            report_ = report::history_report(*tables_, entries_);
        } else {
            report_.emplace();
            report_->entries = entries_;
            report_->error = tables_error_;
        }
    }
    return *report_;
}

const engine::NameList& LandUseHistory::region_list() const {
    return tables_ ? tables_->climate_regions(entries_.country) : nothing();
}

const engine::NameList& LandUseHistory::land_use_list() const {
    return tables_ ? tables_->land_uses(entries_.climate_region) : nothing();
}

const engine::NameList& LandUseHistory::management_list(const report::RegimeEntry& regime) const {
    return tables_ ? tables_->managements(regime.land_use) : nothing();
}

const engine::NameList& LandUseHistory::input_list(const report::RegimeEntry& regime) const {
    return tables_ ? engine::input_list(*tables_, regime.land_use, levels_of(regime)) : nothing();
}

void LandUseHistory::follow_region() {
    for (report::RegimeEntry& regime : entries_.regimes) {
        follow(regime.land_use, land_use_list(), false);
        follow_land_use(regime);
    }
    changed();
}

void LandUseHistory::follow_land_use(report::RegimeEntry& regime) {
    // A management list selects its first item as it is filled.
    follow(regime.management, management_list(regime), true);
    follow_management(regime);
}

void LandUseHistory::follow_management(report::RegimeEntry& regime) {
    const engine::InputLevels levels = levels_of(regime);
    // Grassland's one fixed input level is selected as it is put in its list.
    follow(regime.input, input_list(regime),
           engine::selects_first_item(levels) || levels == engine::InputLevels::kFixedDoesNotApply);
}

size_t LandUseHistory::place(report::RegimeEntry regime) {
    const auto at = std::upper_bound(
        entries_.regimes.begin(), entries_.regimes.end(), regime.year,
        [](int year, const report::RegimeEntry& other) { return year < other.year; });
    const auto placed = entries_.regimes.insert(at, std::move(regime));
    changed();
    return static_cast<size_t>(placed - entries_.regimes.begin());
}

}  // namespace humo::app
