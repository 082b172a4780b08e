// The checks of names across tables: soil taxa that name no soil type, names written in more
// than one way, and key rows that occur more than once.

#include <map>

#include "check_context.h"

namespace humo::db::check {
namespace {

struct ColumnRef {
    std::string_view table;
    std::string_view column;
};

// Columns that hold the same kind of name; the first is where the name is defined.
struct NameDomain {
    std::string_view what;
    std::vector<ColumnRef> columns;
    std::vector<std::string_view> fixed;  // names the calculator spells out in its code
};

const std::vector<NameDomain>& name_domains() {
    static const std::vector<NameDomain> domains = {
        {"country", {{"tbl_climate_zone_lookup", "country_name"}}, {}},
        {"climate region",
         {{"tbl_climate_regions", "climate_region"},
          {"c_stocks", "humoclim"},
          {"tbl_systems", "climate_region"},
          {"tbl_management_factors", "climate_region"},
          {"tbl_input_factors", "climate_region"}},
         {}},
        {"soil type",
         {{"c_stocks", "soil_type"}, {"tbl_soiltype_classification", "soiltype"}},
         {kResetSoilType}},
        {"land-use type",
         {{"tbl_systems", "system"},
          {"tbl_management_type", "system"},
          {"tbl_input_type", "system"}},
         {kGrassland, kResetLandUseType}},
        {"management system",
         {{"tbl_management_type", "management_type"},
          {"tbl_management_factors", "management_type"}},
         {kDoesNotApply, kImproved}},
        {"input level",
         {{"tbl_input_type", "input_type"}, {"tbl_input_factors", "input_type"}},
         {kDoesNotApply}},
        {"factor group",
         {{"tbl_management_factors", "grassland_other"}, {"tbl_input_factors", "grassland_other"}},
         {engine::kGrasslandFactorGroup, engine::kOtherFactorGroup}},
        {"soil taxon", {{"tbl_soiltype_classification", "taxon"}}, {}},
    };
    return domains;
}

struct Spelling {
    ColumnRef where;
    std::string name;
};

std::string column_text(const ColumnRef& ref) {
    return std::string(ref.table) + "." + std::string(ref.column);
}

// Every way a name is written in the domain's columns, in the order of the rows.
std::vector<Spelling> spellings(CheckContext& context, const NameDomain& domain) {
    std::vector<Spelling> found;
    for (const ColumnRef& ref : domain.columns) {
        if (!context.has(ref.table, {ref.column}))
            continue;
        const std::string column = quoted_name(ref.column);
        Statement names(context.file(), "SELECT " + column + " FROM " + quoted_name(ref.table) +
                                            " WHERE " + column + " IS NOT NULL GROUP BY " + column +
                                            " COLLATE BINARY ORDER BY min(rowid)");
        while (names.step()) {
            if (!loose(names.text(0)).empty())
                found.push_back({ref, names.text(0)});
        }
    }
    return found;
}

void check_domain(CheckContext& context, const NameDomain& domain) {
    std::map<std::string, Spelling> canonical;
    for (std::string_view fixed : domain.fixed)
        canonical.emplace(loose(fixed), Spelling{{}, std::string(fixed)});
    const bool closed = domain.what == "factor group";
    for (const Spelling& spelling : spellings(context, domain)) {
        const auto [first, added] = canonical.emplace(loose(spelling.name), spelling);
        if (added && closed) {
            context.add(CheckGroup::kFactors, Severity::kError, std::string(spelling.where.table),
                        std::string(spelling.where.column), quoted(spelling.name),
                        "neither 'grassland' nor 'other'");
            continue;
        }
        if (first->second.name == spelling.name)
            continue;
        const Spelling& model = first->second;
        const std::string source = model.where.table.empty() ? "as the calculator names it"
                                                             : "in " + column_text(model.where);
        context.add(CheckGroup::kSpelling, Severity::kError, std::string(spelling.where.table),
                    std::string(spelling.where.column), quoted(spelling.name),
                    "differs only in case or blanks from the " + std::string(domain.what) + " " +
                        quoted(model.name) + " " + source);
    }
}

struct KeyRule {
    std::string_view table;
    std::vector<std::string_view> keys;
    std::string_view value;  // shown for each duplicate row
    std::string_view consequence;
};

const std::vector<KeyRule>& key_rules() {
    static const std::vector<KeyRule> rules = {
        {"c_stocks", {"soil_type", "humoclim"}, "c_stock_Mg_ha", "the lookup takes the first"},
        {"tbl_systems",
         {"system", "climate_region"},
         "land_use_factor",
         "the lookup takes the first"},
        {"tbl_management_factors",
         {"climate_region", "management_type", "grassland_other"},
         "management_factor",
         "the lookup takes the first"},
        {"tbl_input_factors",
         {"climate_region", "input_type"},
         "input_factor",
         "the lookup takes the first, whatever its grassland_other"},
        {"tbl_management_type",
         {"system", "management_type"},
         "management_order",
         "the list shows it more than once"},
        {"tbl_input_type",
         {"system", "input_type"},
         "input_order",
         "the list shows it more than once"},
        {"tbl_climate_regions",
         {"region"},
         "climate_region",
         "a country with this code gets each name"},
        {"tbl_soiltype_classification",
         {"taxon", "fao_usda"},
         "soiltype",
         "picking the taxon takes the first"},
    };
    return rules;
}

void check_key_rule(CheckContext& context, const KeyRule& rule) {
    std::string keys;
    std::string match;
    std::string not_null;
    for (std::string_view key : rule.keys) {
        const std::string column = quoted_name(key);
        keys += (keys.empty() ? "" : ", ") + column;
        match += (match.empty() ? " WHERE " : " AND ") + column + " = ?";
        not_null += (not_null.empty() ? " WHERE " : " AND ") + column + " IS NOT NULL";
    }
    const std::string table = quoted_name(rule.table);
    const std::string value = quoted_name(rule.value);
    // The region code is a duplicate only when it carries different names.
    const std::string having = rule.value == "climate_region"
                                   ? " HAVING count(DISTINCT " + value + ") > 1"
                                   : " HAVING count(*) > 1";
    Statement groups(context.file(), "SELECT " + keys + " FROM " + table + not_null + " GROUP BY " +
                                         keys + having + " ORDER BY min(rowid)");
    Statement rows(context.file(),
                   "SELECT " + value + " FROM " + table + match + " ORDER BY rowid");
    while (groups.step()) {
        std::string described;
        for (size_t i = 0; i + 1 < rule.keys.size(); ++i) {
            described += (described.empty() ? "" : ", ") + std::string(rule.keys[i]) + " " +
                         shown(groups, static_cast<int>(i));
        }
        rows.reset();
        for (size_t i = 0; i < rule.keys.size(); ++i)
            rows.bind(static_cast<int>(i) + 1, std::string_view(groups.text(static_cast<int>(i))));
        std::string values;
        int count = 0;
        while (rows.step()) {
            values += (values.empty() ? "" : ", ") + shown(rows, 0);
            ++count;
        }
        const int last = static_cast<int>(rule.keys.size()) - 1;
        context.add(CheckGroup::kDuplicates, Severity::kError, std::string(rule.table),
                    std::string(rule.keys.back()), shown(groups, last),
                    std::to_string(count) + " rows" +
                        (described.empty() ? "" : " for " + described) + " with " +
                        std::string(rule.value) + " " + values + ": " +
                        std::string(rule.consequence));
    }
}

bool has_all(CheckContext& context, const KeyRule& rule) {
    for (std::string_view key : rule.keys) {
        if (!context.has(rule.table, {key}))
            return false;
    }
    return context.has(rule.table, {rule.value});
}

}  // namespace

void check_soil_taxa(CheckContext& context) {
    const std::string_view table = "tbl_soiltype_classification";
    if (context.has(table, {"soiltype"}) && context.has("c_stocks", {"soil_type"})) {
        Statement orphans(context.file(),
                          "SELECT soiltype, count(*) FROM tbl_soiltype_classification AS t "
                          "WHERE soiltype IS NOT NULL AND NOT EXISTS (SELECT 1 FROM c_stocks AS "
                          "c WHERE " +
                              loose_sql("c.soil_type") + " = " + loose_sql("t.soiltype") +
                              ") "
                              "GROUP BY soiltype COLLATE BINARY ORDER BY min(rowid)");
        while (orphans.step()) {
            if (loose(orphans.text(0)).empty())
                continue;
            context.add(CheckGroup::kSoilTaxa, Severity::kError, std::string(table), "soiltype",
                        shown(orphans, 0),
                        "no soil_type of c_stocks has this name (" + orphans.text(1) +
                            " taxa): picking such a taxon selects no soil type");
        }
    }
    if (context.has(table, {"fao_usda"})) {
        Statement groups(context.file(),
                         "SELECT fao_usda, count(*) FROM tbl_soiltype_classification WHERE "
                         "fao_usda IS NOT NULL AND fao_usda COLLATE BINARY NOT IN ('WRB', "
                         "'USDA') GROUP BY fao_usda COLLATE BINARY ORDER BY min(rowid)");
        while (groups.step()) {
            if (loose(groups.text(0)).empty())
                continue;
            context.add(CheckGroup::kSoilTaxa, Severity::kError, std::string(table), "fao_usda",
                        shown(groups, 0), "neither 'WRB' nor 'USDA' (" + groups.text(1) + " taxa)");
        }
    }
}

void check_spelling(CheckContext& context) {
    for (const NameDomain& domain : name_domains())
        check_domain(context, domain);
}

void check_duplicates(CheckContext& context) {
    for (const KeyRule& rule : key_rules()) {
        if (has_all(context, rule))
            check_key_rule(context, rule);
    }
}

}  // namespace humo::db::check
