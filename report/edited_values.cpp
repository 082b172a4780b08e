#include "edited_values.h"

#include <filesystem>
#include <map>
#include <set>

#include "connection.h"
#include "failure.h"
#include "recordset.h"

namespace humo::report {
namespace {

// Numbers as this program writes them everywhere but on screen: with a point.
const numbers::DecimalSeparator kPoint{'.'};

// A table with the columns that tell its rows apart and the values a user may edit.
struct TableShape {
    const char* table;
    std::vector<const char*> keys;
    std::vector<const char*> values;
};

const std::vector<TableShape>& shapes() {
    static const std::vector<TableShape> tables = {
        {"c_stocks", {"soil_type", "humoclim"}, {"c_stock_Mg_ha"}},
        {"tbl_systems", {"system", "climate_region"}, {"land_use_factor"}},
        {"tbl_management_factors",
         {"climate_region", "management_type", "grassland_other"},
         {"management_factor"}},
        {"tbl_input_factors",
         {"climate_region", "input_type", "grassland_other"},
         {"input_factor"}},
        {"tbl_management_type", {"system", "management_type"}, {"management_order"}},
        {"tbl_input_type", {"system", "input_type"}, {"input_order"}},
        {"tbl_climate_regions", {"region"}, {"climate_region"}},
        {"tbl_climate_zone_lookup", {"country_name", "climate_region_code"}, {}},
        {"tbl_soiltype_classification", {"taxon", "fao_usda"}, {"soiltype"}},
    };
    return tables;
}

std::string text_of(const recordset::Value& value) {
    return value.is_null() ? "(empty)" : value.to_text(kPoint);
}

// A table's rows by key, in the order they are stored; a key seen again adds nothing.
struct Rows {
    std::vector<std::string> order;
    std::map<std::string, std::vector<std::string>> values;
};

Rows read_rows(recordset::Connection& connection, const TableShape& shape) {
    std::string columns;
    for (const char* key : shape.keys)
        columns += std::string(columns.empty() ? "" : ", ") + key;
    for (const char* value : shape.values)
        columns += std::string(", ") + value;
    recordset::Recordset result;
    result.open("SELECT " + columns + " FROM " + shape.table + " ORDER BY rowid", connection);
    Rows rows;
    for (; !result.eof(); result.move_next()) {
        std::string key;
        for (size_t i = 0; i < shape.keys.size(); ++i)
            key += (i ? ", " : "") + text_of(result.value(static_cast<int>(i)));
        std::vector<std::string> values;
        for (size_t i = 0; i < shape.values.size(); ++i)
            values.push_back(text_of(result.value(static_cast<int>(shape.keys.size() + i))));
        if (rows.values.emplace(key, std::move(values)).second)
            rows.order.push_back(key);
    }
    result.close();
    return rows;
}

std::string described_values(const TableShape& shape, const std::vector<std::string>& values) {
    std::string text;
    for (size_t i = 0; i < values.size(); ++i)
        text += std::string(i ? ", " : "") + shape.values[i] + " " + values[i];
    return text;
}

std::string joined(const std::vector<std::string>& values) {
    std::string text;
    for (const std::string& value : values)
        text += (text.empty() ? "" : ", ") + value;
    return text;
}

class Comparison {
public:
    explicit Comparison(EditedValues& edited) : edited_(edited) {}

    void compare(const TableShape& shape, const Rows& in_use, const Rows& defaults) {
        const std::string table = std::string(shape.table) + ": ";
        for (const std::string& key : defaults.order) {
            auto found = in_use.values.find(key);
            const std::vector<std::string>& original = defaults.values.at(key);
            if (found == in_use.values.end()) {
                add(table + key + ": removed");
            } else if (found->second != original) {
                add(table + key + ": " + described_values(shape, found->second) + " (default " +
                    joined(original) + ")");
            }
        }
        for (const std::string& key : in_use.order) {
            if (!defaults.values.contains(key)) {
                const std::string values = described_values(shape, in_use.values.at(key));
                add(table + key + ": added" + (values.empty() ? "" : " (" + values + ")"));
            }
        }
    }

private:
    void add(std::string row) {
        ++edited_.count;
        if (edited_.rows.size() < EditedValues::kListed)
            edited_.rows.push_back(std::move(row));
    }

    EditedValues& edited_;
};

}  // namespace

EditedValues edited_values(const std::string& database_path, const std::string& defaults_path) {
    EditedValues edited;
    std::error_code ignored;
    if (!std::filesystem::exists(defaults_path, ignored)) {
        edited.note = "the shipped defaults (" + defaults_path + ") are missing";
        return edited;
    }
    try {
        recordset::Connection in_use;
        in_use.open(database_path);
        recordset::Connection defaults;
        defaults.open(defaults_path);
        Comparison comparison(edited);
        for (const TableShape& shape : shapes())
            comparison.compare(shape, read_rows(in_use, shape), read_rows(defaults, shape));
        edited.compared = true;
    } catch (const Failure& failure) {
        edited = EditedValues{};
        edited.note =
            "the values could not be compared with the shipped defaults: " + failure.description();
    }
    return edited;
}

}  // namespace humo::report
