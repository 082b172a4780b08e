#include "large_database.h"

#include <cstdio>
#include <string>
#include <vector>

#include "default_database.h"

namespace humo::bench {
namespace {

constexpr int kRegionCount = 80;
constexpr int kSoilTypeCount = 60;
constexpr int kLandUseCount = 40;
constexpr int kCountryCount = 2020;
constexpr int kRegionsPerCountry = 25;
// Coprime with kRegionCount, so the regions of one country never repeat.
constexpr int kRegionStride = 3;
constexpr int kGeneratedManagementCount = 60;
constexpr int kGrasslandManagementCount = 16;
constexpr int kManagementPerLandUse = 22;
constexpr int kGeneratedInputCount = 65;
constexpr int kGrasslandInputCount = 10;
constexpr int kInputsPerLandUse = 20;
constexpr int kClassificationCount = 4300;
constexpr int kRowsPerInsert = 500;

// Land-use types by their place in the list: the shipped four come first.
constexpr int kGrassland = 0;
constexpr int kLongTermCultivated = 1;
constexpr int kFirstGeneratedLandUse = 4;

const char* const kDoesNotApply = "Does not apply";

std::string numbered(const std::string& stem, int number, int width) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%0*d", width, number);
    return stem + " " + digits;
}

// The shipped names first, then generated ones numbered on from them up to `total`.
std::vector<std::string> extended(std::vector<std::string> names, const std::string& stem,
                                  int total) {
    for (int n = static_cast<int>(names.size()) + 1; n <= total; ++n) {
        names.push_back(numbered(stem, n, 2));
    }
    return names;
}

std::vector<std::string> generated(const std::string& stem, int count) {
    return extended({}, stem, count);
}

std::string quoted(const std::string& text) {
    std::string literal = "'";
    for (char c : text)
        literal += c == '\'' ? std::string("''") : std::string(1, c);
    return literal + "'";
}

// A value with two decimals from a whole number of hundredths, so the text is exact.
std::string hundredths(int value) {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%02d", value / 100, value % 100);
    return text;
}

// Multi-row INSERT statements for one table; one statement per few hundred rows keeps the
// script quick to run.
class Inserts {
public:
    Inserts(std::string& sql, std::string table_and_columns)
        : sql_(sql), table_and_columns_(std::move(table_and_columns)) {}
    ~Inserts() { finish(); }
    Inserts(const Inserts&) = delete;
    Inserts& operator=(const Inserts&) = delete;

    void add(const std::vector<std::string>& literals) {
        sql_ += rows_ == 0 ? "INSERT INTO " + table_and_columns_ + " VALUES\n(" : ",\n(";
        for (size_t i = 0; i < literals.size(); ++i)
            sql_ += (i ? ", " : "") + literals[i];
        sql_ += ")";
        if (++rows_ == kRowsPerInsert)
            finish();
    }

private:
    void finish() {
        if (rows_ == 0)
            return;
        sql_ += ";\n";
        rows_ = 0;
    }

    std::string& sql_;
    std::string table_and_columns_;
    int rows_ = 0;
};

struct Names {
    std::vector<std::string> regions =
        extended({"Boreal", "Cold Temperate Dry", "Cold Temperate Wet", "Warm Temperate Dry",
                  "Warm Temperate Wet", "Tropical Dry", "Tropical Moist", "Tropical Wet"},
                 "Climate region", kRegionCount);
    std::vector<std::string> soil_types =
        extended({"High clay activity mineral", "Low clay activity mineral", "Sandy", "Spodic",
                  "Volcanic", "Wetland"},
                 "Soil type", kSoilTypeCount);
    std::vector<std::string> land_uses =
        extended({"Grassland", "Long-term cultivated", "Paddy rice", "Set aside"}, "Land use",
                 kLandUseCount);
    std::vector<std::string> cropland_management = {"Full tillage", "Reduced tillage", "No-till"};
    std::vector<std::string> generated_management =
        generated("Management practice", kGeneratedManagementCount);
    std::vector<std::string> grassland_management =
        extended({"Nominally managed", "Moderately degraded", "Severely degraded", "Improved"},
                 "Grassland management", kGrasslandManagementCount);
    std::vector<std::string> cropland_inputs = {"Low", "Medium", "High without manure",
                                                "High with manure"};
    std::vector<std::string> generated_inputs = generated("Input level", kGeneratedInputCount);
    std::vector<std::string> grassland_inputs =
        extended({"Nominal", "High"}, "Grassland input", kGrasslandInputCount);
};

// The shipped items of a land-use type first, then generated ones; each generated land-use
// type takes its own run of the generated pool, so the pool items are shared as shipped ones
// like "Does not apply" are.
std::vector<std::string> items_of(int land_use, const std::vector<std::string>& grassland,
                                  const std::vector<std::string>& cropland,
                                  const std::vector<std::string>& pool, int per_land_use) {
    if (land_use == kGrassland)
        return grassland;
    if (land_use < kFirstGeneratedLandUse && land_use != kLongTermCultivated) {
        return {kDoesNotApply};
    }
    std::vector<std::string> items =
        land_use == kLongTermCultivated ? cropland : std::vector<std::string>{};
    const int first = land_use == kLongTermCultivated ? 0 : land_use * 5;
    for (int k = 0; static_cast<int>(items.size()) < per_land_use; ++k) {
        items.push_back(pool[(first + k) % pool.size()]);
    }
    return items;
}

void add_site_tables(std::string& sql, const Names& names) {
    {
        Inserts rows(sql, "tbl_climate_regions (region, climate_region)");
        for (int r = 0; r < kRegionCount; ++r) {
            rows.add({std::to_string(r + 1), quoted(names.regions[r])});
        }
    }
    {
        Inserts rows(sql, "tbl_climate_zone_lookup (country_name, climate_region_code)");
        for (int c = 0; c < kCountryCount; ++c) {
            const std::string country = quoted(numbered("Country", c + 1, 4));
            for (int k = 0; k < kRegionsPerCountry; ++k) {
                rows.add({country, std::to_string((c + kRegionStride * k) % kRegionCount + 1)});
            }
        }
    }
    {
        Inserts rows(sql, "c_stocks (soil_type, humoclim, c_stock_Mg_ha)");
        for (int r = 0; r < kRegionCount; ++r) {
            for (int s = 0; s < kSoilTypeCount; ++s) {
                rows.add({quoted(names.soil_types[s]), quoted(names.regions[r]),
                          std::to_string(10 + (s * 37 + r * 11) % 140)});
            }
        }
    }
    {
        Inserts rows(sql, "tbl_soiltype_classification (taxon, soiltype, fao_usda)");
        for (int t = 0; t < kClassificationCount; ++t) {
            rows.add({quoted(numbered("Taxon", t + 1, 4)),
                      quoted(names.soil_types[t % kSoilTypeCount]),
                      quoted(t % 2 ? "USDA" : "WRB")});
        }
    }
}

void add_land_use_tables(std::string& sql, const Names& names) {
    Inserts systems(sql, "tbl_systems (system, climate_region, land_use_factor)");
    for (int r = 0; r < kRegionCount; ++r) {
        for (int u = 0; u < kLandUseCount; ++u) {
            const int factor = u == kGrassland ? 100 : 50 + (u * 13 + r * 7) % 60;
            systems.add({quoted(names.land_uses[u]), quoted(names.regions[r]), hundredths(factor)});
        }
    }
}

void add_management_tables(std::string& sql, const Names& names) {
    {
        Inserts rows(sql, "tbl_management_type (system, management_type, management_order)");
        for (int u = 0; u < kLandUseCount; ++u) {
            const auto items = items_of(u, names.grassland_management, names.cropland_management,
                                        names.generated_management, kManagementPerLandUse);
            for (size_t k = 0; k < items.size(); ++k) {
                rows.add({quoted(names.land_uses[u]), quoted(items[k]), std::to_string(k + 1)});
            }
        }
    }
    Inserts rows(sql,
                 "tbl_management_factors (climate_region, management_type, grassland_other, "
                 "management_factor)");
    for (int r = 0; r < kRegionCount; ++r) {
        int m = 0;
        const auto add = [&](const std::string& item, const char* grassland_other) {
            rows.add({quoted(names.regions[r]), quoted(item), quoted(grassland_other),
                      hundredths(70 + (m++ * 17 + r * 5) % 55)});
        };
        add(kDoesNotApply, "other");
        for (const auto& item : names.cropland_management)
            add(item, "other");
        for (const auto& item : names.generated_management)
            add(item, "other");
        for (const auto& item : names.grassland_management)
            add(item, "grassland");
    }
}

void add_input_tables(std::string& sql, const Names& names) {
    {
        Inserts rows(sql, "tbl_input_type (system, input_type, input_order)");
        for (int u = 0; u < kLandUseCount; ++u) {
            const auto items = items_of(u, names.grassland_inputs, names.cropland_inputs,
                                        names.generated_inputs, kInputsPerLandUse);
            for (size_t k = 0; k < items.size(); ++k) {
                rows.add({quoted(names.land_uses[u]), quoted(items[k]), std::to_string(k + 1)});
            }
        }
    }
    Inserts rows(sql,
                 "tbl_input_factors (climate_region, input_type, grassland_other, input_factor)");
    for (int r = 0; r < kRegionCount; ++r) {
        int i = 0;
        const auto add = [&](const std::string& item, const char* grassland_other) {
            rows.add({quoted(names.regions[r]), quoted(item), quoted(grassland_other),
                      hundredths(90 + (i++ * 11 + r * 3) % 50)});
        };
        add(kDoesNotApply, "other");
        for (const auto& item : names.cropland_inputs)
            add(item, "other");
        for (const auto& item : names.generated_inputs)
            add(item, "other");
        for (const auto& item : names.grassland_inputs)
            add(item, "grassland");
    }
}

}  // namespace

void create_large_database(const std::string& path) {
    const Names names;
    std::string sql;
    add_site_tables(sql, names);
    add_land_use_tables(sql, names);
    add_management_tables(sql, names);
    add_input_tables(sql, names);
    db::create_database(path, sql);
}

}  // namespace humo::bench
