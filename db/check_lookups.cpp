// Replays the calculator's lookups for every choice its lists can offer, and reports the
// choices that find no row. The queries run on the database itself, so its collations decide
// what matches, as they do for the calculator. A choice that matches only when case and blanks
// are ignored is left to the spelling check.

#include <algorithm>
#include <functional>
#include <map>
#include <set>

#include "check_context.h"
#include "live_tables.h"
#include "system_lookups.h"

namespace humo::db::check {
namespace {

using Texts = std::vector<std::string>;

void bind_all(Statement& statement, const Texts& parameters) {
    for (size_t i = 0; i < parameters.size(); ++i)
        statement.bind(static_cast<int>(i) + 1, std::string_view(parameters[i]));
}

// The first column of every row, without NULL and blank names (reported on their own).
Texts texts(CheckContext& context, const std::string& sql, const Texts& parameters = {}) {
    Statement rows(context.file(), sql);
    bind_all(rows, parameters);
    Texts result;
    while (rows.step()) {
        if (!rows.is_null(0) && !loose(rows.text(0)).empty())
            result.push_back(rows.text(0));
    }
    return result;
}

bool any_row(CheckContext& context, const std::string& sql, const Texts& parameters) {
    Statement rows(context.file(), sql);
    bind_all(rows, parameters);
    return rows.step();
}

// The rows a single-value lookup finds: rowid and whether the value is the number -999.
std::vector<std::pair<int64_t, bool>> lookup(CheckContext& context, const std::string& sql,
                                             const Texts& parameters) {
    Statement rows(context.file(), sql);
    bind_all(rows, parameters);
    std::vector<std::pair<int64_t, bool>> found;
    while (rows.step())
        found.emplace_back(rows.integer(0), rows.number(1) == engine::kNoDataValue);
    return found;
}

// "WHERE a = ? AND b = ?", exactly as the calculator asks, or ignoring case and blanks.
std::string where(const Texts& columns, bool loosely) {
    std::string sql;
    for (const std::string& column : columns) {
        sql += sql.empty() ? " WHERE " : " AND ";
        sql += loosely ? loose_sql(quoted_name(column)) + " = " + loose_sql("?")
                       : quoted_name(column) + " = ?";
    }
    return sql;
}

// The names a list of the calculator offers, without blank names (reported on their own).
Texts offered(const engine::NameList& list) {
    Texts names;
    for (const std::string& name : list.texts) {
        if (!loose(name).empty())
            names.push_back(name);
    }
    return names;
}

bool contains(const Texts& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool contains_loosely(const Texts& names, std::string_view name) {
    return std::any_of(names.begin(), names.end(), [&](const std::string& candidate) {
        return loose(candidate) == loose(name);
    });
}

// What the lists of the calculator can offer.
struct Offers {
    Texts regions;
    Texts soil_types;
    Texts land_use_types;
    // The land-use types of each region whose management and input lists a user can reach,
    // and those whose land-use factor is -999: picking one of these resets the system before
    // any of its factors is used.
    std::map<std::string, Texts> land_use_types_of_region;
    std::map<std::string, Texts> stopped_land_use_types_of_region;
    std::map<std::string, Texts> management_of;
    std::map<std::string, Texts> inputs_of;
};

// The checks ask the calculator's engine what its lists offer and which rows its picks read,
// and look at those rows themselves.
class LookupCheck {
public:
    LookupCheck(CheckContext& context, const engine::TableSource& tables)
        : context_(context), tables_(tables) {}

    void run() {
        if (context_.has("tbl_climate_zone_lookup", {"climate_region_code"}) &&
            context_.has("tbl_climate_regions", {"region", "climate_region"})) {
            check_region_codes();
            if (context_.has("tbl_climate_zone_lookup", {"country_name"}))
                read_regions();
        }
        if (context_.has("c_stocks", {"soil_type", "humoclim", "c_stock_Mg_ha"})) {
            offers_.soil_types = offered(tables_.soil_types());
            check_carbon_stocks();
        }
        if (context_.has("tbl_systems", {"system", "climate_region", "land_use_factor"})) {
            offers_.land_use_types = texts(context_, "SELECT DISTINCT system FROM tbl_systems");
            for (const std::string& region : offers_.regions)
                sort_land_use_types(region);
            check_land_use_grid();
            check_named_land_use_type(kResetLandUseType,
                                      "the calculator resets a land-use type without a factor "
                                      "to it");
            check_named_land_use_type(kGrassland,
                                      "the calculator takes the grassland factors for it");
        }
        if (context_.has("tbl_management_type",
                         {"system", "management_type", "management_order"})) {
            read_lists(
                "tbl_management_type", offers_.management_of,
                "no management systems for this land-use type",
                [this](const std::string& type) -> auto& { return tables_.managements(type); });
            check_improved();
        }
        if (context_.has("tbl_input_type", {"system", "input_type", "input_order"})) {
            read_lists(
                "tbl_input_type", offers_.inputs_of,
                "no input levels for this land-use type", [this](const std::string& type) -> auto& {
                    return tables_.inputs(type, engine::InputOrder::kDisplay);
                });
        }
        if (context_.has("tbl_management_factors", {"climate_region", "management_type",
                                                    "grassland_other", "management_factor"})) {
            check_management_factors();
        }
        if (context_.has("tbl_input_factors", {"climate_region", "input_type", "input_factor"}))
            check_input_factors();
    }

private:
    void add(CheckGroup group, Severity severity, std::string_view table, std::string_view column,
             std::string value, std::string problem) {
        context_.add(group, severity, std::string(table), std::string(column), std::move(value),
                     std::move(problem));
    }

    // True when a row matches the lookup, exactly or ignoring case and blanks.
    bool found_loosely(std::string_view table, const Texts& columns, const Texts& values) {
        return any_row(context_, "SELECT 1 FROM " + quoted_name(table) + where(columns, true),
                       values);
    }

    void check_region_codes() {
        Statement codes(context_.file(),
                        "SELECT DISTINCT climate_region_code FROM tbl_climate_zone_lookup AS z "
                        "WHERE climate_region_code IS NOT NULL AND NOT EXISTS (SELECT 1 FROM "
                        "tbl_climate_regions AS r WHERE r.region = z.climate_region_code)");
        while (codes.step()) {
            std::string countries;
            if (context_.has("tbl_climate_zone_lookup", {"country_name"})) {
                Statement names(context_.file(),
                                "SELECT DISTINCT country_name FROM tbl_climate_zone_lookup "
                                "WHERE climate_region_code = ? AND country_name IS NOT NULL");
                names.bind(1, std::string_view(codes.text(0)));
                while (names.step())
                    countries += (countries.empty() ? "" : ", ") + names.text(0);
            }
            add(CheckGroup::kClimateRegions, Severity::kError, "tbl_climate_zone_lookup",
                "climate_region_code", shown(codes, 0),
                "no climate region with this code in tbl_climate_regions" +
                    (countries.empty() ? std::string() : " (countries: " + countries + ")"));
        }
    }

    // Every region some country offers, once.
    void read_regions() {
        for (const std::string& country : offered(tables_.countries())) {
            for (const std::string& region : offered(tables_.climate_regions(country))) {
                if (!contains(offers_.regions, region))
                    offers_.regions.push_back(region);
            }
        }
    }

    void check_carbon_stocks() {
        const std::string sql =
            "SELECT rowid, c_stock_Mg_ha FROM c_stocks" + where({"soil_type", "humoclim"}, false);
        for (const std::string& region : offers_.regions) {
            for (const std::string& soil_type : offers_.soil_types) {
                if (lookup(context_, sql, {soil_type, region}).empty() &&
                    !found_loosely("c_stocks", {"soil_type", "humoclim"}, {soil_type, region})) {
                    add(CheckGroup::kCarbonStocks, Severity::kError, "c_stocks", "humoclim",
                        quoted(region), "no row for soil_type " + quoted(soil_type));
                }
            }
        }
        if (!contains_loosely(offers_.soil_types, kResetSoilType)) {
            add(CheckGroup::kNamedValues, Severity::kError, "c_stocks", "soil_type",
                quoted(kResetSoilType),
                "missing: the calculator selects this soil type whenever a climate region is "
                "picked");
            return;
        }
        for (const std::string& region : offers_.regions) {
            for (const auto& [rowid, no_data] :
                 lookup(context_, sql, {std::string(kResetSoilType), region})) {
                if (no_data) {
                    add(CheckGroup::kNamedValues, Severity::kWarning, "c_stocks", "c_stock_Mg_ha",
                        "-999",
                        "no reference carbon stock for soil_type " + quoted(kResetSoilType) +
                            " in humoclim " + quoted(region) +
                            ": resetting to this soil type leaves the carbon stock blank");
                }
            }
        }
    }

    void sort_land_use_types(const std::string& region) {
        for (const std::string& type : offered(tables_.land_uses(region))) {
            const engine::StoredValue& factor = tables_.land_use_factor(region, type);
            const bool stopped =
                factor.has_text() && engine::is_no_data_land_use_factor(factor.text);
            (stopped ? offers_.stopped_land_use_types_of_region
                     : offers_.land_use_types_of_region)[region]
                .push_back(type);
        }
    }

    void check_land_use_grid() {
        const std::string sql = "SELECT rowid, land_use_factor FROM tbl_systems" +
                                where({"system", "climate_region"}, false);
        for (const std::string& region : offers_.regions) {
            for (const std::string& type : offers_.land_use_types) {
                if (lookup(context_, sql, {type, region}).empty() &&
                    !found_loosely("tbl_systems", {"system", "climate_region"}, {type, region})) {
                    add(CheckGroup::kLandUseTypes, Severity::kError, "tbl_systems",
                        "climate_region", quoted(region), "no row for system " + quoted(type));
                }
            }
        }
    }

    void check_named_land_use_type(std::string_view name, const std::string& why) {
        if (!contains_loosely(offers_.land_use_types, name)) {
            add(CheckGroup::kNamedValues, Severity::kError, "tbl_systems", "system", quoted(name),
                "missing: " + why);
        }
    }

    void read_lists(std::string_view table, std::map<std::string, Texts>& lists,
                    const std::string& when_empty,
                    const std::function<const engine::NameList&(const std::string&)>& list_of) {
        for (const std::string& type : offers_.land_use_types) {
            Texts& list = lists[type] = offered(list_of(type));
            if (list.empty() && !found_loosely(table, {"system"}, {type}))
                add(CheckGroup::kLandUseTypes, Severity::kError, table, "system", quoted(type),
                    when_empty);
        }
    }

    void check_improved() {
        if (!contains(offers_.land_use_types, kGrassland))
            return;
        if (!contains_loosely(offers_.management_of[std::string(kGrassland)], kImproved)) {
            add(CheckGroup::kNamedValues, Severity::kError, "tbl_management_type",
                "management_type", quoted(kImproved),
                "missing for system " + quoted(kGrassland) +
                    ": only under it does a grassland system offer input levels");
        }
    }

    void check_management_factors() {
        const Texts columns = {"climate_region", "management_type", "grassland_other"};
        const std::string sql =
            "SELECT rowid, management_factor FROM tbl_management_factors" + where(columns, false);
        std::set<Texts> checked;
        for (const std::string& region : offers_.regions) {
            for (const std::string& type : offers_.land_use_types_of_region[region]) {
                const std::string group = factor_group_of(type);
                for (const std::string& management : offers_.management_of[type]) {
                    const Texts key = {region, management, group};
                    if (!checked.insert(key).second)
                        continue;
                    const auto rows = lookup(context_, sql, key);
                    remember_no_data("tbl_management_factors", rows);
                    if (rows.empty() && !found_loosely("tbl_management_factors", columns, key))
                        report_missing_management_factor(key, type);
                }
            }
            for (const std::string& type : offers_.stopped_land_use_types_of_region[region]) {
                const std::string group = factor_group_of(type);
                for (const std::string& management : offers_.management_of[type])
                    remember_stopped("tbl_management_factors",
                                     lookup(context_, sql, {region, management, group}));
            }
        }
    }

    static std::string factor_group_of(std::string_view land_use_type) {
        return std::string(engine::factor_group(engine::takes_grassland_factors(land_use_type)));
    }

    void report_missing_management_factor(const Texts& key, const std::string& type) {
        std::string problem = "no factor for climate_region " + quoted(key[0]) +
                              " with grassland_other " + quoted(key[2]) + " (land-use type " +
                              quoted(type) + ")";
        const Texts other_group = texts(context_,
                                        "SELECT grassland_other FROM tbl_management_factors" +
                                            where({"climate_region", "management_type"}, false),
                                        {key[0], key[1]});
        if (!other_group.empty())
            problem += "; there is one with grassland_other " + quoted(other_group.front());
        add(CheckGroup::kFactors, Severity::kError, "tbl_management_factors", "management_type",
            quoted(key[1]), problem);
    }

    // The input levels a system's list can look up, as the engine builds the list under each
    // management system. Grassland's fixed "Does not apply" is looked up too once another
    // management system has filled its list.
    std::vector<std::pair<std::string, std::string>> input_lookups(const std::string& type) {
        const bool grassland = engine::takes_grassland_factors(type);
        const std::string why = "land-use type " + quoted(type);
        // Other land-use types offer their input levels whatever the management system.
        const Texts managements = grassland ? offers_.management_of[type] : Texts{""};
        std::vector<std::pair<std::string, std::string>> lookups;
        bool fixed = false;
        for (const std::string& management : managements) {
            const engine::InputLevels levels = engine::input_levels(type, grassland, management);
            if (levels == engine::InputLevels::kFixedDoesNotApply) {
                fixed = true;
                continue;
            }
            if (levels == engine::InputLevels::kUnchanged)
                continue;
            const std::string under =
                management.empty() ? why : why + " under " + quoted(management);
            for (const std::string& input : offers_.inputs_of[type])
                lookups.emplace_back(input, under);
        }
        if (fixed && !lookups.empty()) {
            lookups.emplace_back(
                std::string(engine::kDoesNotApply),
                why + " under a management system other than " + quoted(engine::kImproved));
        }
        return lookups;
    }

    void check_input_factors() {
        const Texts columns = {"climate_region", "input_type"};
        const std::string sql =
            "SELECT rowid, input_factor FROM tbl_input_factors" + where(columns, false);
        std::set<Texts> checked;
        for (const std::string& region : offers_.regions) {
            for (const std::string& type : offers_.land_use_types_of_region[region]) {
                for (const auto& [input, why] : input_lookups(type)) {
                    const Texts key = {region, input};
                    if (!checked.insert(key).second)
                        continue;
                    const auto rows = lookup(context_, sql, key);
                    remember_no_data("tbl_input_factors", rows);
                    if (rows.empty() && !found_loosely("tbl_input_factors", columns, key)) {
                        add(CheckGroup::kFactors, Severity::kError, "tbl_input_factors",
                            "input_type", quoted(input),
                            "no factor for climate_region " + quoted(region) + " (" + why + ")");
                    }
                }
            }
            for (const std::string& type : offers_.stopped_land_use_types_of_region[region]) {
                for (const auto& lookup_of_type : input_lookups(type))
                    remember_stopped("tbl_input_factors",
                                     lookup(context_, sql, {region, lookup_of_type.first}));
            }
        }
    }

    void remember_no_data(const std::string& table,
                          const std::vector<std::pair<int64_t, bool>>& rows) {
        for (const auto& [rowid, no_data] : rows) {
            if (no_data)
                context_.reached_no_data_factors.emplace(table, rowid);
        }
    }

    void remember_stopped(const std::string& table,
                          const std::vector<std::pair<int64_t, bool>>& rows) {
        for (const auto& [rowid, no_data] : rows) {
            if (no_data)
                context_.stopped_no_data_factors.emplace(table, rowid);
        }
    }

    CheckContext& context_;
    const engine::TableSource& tables_;
    Offers offers_;
};

}  // namespace

void check_lookups(CheckContext& context) {
    // The calculator's own queries, on a connection of their own that only reads.
    SoilCarbonDatabase database;
    database.SoilCarbonConnection = std::make_unique<recordset::Connection>();
    database.SoilCarbonConnection->open(context.file().path(), sqlite::OpenMode::kReadOnly);
    database.SoilCarbonRecordset = std::make_unique<recordset::Recordset>();
    const engine::LiveTables tables(database, {'.'});
    LookupCheck(context, tables).run();
}

}  // namespace humo::db::check
