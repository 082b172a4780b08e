#include "uncertainty_rows.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <stdexcept>

#include "number_text.h"
#include "uncertainty_tables.h"

namespace humo::db {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPlusMinus = "±";

struct Key {
    std::string region;
    std::string name;
    std::string group;
};

[[noreturn]] void refuse(const CsvRow& record, const std::string& problem) {
    throw std::runtime_error(record.origin + ": " + problem);
}

std::string key_columns(const UncertainValues& values) {
    std::string columns = std::string(values.region) + ", " + std::string(values.name);
    return values.group.empty() ? columns : columns + ", " + std::string(values.group);
}

// "column=name;column=name": each key column of the value table once, in any order.
Key read_key(const CsvRow& record, const std::string& text, const UncertainValues& values) {
    Key key;
    std::map<std::string_view, std::string*> slots = {{values.region, &key.region},
                                                      {values.name, &key.name}};
    if (!values.group.empty())
        slots.emplace(values.group, &key.group);
    size_t given = 0;
    bool well_formed = true;
    for (size_t start = 0; well_formed && start <= text.size();) {
        const size_t end = std::min(text.find(';', start), text.size());
        const std::string part = text.substr(start, end - start);
        start = end + 1;
        const size_t equals = part.find('=');
        const auto slot = slots.find(part.substr(0, equals));
        well_formed = equals != std::string::npos && equals + 1 < part.size() &&
                      slot != slots.end() && slot->second->empty();
        if (well_formed) {
            *slot->second = part.substr(equals + 1);
            ++given;
        }
    }
    if (!well_formed || given != slots.size()) {
        refuse(record, "the key '" + text + "' does not give each of " + key_columns(values) +
                           " once, as column=name;column=name");
    }
    return key;
}

std::string plus_minus_percent(const CsvRow& record, const std::string& text) {
    std::string_view number(text);
    if (number.starts_with(kPlusMinus) && number.ends_with('%')) {
        number = number.substr(kPlusMinus.size(), number.size() - kPlusMinus.size() - 1);
        const auto value = numbers::Decimal::from_plain(number);
        if (value && !value->negative() && !value->is_zero())
            return std::string(number);
    }
    refuse(record, "the uncertainty '" + text + "' is not of the form ±N%");
}

// How many standard deviations the published ± spans, as its definition says.
std::string standard_deviations(const CsvRow& record, const std::string& definition) {
    const auto says = [&](std::string_view words) {
        return definition.find(words) != std::string::npos;
    };
    if (says("1.96") || says("95% confidence limit"))
        return "1.96";
    if (says("two standard deviations") || says("2x standard deviation"))
        return "2";
    refuse(record, "the definition '" + definition +
                       "' says neither two standard deviations nor a 95% confidence limit");
}

// The edition's value tables, each read once, as the uncertainties' keys need them.
class ValueTables {
public:
    explicit ValueTables(fs::path folder) : folder_(std::move(folder)) {}

    // Refuses the record unless the table has a row at the key with the same number.
    void require_value(const CsvRow& record, const UncertainValues& values, const Key& key,
                       const std::string& value) {
        const std::string file = (folder_ / (std::string(values.table) + ".csv")).string();
        std::string described = std::string(values.region) + " '" + key.region + "', " +
                                std::string(values.name) + " '" + key.name + "'";
        if (!values.group.empty())
            described += ", " + std::string(values.group) + " '" + key.group + "'";
        const std::vector<std::string> wanted = {key.region, key.name, key.group};
        for (const CsvRow& row : table(values, file).rows) {
            if (!std::equal(row.fields.begin(), row.fields.end() - 1, wanted.begin()))
                continue;
            const numbers::DecimalSeparator point{'.'};
            const auto published = numbers::strict_decimal(value, point);
            if (!published || published != numbers::strict_decimal(row.fields.back(), point)) {
                refuse(record, "the value '" + value + "' is not the " + row.fields.back() +
                                   " of " + file + " for " + described);
            }
            return;
        }
        refuse(record, "no row of " + file + " for " + described);
    }

private:
    // The key columns, then the value.
    const CsvTable& table(const UncertainValues& values, const std::string& file) {
        auto found = tables_.find(values.table);
        if (found != tables_.end())
            return found->second;
        std::vector<std::string> columns = {std::string(values.region), std::string(values.name)};
        if (!values.group.empty())
            columns.emplace_back(values.group);
        columns.emplace_back(values.value);
        return tables_.emplace(values.table, project(read_csv_table(file), columns, file))
            .first->second;
    }

    fs::path folder_;
    std::map<std::string_view, CsvTable> tables_;
};

}  // namespace

CsvTable uncertainty_rows(const std::string& edition_folder) {
    const std::string file = (fs::path(edition_folder) / "uncertainty.csv").string();
    const CsvTable published =
        project(read_csv_table(file),
                {"file", "key", "value", "uncertainty", "definition", "source_id"}, file);
    ValueTables value_tables(edition_folder);
    CsvTable rows{{"value_table", "climate_region", "name", "grassland_other", "value",
                   "plus_minus_percent", "standard_deviations", "source_id"},
                  {}};
    for (const CsvRow& record : published.rows) {
        const std::vector<std::string>& field = record.fields;
        const fs::path value_file(field[0]);
        const UncertainValues* values = value_file.extension() == ".csv"
                                            ? find_uncertain_values(value_file.stem().string())
                                            : nullptr;
        if (!values) {
            refuse(record, "'" + field[0] + "' is none of the value tables with uncertainties (" +
                               uncertain_value_tables() + ")");
        }
        const Key key = read_key(record, field[1], *values);
        value_tables.require_value(record, *values, key, field[2]);
        rows.rows.push_back({{std::string(values->table), key.region, key.name, key.group, field[2],
                              plus_minus_percent(record, field[3]),
                              standard_deviations(record, field[4]), field[5]},
                             record.origin});
    }
    return rows;
}

}  // namespace humo::db
