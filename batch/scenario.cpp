#include "scenario.h"

#include <cmath>
#include <limits>

#include "carbon_arithmetic.h"
#include "failure.h"
#include "list_rules.h"
#include "number_text.h"

namespace humo::batch {
namespace {

// Rows share this many stocks at most; beyond it the shared ones start afresh, so memory stays
// bounded whatever the file holds.
constexpr size_t kMaxSharedStocks = 1 << 16;
constexpr size_t kMaxSuggestions = 1 << 12;
constexpr size_t kNotShared = std::numeric_limits<size_t>::max();
// Lists this long are named in full in a message; longer ones by their first items.
constexpr size_t kNamedItems = 8;

// A cell as a message quotes it: without surrounding blanks, and short.
std::string quoted(std::string_view cell) {
    std::string_view text = trimmed(cell);
    constexpr size_t kShown = 60;
    if (text.size() > kShown)
        return "\"" + std::string(text.substr(0, kShown)) + "…\"";
    return "\"" + std::string(text) + "\"";
}

std::string named_items(const NameList& list) {
    std::string text;
    for (size_t i = 0; i < list.texts.size() && i < kNamedItems; ++i)
        text += (i ? ", " : "") + quoted(list.texts[i]);
    if (list.texts.size() > kNamedItems)
        text += ", …";
    return text;
}

bool has_no_value(const StoredValue& value) { return value.kind != StoredValue::Kind::kText; }

}  // namespace

size_t ScenarioCalculator::StockKeyHash::operator()(const StockKey& key) const {
    uint64_t h = 1469598103934665603ull;
    for (Id part : {key.region, key.soil, key.land_use, key.management, key.input})
        h = (h ^ static_cast<uint32_t>(part)) * 1099511628211ull;
    return static_cast<size_t>(h ^ (h >> 29));
}

ScenarioCalculator::ScenarioCalculator(const ScenarioTables& tables)
    : tables_(tables), separator_(tables.separator) {}

const ScenarioResult& ScenarioCalculator::compute(const ScenarioCells& cells) {
    result_ = ScenarioResult{};
    errors_.clear();
    if (stocks_.size() >= kMaxSharedStocks) {
        stock_index_.clear();
        stocks_.clear();
        changes_.clear();
    }

    std::optional<Site> site = pick_site(cells);
    std::optional<System> from;
    std::optional<System> to;
    if (site) {
        from = pick_system(*site, cells.from, "from_");
        to = pick_system(*site, cells.to, "to_");
    }
    std::optional<numbers::Decimal> area;
    if (cells.area_ha && !trimmed(*cells.area_ha).empty())
        area = amount("area_ha", *cells.area_ha);

    if (errors_.empty()) {
        size_t from_index = kNotShared;
        size_t to_index = kNotShared;
        const Stock& from_stock = stock_of(*site, *from, "from_", typed_from_, from_index);
        const Stock& to_stock = stock_of(*site, *to, "to_", typed_to_, to_index);
        for (const Stock* stock : {&from_stock, &to_stock}) {
            if (!stock->error.empty())
                fail(stock->error);
        }
        if (errors_.empty()) {
            const Change& change = change_of(from_stock, from_index, to_stock, to_index);
            if (!change.error.empty())
                fail(change.error);
            if (errors_.empty() && area) {
                const numbers::Decimal total = change.exact * *area;
                if (std::isinf(total.to_double())) {
                    fail("total_annual_change is beyond the range of numbers");
                } else {
                    total_text_ = calculator::change_text(total, separator_);
                    result_.total_annual_change = total_text_;
                }
            }
            if (errors_.empty()) {
                result_.reference_stock = site->reference;
                result_.from = from->factors;
                result_.from.stock = from_stock.text;
                result_.to = to->factors;
                result_.to.stock = to_stock.text;
                result_.annual_change = change.text;
            }
        }
    }
    if (!errors_.empty()) {
        result_ = ScenarioResult{};
        for (const std::string& error : errors_)
            result_.error += (result_.error.empty() ? "" : "; ") + error;
    }
    return result_;
}

std::optional<ScenarioCalculator::Site> ScenarioCalculator::pick_site(const ScenarioCells& cells) {
    const Id country = pick_name("country", cells.country, tables_.countries);
    if (country == NameIndex::kNone)
        return std::nullopt;
    const NameList& regions = tables_.country_regions[static_cast<size_t>(country)];
    const int region = pick_item("climate_region", cells.climate_region, tables_.regions, regions,
                                 "country " + quoted(cells.country));
    if (region < 0)
        return std::nullopt;

    Site site;
    site.region = regions.ids[static_cast<size_t>(region)];
    site.region_text = regions.texts[static_cast<size_t>(region)];
    // A stock of the user's own, typed into the calculator once the site is picked.
    const bool stock_given = cells.carbon_stock && !trimmed(*cells.carbon_stock).empty();
    if (stock_given && amount("carbon_stock", *cells.carbon_stock)) {
        site.typed = true;
        site.reference = trimmed(*cells.carbon_stock);
    }
    site.soil = pick_name("soil_type", cells.soil_type, tables_.soil_types);
    if (site.soil != NameIndex::kNone && !stock_given) {
        const StoredValue& stock = tables_.reference_stocks.at(site.region, site.soil);
        const std::string where = "soil_type " + quoted(cells.soil_type) + " in climate_region " +
                                  quoted(site.region_text);
        if (has_no_value(stock)) {
            fail("no reference carbon stock for " + where + "; give one in carbon_stock");
        } else if (calculator::is_no_data_reference_stock(
                       numbers::leading_number(stock.text, separator_))) {
            fail("no reference carbon stock data (-999) for " + where +
                 "; give one in carbon_stock");
        } else {
            site.reference = stock.text;
        }
    }
    return site;
}

std::optional<ScenarioCalculator::System> ScenarioCalculator::pick_system(
    const Site& site, const SystemCells& cells, const std::string& prefix) {
    const size_t errors_before = errors_.size();
    const std::string land_use_column = prefix + "land_use";
    const NameList& land_uses = tables_.region_land_uses[static_cast<size_t>(site.region)];
    const int land_use = pick_item(land_use_column, cells.land_use, tables_.land_uses, land_uses,
                                   "climate_region " + quoted(site.region_text));
    if (land_use < 0)
        return std::nullopt;

    System system;
    system.land_use = land_uses.ids[static_cast<size_t>(land_use)];
    const std::string& land_use_text = land_uses.texts[static_cast<size_t>(land_use)];
    const std::string land_use_named = land_use_column + " " + quoted(land_use_text);
    const std::string in_region = " in climate_region " + quoted(site.region_text);
    const StoredValue& land_use_factor = tables_.land_use_factors.at(site.region, system.land_use);
    if (has_no_value(land_use_factor)) {
        fail("no land-use factor for " + land_use_named + in_region);
    } else if (calculator::is_no_data_land_use_factor(land_use_factor.text)) {
        fail("no land-use factor data (-999) for " + land_use_named + in_region);
    } else {
        system.factors.land_use_factor = land_use_factor.text;
    }

    const std::string management_column = prefix + "management";
    const NameList& managements =
        tables_.land_use_managements[static_cast<size_t>(system.land_use)];
    const int management = pick_item(management_column, cells.management, tables_.managements,
                                     managements, land_use_named, true);
    if (management < 0)
        return std::nullopt;
    system.management = managements.ids[static_cast<size_t>(management)];
    const std::string& management_text = managements.texts[static_cast<size_t>(management)];
    const bool grassland = calculator::takes_grassland_factors(land_use_text);
    const StoredValue& management_factor =
        tables_.management_factors[grassland].at(site.region, system.management);
    if (has_no_value(management_factor)) {
        fail("no management factor for " + management_column + " " + quoted(management_text) +
             (grassland ? " on grassland" : "") + in_region);
    } else {
        system.factors.management_factor = management_factor.text;
    }

    if (pick_input(site, cells, prefix, system, land_use_text, management_text, grassland) < 0 ||
        errors_.size() != errors_before)
        return std::nullopt;
    return system;
}

int ScenarioCalculator::pick_input(const Site& site, const SystemCells& cells,
                                   const std::string& prefix, System& system,
                                   std::string_view land_use_text, std::string_view management_text,
                                   bool grassland) {
    const std::string column = prefix + "input";
    // Grassland's management decides its input levels; other land uses offer their own.
    const std::string offered_by = grassland ? prefix + "management " + quoted(management_text)
                                             : prefix + "land_use " + quoted(land_use_text);
    const NameList* list = nullptr;
    switch (calculator::input_levels(land_use_text, grassland, management_text)) {
        case calculator::InputLevels::kInDisplayOrder:
            list = &tables_.land_use_inputs[static_cast<size_t>(system.land_use)];
            break;
        case calculator::InputLevels::kInStoredOrder:
            list = &tables_.land_use_stored_inputs[static_cast<size_t>(system.land_use)];
            break;
        case calculator::InputLevels::kFixedDoesNotApply: {
            const std::string_view name = trimmed(cells.input);
            if (!name.empty() && folded(name) != folded(calculator::kDoesNotApply)) {
                fail(column + " " + quoted(name) + " is not offered for " + offered_by +
                     ", which offers \"" + std::string(calculator::kDoesNotApply) + "\" only");
                return -1;
            }
            system.factors.input_factor = calculator::kFixedGrasslandInputFactor;
            return 0;
        }
        case calculator::InputLevels::kUnchanged:
            break;
    }
    if (!list) {
        fail(column + ": " + offered_by + " offers no input level");
        return -1;
    }
    const int input =
        pick_item(column, cells.input, tables_.inputs, *list, offered_by,
                  list == &tables_.land_use_inputs[static_cast<size_t>(system.land_use)]);
    if (input < 0)
        return -1;
    system.input = list->ids[static_cast<size_t>(input)];
    const StoredValue& input_factor = tables_.input_factors.at(site.region, system.input);
    if (has_no_value(input_factor)) {
        fail("no input factor for " + column + " " +
             quoted(list->texts[static_cast<size_t>(input)]) + " in climate_region " +
             quoted(site.region_text));
        return -1;
    }
    system.factors.input_factor = input_factor.text;
    return input;
}

int ScenarioCalculator::pick_item(const std::string& column, std::string_view cell,
                                  const NameIndex& names, const NameList& list,
                                  const std::string& offered_by, bool first_item_selected) {
    const std::string_view name = trimmed(cell);
    if (list.empty()) {
        fail(column + ": " + offered_by + " offers nothing to choose");
        return -1;
    }
    if (name.empty()) {
        if (first_item_selected && calculator::keeps_first_item(list.texts.front()))
            return 0;
        const int does_not_apply = list.position_of_text(calculator::kDoesNotApply);
        if (does_not_apply < 0)
            fail(column + " is empty; " + offered_by + " offers " + named_items(list));
        return does_not_apply;
    }
    const Id id = names.find_cell(cell);
    const int position = id == NameIndex::kNone ? -1 : list.position_of(id);
    if (position >= 0)
        return position;
    if (id == NameIndex::kNone) {
        fail(column + " " + quoted(name) + " is unknown" + did_you_mean(name, list.texts));
    } else {
        fail(column + " " + quoted(name) + " is not offered for " + offered_by + ", which offers " +
             named_items(list));
    }
    return -1;
}

Id ScenarioCalculator::pick_name(const std::string& column, std::string_view cell,
                                 const NameIndex& names) {
    const std::string_view name = trimmed(cell);
    if (name.empty()) {
        fail(column + " is empty");
        return NameIndex::kNone;
    }
    const Id id = names.find_cell(cell);
    if (id == NameIndex::kNone)
        fail(column + " " + quoted(name) + " is unknown" + did_you_mean(name, names.texts()));
    return id;
}

std::optional<numbers::Decimal> ScenarioCalculator::amount(const std::string& column,
                                                           std::string_view cell) {
    const std::optional<numbers::Decimal> value = numbers::strict_decimal(cell, separator_);
    if (!value) {
        std::string message = column + " " + quoted(cell) + " is not a number";
        if (separator_.character != '.')
            message += std::string(" (the decimal separator is \"") + separator_.character + "\")";
        fail(message);
    } else if (value->negative()) {
        fail(column + " " + quoted(cell) + " is negative");
    } else if (std::isinf(value->to_double())) {
        fail(column + " " + quoted(cell) + " is not finite");
    } else {
        return value;
    }
    return std::nullopt;
}

std::string ScenarioCalculator::did_you_mean(std::string_view cell,
                                             const std::vector<std::string>& names) {
    // Rows with the same slip ask the same question: answered once.
    std::string key = std::to_string(reinterpret_cast<uintptr_t>(&names)) + '\x1f' + folded(cell);
    auto found = suggestions_.find(key);
    if (found == suggestions_.end()) {
        if (suggestions_.size() >= kMaxSuggestions)
            suggestions_.clear();
        const std::string nearest = nearest_name(cell, names);
        found = suggestions_
                    .emplace(std::move(key),
                             nearest.empty() ? "" : "; did you mean " + quoted(nearest) + "?")
                    .first;
    }
    return found->second;
}

const ScenarioCalculator::Stock& ScenarioCalculator::stock_of(const Site& site,
                                                              const System& system,
                                                              const std::string& prefix,
                                                              Stock& unshared, size_t& index) {
    if (site.typed) {
        compute_stock(site, system, prefix, unshared);
        index = kNotShared;
        return unshared;
    }
    const StockKey key{site.region, site.soil, system.land_use, system.management, system.input};
    auto [found, added] = stock_index_.try_emplace(key, stocks_.size());
    if (added)
        compute_stock(site, system, prefix, stocks_.emplace_back());
    index = found->second;
    return stocks_[index];
}

void ScenarioCalculator::compute_stock(const Site& site, const System& system,
                                       const std::string& prefix, Stock& stock) const {
    const std::string land_use = prefix + "land_use_factor";
    const std::string management = prefix + "management_factor";
    const std::string input = prefix + "input_factor";
    try {
        stock.exact = calculator::predicted_stock(
            {site.typed ? "carbon_stock" : "reference_stock", site.reference},
            {land_use, system.factors.land_use_factor},
            {management, system.factors.management_factor}, {input, system.factors.input_factor},
            separator_);
        stock.text = calculator::stock_text(stock.exact, separator_);
        stock.error.clear();
    } catch (const Failure& failure) {
        stock.error = failure.number() == failures::overflow().number()
                          ? prefix + "stock is beyond the range of numbers"
                          : failure.description();
    }
}

const ScenarioCalculator::Change& ScenarioCalculator::change_of(const Stock& from,
                                                                size_t from_index, const Stock& to,
                                                                size_t to_index) {
    if (from_index == kNotShared || to_index == kNotShared) {
        compute_change(from, to, typed_change_);
        return typed_change_;
    }
    auto [found, added] = changes_.try_emplace(static_cast<uint64_t>(from_index) << 32 | to_index);
    if (added)
        compute_change(from, to, found->second);
    return found->second;
}

void ScenarioCalculator::compute_change(const Stock& from, const Stock& to, Change& change) const {
    try {
        // The calculator computes the change from the stocks as it shows them, rounded.
        change.text = calculator::change_text(
            calculator::annual_change_of_shown(from.text, to.text, separator_), separator_);
        // The total over an area starts from the exact stocks, so no rounding step is
        // multiplied by the area.
        change.exact = calculator::annual_change(from.exact, to.exact);
        change.error.clear();
    } catch (const Failure&) {
        change.error = "annual_change is beyond the range of numbers";
    }
}

}  // namespace humo::batch
