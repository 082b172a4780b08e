#include "scenario_rules.h"

#include <cmath>

#include "carbon_arithmetic.h"
#include "failure.h"
#include "number_rules.h"
#include "number_text.h"
#include "system_lookups.h"

namespace humo::engine {
namespace {

constexpr size_t kMaxSuggestions = 1 << 12;
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

std::string text(std::string_view view) { return std::string(view); }

// "column "value"", for a message.
std::string named(std::string_view column, std::string_view value) {
    return text(column) + " " + quoted(value);
}

}  // namespace

const SystemColumns kFromColumns = {
    "from_land_use",          "from_management",   "from_input", "from_land_use_factor",
    "from_management_factor", "from_input_factor", "from_stock"};
const SystemColumns kToColumns = {
    "to_land_use",          "to_management",   "to_input", "to_land_use_factor",
    "to_management_factor", "to_input_factor", "to_stock"};

ScenarioRules::ScenarioRules(const MemoryTables& tables)
    : tables_(tables), separator_(tables.separator) {}

std::optional<Site> ScenarioRules::pick_site(const ScenarioCells& cells) {
    const Id country = pick_name("country", cells.country, tables_.country_names);
    if (country == kNoName)
        return std::nullopt;
    const NameList& regions = tables_.climate_regions(tables_.country_names.text(country));
    const int region = pick_item("climate_region", cells.climate_region, tables_.region_names,
                                 regions, {"country", cells.country}, false);
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
    site.soil = pick_name("soil_type", cells.soil_type, tables_.soil_names);
    if (site.soil != kNoName && !stock_given) {
        const StoredValue& stock =
            tables_.reference_stock(site.region_text, tables_.soil_names.text(site.soil));
        site.stock_position = stock.position;
        auto where = [&] {
            return named("soil_type", cells.soil_type) + " in " +
                   named("climate_region", site.region_text) + "; give one in carbon_stock";
        };
        if (!stock.has_text()) {
            fail("no reference carbon stock for " + where());
        } else if (is_no_data_reference_stock(stock.leading_number)) {
            fail("no reference carbon stock data (-999) for " + where());
        } else {
            site.reference = stock.text;
        }
    }
    return site;
}

std::optional<System> ScenarioRules::pick_system(const Site& site, const SystemCells& cells,
                                                 const SystemColumns& columns) {
    const size_t errors_before = errors_.size();
    const NameList& land_uses = tables_.land_uses(site.region_text);
    const int land_use_at = pick_item(columns.land_use, cells.land_use, tables_.land_use_names,
                                      land_uses, {"climate_region", site.region_text}, false);
    if (land_use_at < 0)
        return std::nullopt;

    System system;
    const std::string& land_use = land_uses.texts[static_cast<size_t>(land_use_at)];
    system.land_use = land_use;
    auto in_region = [&] { return " in " + named("climate_region", site.region_text); };
    const StoredValue& land_use_factor = tables_.land_use_factor(site.region_text, land_use);
    system.land_use_position = land_use_factor.position;
    if (!land_use_factor.has_text()) {
        fail("no land-use factor for " + named(columns.land_use, land_use) + in_region());
    } else if (is_no_data_land_use_factor(land_use_factor.text)) {
        fail("no land-use factor data (-999) for " + named(columns.land_use, land_use) +
             in_region());
    } else {
        system.factors.land_use_factor = land_use_factor.text;
    }

    const NameList& managements = tables_.managements(land_use);
    // A management list selects its first item as it is filled.
    const int management_at =
        pick_item(columns.management, cells.management, tables_.management_names, managements,
                  {columns.land_use, land_use}, true);
    if (management_at < 0)
        return std::nullopt;
    const std::string& management = managements.texts[static_cast<size_t>(management_at)];
    system.management = management;
    const StoredValue& management_factor =
        engine::management_factor(tables_, site.region_text, land_use, management);
    system.management_position = management_factor.position;
    if (!management_factor.has_text()) {
        fail("no management factor for " + named(columns.management, management) +
             (takes_grassland_factors(land_use) ? " on grassland" : "") + in_region());
    } else {
        system.factors.management_factor = management_factor.text;
    }

    if (!pick_input(site, cells, columns, system, land_use, management) ||
        errors_.size() != errors_before)
        return std::nullopt;
    return system;
}

bool ScenarioRules::pick_input(const Site& site, const SystemCells& cells,
                               const SystemColumns& columns, System& system,
                               std::string_view land_use, std::string_view management) {
    const bool grassland = takes_grassland_factors(land_use);
    // Grassland's management decides its input levels; other land uses offer their own.
    const Named offered_by =
        grassland ? Named{columns.management, management} : Named{columns.land_use, land_use};
    const InputLevels levels = input_levels(land_use, grassland, management);
    if (levels == InputLevels::kUnchanged) {
        fail(text(columns.input) + ": " + named(offered_by.column, offered_by.value) +
             " offers no input level");
        return false;
    }
    if (levels == InputLevels::kFixedDoesNotApply) {
        const std::string_view name = trimmed(cells.input);
        if (!name.empty() && !same_name(name, kDoesNotApply)) {
            fail(named(columns.input, name) + " is not offered for " +
                 named(offered_by.column, offered_by.value) + ", which offers \"" +
                 text(kDoesNotApply) + "\" only");
            return false;
        }
    } else {
        const NameList& list = input_list(tables_, land_use, levels);
        const int input = pick_item(columns.input, cells.input, tables_.input_names, list,
                                    offered_by, selects_first_item(levels));
        if (input < 0)
            return false;
        const StoredValue& factor = engine::input_factor(tables_, site.region_text, levels,
                                                         list.texts[static_cast<size_t>(input)]);
        system.input_position = factor.position;
        if (!factor.has_text()) {
            fail("no input factor for " +
                 named(columns.input, list.texts[static_cast<size_t>(input)]) + " in " +
                 named("climate_region", site.region_text));
            return false;
        }
        system.factors.input_factor = factor.text;
        system.input = list.texts[static_cast<size_t>(input)];
        return true;
    }
    const StoredValue& fixed = engine::input_factor(tables_, site.region_text, levels, {});
    system.input_position = fixed.position;
    system.factors.input_factor = fixed.text;
    system.input = kDoesNotApply;
    return true;
}

int ScenarioRules::pick_item(std::string_view column, std::string_view cell, const NameIndex& names,
                             const NameList& list, const Named& offered_by,
                             bool first_item_selected) {
    const std::string_view name = trimmed(cell);
    if (list.empty()) {
        fail(text(column) + ": " + named(offered_by.column, offered_by.value) +
             " offers nothing to choose");
        return -1;
    }
    if (name.empty()) {
        if (first_item_selected && keeps_first_item(list.texts.front()))
            return 0;
        const int does_not_apply = list.position_of_text(kDoesNotApply);
        if (does_not_apply < 0) {
            fail(text(column) + " is empty; " + named(offered_by.column, offered_by.value) +
                 " offers " + named_items(list));
        }
        return does_not_apply;
    }
    const Id id = names.find_cell(cell);
    const int position = id == kNoName ? -1 : list.position_of(id);
    if (position >= 0)
        return position;
    if (id == kNoName) {
        fail(named(column, name) + " is unknown" + did_you_mean(name, list.texts));
    } else {
        fail(named(column, name) + " is not offered for " +
             named(offered_by.column, offered_by.value) + ", which offers " + named_items(list));
    }
    return -1;
}

Id ScenarioRules::pick_name(std::string_view column, std::string_view cell,
                            const NameIndex& names) {
    const std::string_view name = trimmed(cell);
    if (name.empty()) {
        fail(text(column) + " is empty");
        return kNoName;
    }
    const Id id = names.find_cell(cell);
    if (id == kNoName)
        fail(named(column, name) + " is unknown" + did_you_mean(name, names.texts()));
    return id;
}

std::optional<numbers::Decimal> ScenarioRules::amount(std::string_view column,
                                                      std::string_view cell) {
    const CheckedNumber checked = check_number(cell, separator_, false);
    if (checked.problem == NumberProblem::kNone)
        return checked.value;
    fail(named(column, cell) + " " + problem_text(checked.problem, separator_, false));
    return std::nullopt;
}

std::string ScenarioRules::did_you_mean(std::string_view cell,
                                        const std::vector<std::string>& names) {
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

void ScenarioRules::compute_stock(const Site& site, const System& system,
                                  const SystemColumns& columns, Stock& stock) const {
    try {
        stock.exact =
            predicted_stock({site.typed ? "carbon_stock" : "reference_stock", site.reference},
                            {columns.land_use_factor, system.factors.land_use_factor},
                            {columns.management_factor, system.factors.management_factor},
                            {columns.input_factor, system.factors.input_factor}, separator_);
        stock.text = stock_text(stock.exact, separator_);
        stock.tenths = shown_tenths(stock.text);
        stock.error.clear();
    } catch (const Failure& failure) {
        stock.error = failure.number() == failures::overflow().number()
                          ? text(columns.stock) + " is beyond the range of numbers"
                          : failure.description();
    }
}

bool ScenarioRules::compute_change(const Stock& from, const Stock& to, std::string& text) const {
    // The calculator computes the change from the stocks as it shows them, rounded.
    if (from.tenths && to.tenths) {
        write_change_of_tenths(*from.tenths, *to.tenths, separator_.character, text);
        return true;
    }
    try {
        text = change_text(annual_change_of_shown(from.text, to.text, separator_), separator_);
        return true;
    } catch (const Failure&) {
        return false;
    }
}

bool ScenarioRules::compute_total(const Stock& from, const Stock& to, const numbers::Decimal& area,
                                  std::string& text) const {
    try {
        // From the exact stocks, so that no rounding step is multiplied by the area.
        const numbers::Decimal total = annual_change(from.exact, to.exact) * area;
        if (!std::isinf(total.to_double())) {
            text = change_text(total, separator_);
            return true;
        }
    } catch (const Failure&) {
    }
    return false;
}

}  // namespace humo::engine
