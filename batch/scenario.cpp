#include "scenario.h"

#include <array>
#include <cmath>

#include "carbon_arithmetic.h"
#include "failure.h"
#include "list_rules.h"
#include "number_text.h"

namespace humo::batch {
namespace {

// Rows share this many stocks at most; beyond it the shared ones start afresh, so memory stays
// bounded whatever the file holds.
constexpr size_t kMaxShared = 1 << 16;
// Cells padded with blanks still name a site: the memory their keys take is bounded too.
constexpr size_t kMaxSharedBytes = 8 << 20;
constexpr size_t kMaxSuggestions = 1 << 12;
// A table position takes 16 bits of a shared stock's key; the fixed input level the last.
constexpr uint64_t kPositionLimit = 0xFFFF;
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

std::string text(std::string_view view) { return std::string(view); }

// A stock as shown, one decimal, in tenths: when it has few enough digits that the difference
// of two cannot overflow.
std::optional<int64_t> tenths_of(std::string_view shown) {
    const bool negative = shown.starts_with('-');
    if (negative)
        shown.remove_prefix(1);
    constexpr size_t kMostDigits = 17;
    if (shown.size() < 3 || shown.size() > kMostDigits + 1)
        return std::nullopt;
    const size_t separator_at = shown.size() - 2;
    int64_t tenths = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        if (i == separator_at)
            continue;
        if (shown[i] < '0' || shown[i] > '9')
            return std::nullopt;
        tenths = tenths * 10 + (shown[i] - '0');
    }
    return negative ? -tenths : tenths;
}

// The annual change of two shown stocks `difference` tenths apart, as the calculator shows it:
// difference / 10 / 20 is difference / 2 hundredths, its halves rounded away from zero.
void write_change_of_tenths(int64_t difference, char separator, std::string& text) {
    const int64_t hundredths = difference / 2 + difference % 2;
    uint64_t magnitude =
        hundredths < 0 ? 0 - static_cast<uint64_t>(hundredths) : static_cast<uint64_t>(hundredths);
    // Written from its end: two decimals, the separator, the whole part and the sign.
    std::array<char, 32> digits;
    char* const end = digits.data() + digits.size();
    char* at = end;
    for (int decimal = 0; decimal < 2; ++decimal, magnitude /= 10)
        *--at = static_cast<char>('0' + magnitude % 10);
    *--at = separator;
    do {
        *--at = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    if (hundredths < 0)
        *--at = '-';
    text.assign(at, end);
}

// "column "value"", for a message.
std::string named(std::string_view column, std::string_view value) {
    return text(column) + " " + quoted(value);
}

}  // namespace

const ScenarioCalculator::SystemColumns ScenarioCalculator::kFrom = {
    "from_land_use",          "from_management",   "from_input", "from_land_use_factor",
    "from_management_factor", "from_input_factor", "from_stock"};
const ScenarioCalculator::SystemColumns ScenarioCalculator::kTo = {
    "to_land_use",          "to_management",   "to_input", "to_land_use_factor",
    "to_management_factor", "to_input_factor", "to_stock"};

ScenarioCalculator::ScenarioCalculator(const ScenarioTables& tables)
    : tables_(tables), separator_(tables.separator) {
    for (size_t size : {tables.reference_stocks.size(), tables.land_use_factors.size(),
                        2 * tables.management_factors[0].size(), tables.input_factors.size()}) {
        if (size >= kPositionLimit)
            shared_ = false;
    }
}

const ScenarioResult& ScenarioCalculator::compute(const ScenarioCells& cells) {
    result_.reference_stock = {};
    result_.from = {};
    result_.to = {};
    result_.annual_change = {};
    result_.total_annual_change = {};
    result_.error.clear();
    errors_.clear();
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

    std::optional<Site> site = site_of(cells);
    std::optional<System> from;
    std::optional<System> to;
    if (site) {
        from = system_of(*site, cells.from, kFrom);
        to = system_of(*site, cells.to, kTo);
    }
    std::optional<numbers::Decimal> area;
    if (cells.area_ha && !trimmed(*cells.area_ha).empty())
        area = amount("area_ha", *cells.area_ha);

    if (errors_.empty()) {
        const Stock& from_stock = stock_of(*site, *from, kFrom, typed_from_);
        const Stock& to_stock = stock_of(*site, *to, kTo, typed_to_);
        for (const Stock* stock : {&from_stock, &to_stock}) {
            if (!stock->error.empty())
                fail(stock->error);
        }
        if (errors_.empty()) {
            if (!compute_change(from_stock, to_stock))
                fail("annual_change is beyond the range of numbers");
            if (errors_.empty() && area)
                total_over(from_stock, to_stock, *area);
            if (errors_.empty()) {
                result_.reference_stock = site->reference;
                result_.from = from->factors;
                result_.from.stock = from_stock.text;
                result_.to = to->factors;
                result_.to.stock = to_stock.text;
                result_.annual_change = change_text_;
            }
        }
    }
    if (!errors_.empty()) {
        result_.total_annual_change = {};
        for (const std::string& error : errors_)
            result_.error += (result_.error.empty() ? "" : "; ") + error;
    }
    return result_;
}

std::optional<ScenarioCalculator::Site> ScenarioCalculator::site_of(const ScenarioCells& cells) {
    // A typed stock belongs to its row alone.
    if (cells.carbon_stock && !trimmed(*cells.carbon_stock).empty())
        return pick_site(cells);
    const CellMemo::Cells key = {cells.country, cells.climate_region, cells.soil_type};
    if (const int32_t found = site_index_.find(0, key); found != CellMemo::kNone)
        return sites_[static_cast<size_t>(found)];
    const size_t errors_before = errors_.size();
    std::optional<Site> site = pick_site(cells);
    if (site && errors_.size() == errors_before) {
        site_index_.insert(0, key, static_cast<int32_t>(sites_.size()));
        sites_.push_back(*site);
    }
    return site;
}

std::optional<ScenarioCalculator::System> ScenarioCalculator::system_of(
    const Site& site, const SystemCells& cells, const SystemColumns& columns) {
    // FROM and TO pick alike from the same cells; only their messages differ.
    const CellMemo::Cells key = {cells.land_use, cells.management, cells.input};
    if (const int32_t found = system_index_.find(site.region, key); found != CellMemo::kNone)
        return systems_[static_cast<size_t>(found)];
    std::optional<System> system = pick_system(site, cells, columns);
    if (system) {
        system_index_.insert(site.region, key, static_cast<int32_t>(systems_.size()));
        systems_.push_back(*system);
    }
    return system;
}

std::optional<ScenarioCalculator::Site> ScenarioCalculator::pick_site(const ScenarioCells& cells) {
    const Id country = pick_name("country", cells.country, tables_.countries);
    if (country == NameIndex::kNone)
        return std::nullopt;
    const NameList& regions = tables_.country_regions[static_cast<size_t>(country)];
    const int region = pick_item("climate_region", cells.climate_region, tables_.regions, regions,
                                 {"country", cells.country});
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
        site.stock_position = tables_.reference_stocks.position(site.region, site.soil);
        const StoredValue& stock = tables_.reference_stocks.at(site.region, site.soil);
        auto where = [&] {
            return named("soil_type", cells.soil_type) + " in " +
                   named("climate_region", site.region_text) + "; give one in carbon_stock";
        };
        if (has_no_value(stock)) {
            fail("no reference carbon stock for " + where());
        } else if (calculator::is_no_data_reference_stock(stock.leading_number)) {
            fail("no reference carbon stock data (-999) for " + where());
        } else {
            site.reference = stock.text;
        }
    }
    return site;
}

std::optional<ScenarioCalculator::System> ScenarioCalculator::pick_system(
    const Site& site, const SystemCells& cells, const SystemColumns& columns) {
    const size_t errors_before = errors_.size();
    const NameList& land_uses = tables_.region_land_uses[static_cast<size_t>(site.region)];
    const int land_use = pick_item(columns.land_use, cells.land_use, tables_.land_uses, land_uses,
                                   {"climate_region", site.region_text});
    if (land_use < 0)
        return std::nullopt;

    System system;
    system.land_use = land_uses.ids[static_cast<size_t>(land_use)];
    const std::string& land_use_text = land_uses.texts[static_cast<size_t>(land_use)];
    auto in_region = [&] { return " in " + named("climate_region", site.region_text); };
    system.land_use_position = tables_.land_use_factors.position(site.region, system.land_use);
    const StoredValue& land_use_factor = tables_.land_use_factors.at(site.region, system.land_use);
    if (has_no_value(land_use_factor)) {
        fail("no land-use factor for " + named(columns.land_use, land_use_text) + in_region());
    } else if (calculator::is_no_data_land_use_factor(land_use_factor.text)) {
        fail("no land-use factor data (-999) for " + named(columns.land_use, land_use_text) +
             in_region());
    } else {
        system.factors.land_use_factor = land_use_factor.text;
    }

    const NameList& managements =
        tables_.land_use_managements[static_cast<size_t>(system.land_use)];
    const int management = pick_item(columns.management, cells.management, tables_.managements,
                                     managements, {columns.land_use, land_use_text}, true);
    if (management < 0)
        return std::nullopt;
    system.management = managements.ids[static_cast<size_t>(management)];
    const std::string& management_text = managements.texts[static_cast<size_t>(management)];
    const bool grassland = calculator::takes_grassland_factors(land_use_text);
    const ValueGrid& management_factors = tables_.management_factors[grassland];
    system.management_position = management_factors.position(site.region, system.management) +
                                 (grassland ? management_factors.size() : 0);
    const StoredValue& management_factor = management_factors.at(site.region, system.management);
    if (has_no_value(management_factor)) {
        fail("no management factor for " + named(columns.management, management_text) +
             (grassland ? " on grassland" : "") + in_region());
    } else {
        system.factors.management_factor = management_factor.text;
    }

    if (!pick_input(site, cells, columns, system, land_use_text, management_text, grassland) ||
        errors_.size() != errors_before)
        return std::nullopt;
    return system;
}

bool ScenarioCalculator::pick_input(const Site& site, const SystemCells& cells,
                                    const SystemColumns& columns, System& system,
                                    std::string_view land_use_text,
                                    std::string_view management_text, bool grassland) {
    // Grassland's management decides its input levels; other land uses offer their own.
    const Named offered_by = grassland ? Named{columns.management, management_text}
                                       : Named{columns.land_use, land_use_text};
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
            if (!name.empty() && !same_name(name, calculator::kDoesNotApply)) {
                fail(named(columns.input, name) + " is not offered for " +
                     named(offered_by.column, offered_by.value) + ", which offers \"" +
                     text(calculator::kDoesNotApply) + "\" only");
                return false;
            }
            system.factors.input_factor = calculator::kFixedGrasslandInputFactor;
            system.input_position = kPositionLimit;
            return true;
        }
        case calculator::InputLevels::kUnchanged:
            break;
    }
    if (!list) {
        fail(text(columns.input) + ": " + named(offered_by.column, offered_by.value) +
             " offers no input level");
        return false;
    }
    const int input =
        pick_item(columns.input, cells.input, tables_.inputs, *list, offered_by,
                  list == &tables_.land_use_inputs[static_cast<size_t>(system.land_use)]);
    if (input < 0)
        return false;
    system.input = list->ids[static_cast<size_t>(input)];
    system.input_position = tables_.input_factors.position(site.region, system.input);
    const StoredValue& input_factor = tables_.input_factors.at(site.region, system.input);
    if (has_no_value(input_factor)) {
        fail("no input factor for " +
             named(columns.input, list->texts[static_cast<size_t>(input)]) + " in " +
             named("climate_region", site.region_text));
        return false;
    }
    system.factors.input_factor = input_factor.text;
    return true;
}

int ScenarioCalculator::pick_item(std::string_view column, std::string_view cell,
                                  const NameIndex& names, const NameList& list,
                                  const Named& offered_by, bool first_item_selected) {
    const std::string_view name = trimmed(cell);
    if (list.empty()) {
        fail(text(column) + ": " + named(offered_by.column, offered_by.value) +
             " offers nothing to choose");
        return -1;
    }
    if (name.empty()) {
        if (first_item_selected && calculator::keeps_first_item(list.texts.front()))
            return 0;
        const int does_not_apply = list.position_of_text(calculator::kDoesNotApply);
        if (does_not_apply < 0) {
            fail(text(column) + " is empty; " + named(offered_by.column, offered_by.value) +
                 " offers " + named_items(list));
        }
        return does_not_apply;
    }
    const Id id = names.find_cell(cell);
    const int position = id == NameIndex::kNone ? -1 : list.position_of(id);
    if (position >= 0)
        return position;
    if (id == NameIndex::kNone) {
        fail(named(column, name) + " is unknown" + did_you_mean(name, list.texts));
    } else {
        fail(named(column, name) + " is not offered for " +
             named(offered_by.column, offered_by.value) + ", which offers " + named_items(list));
    }
    return -1;
}

Id ScenarioCalculator::pick_name(std::string_view column, std::string_view cell,
                                 const NameIndex& names) {
    const std::string_view name = trimmed(cell);
    if (name.empty()) {
        fail(text(column) + " is empty");
        return NameIndex::kNone;
    }
    const Id id = names.find_cell(cell);
    if (id == NameIndex::kNone)
        fail(named(column, name) + " is unknown" + did_you_mean(name, names.texts()));
    return id;
}

std::optional<numbers::Decimal> ScenarioCalculator::amount(std::string_view column,
                                                           std::string_view cell) {
    const std::optional<numbers::Decimal> value = numbers::strict_decimal(cell, separator_);
    if (!value) {
        std::string message = named(column, cell) + " is not a number";
        if (separator_.character != '.')
            message += std::string(" (the decimal separator is \"") + separator_.character + "\")";
        fail(message);
    } else if (value->negative()) {
        fail(named(column, cell) + " is negative");
    } else if (std::isinf(value->to_double())) {
        fail(named(column, cell) + " is not finite");
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
                                                              const SystemColumns& columns,
                                                              Stock& unshared) {
    if (site.typed || !shared_) {
        compute_stock(site, system, columns, unshared);
        return unshared;
    }
    const uint64_t key = site.stock_position | system.land_use_position << 16 |
                         system.management_position << 32 | system.input_position << 48;
    uint32_t index = stock_index_.find(key);
    if (index == NumberMap::kNone) {
        index = static_cast<uint32_t>(stocks_.size());
        stock_index_.insert(key, index);
        compute_stock(site, system, columns, stocks_.emplace_back());
    }
    return stocks_[index];
}

void ScenarioCalculator::compute_stock(const Site& site, const System& system,
                                       const SystemColumns& columns, Stock& stock) const {
    try {
        stock.exact = calculator::predicted_stock(
            {site.typed ? "carbon_stock" : "reference_stock", site.reference},
            {columns.land_use_factor, system.factors.land_use_factor},
            {columns.management_factor, system.factors.management_factor},
            {columns.input_factor, system.factors.input_factor}, separator_);
        stock.text = calculator::stock_text(stock.exact, separator_);
        stock.tenths = tenths_of(stock.text);
        stock.error.clear();
    } catch (const Failure& failure) {
        stock.error = failure.number() == failures::overflow().number()
                          ? text(columns.stock) + " is beyond the range of numbers"
                          : failure.description();
    }
}

bool ScenarioCalculator::compute_change(const Stock& from, const Stock& to) {
    // The calculator computes the change from the stocks as it shows them, rounded.
    if (from.tenths && to.tenths) {
        write_change_of_tenths(*to.tenths - *from.tenths, separator_.character, change_text_);
        return true;
    }
    try {
        change_text_ = calculator::change_text(
            calculator::annual_change_of_shown(from.text, to.text, separator_), separator_);
        return true;
    } catch (const Failure&) {
        return false;
    }
}

void ScenarioCalculator::total_over(const Stock& from, const Stock& to,
                                    const numbers::Decimal& area) {
    try {
        // From the exact stocks, so that no rounding step is multiplied by the area.
        const numbers::Decimal total = calculator::annual_change(from.exact, to.exact) * area;
        if (!std::isinf(total.to_double())) {
            total_text_ = calculator::change_text(total, separator_);
            result_.total_annual_change = total_text_;
            return;
        }
    } catch (const Failure&) {
    }
    fail("total_annual_change is beyond the range of numbers");
}

}  // namespace humo::batch
