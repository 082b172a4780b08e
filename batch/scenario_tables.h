#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "decimal_separator.h"
#include "name_index.h"

namespace humo::batch {

using Id = NameIndex::Id;

// What a single-value lookup of the calculator finds: no row, a null, or the value's text as
// the calculator's box shows it.
struct StoredValue {
    enum class Kind : uint8_t { kNoRow, kNull, kText };
    Kind kind = Kind::kNoRow;
    std::string text;
    // The text's leading number, which the no-data tests read.
    double leading_number = 0;
};

// One of the calculator's lists: its items' texts in order, and the name each stands for.
struct NameList {
    std::vector<std::string> texts;
    std::vector<Id> ids;

    void add(Id id, std::string text);
    // The first item that stands for the name, or -1.
    int position_of(Id id) const;
    // The first item spelt exactly so, or -1.
    int position_of_text(std::string_view text) const;
    bool empty() const { return ids.empty(); }
};

// Values by two names, such as a region and a soil type.
class ValueGrid {
public:
    void resize(size_t rows, size_t columns);
    // The first value stored for the pair stays, as the calculator's lookups take the first row.
    void set_first(Id row, Id column, StoredValue value);
    const StoredValue& at(Id row, Id column) const { return values_[position(row, column)]; }
    // Where a pair's value lies among all of them, which tells two lookups' values apart.
    size_t position(Id row, Id column) const {
        return static_cast<size_t>(row) * columns_ + static_cast<size_t>(column);
    }
    size_t size() const { return values_.size(); }

private:
    size_t columns_ = 0;
    std::vector<StoredValue> values_;
};

// Everything the calculator's lists and lookups read, held in memory so that a row costs no
// query: what each list offers at each point, and each lookup's first row.
struct ScenarioTables {
    // The decimal separator the numbers' texts are written with.
    numbers::DecimalSeparator separator;

    NameIndex countries;
    NameIndex regions;
    NameIndex soil_types;
    NameIndex land_uses;
    NameIndex managements;
    NameIndex inputs;

    // The climate region list of each country.
    std::vector<NameList> country_regions;
    // The land-use type list of each climate region.
    std::vector<NameList> region_land_uses;
    // The management system list of each land-use type, in display order.
    std::vector<NameList> land_use_managements;
    // The input level list of each land-use type, in display order and as stored.
    std::vector<NameList> land_use_inputs;
    std::vector<NameList> land_use_stored_inputs;

    // By climate region and soil type.
    ValueGrid reference_stocks;
    // By climate region and land-use type.
    ValueGrid land_use_factors;
    // By climate region and management system; the other rows, then the grassland rows.
    ValueGrid management_factors[2];
    // By climate region and input level.
    ValueGrid input_factors;
};

// A database that cannot be read, named in the message with what is wrong.
class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the tables once from a database file. Numbers get their text as the calculator shows
// them under the separator.
ScenarioTables load_scenario_tables(const std::string& database_path,
                                    numbers::DecimalSeparator separator);

}  // namespace humo::batch
