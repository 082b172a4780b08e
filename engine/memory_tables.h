#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "decimal_separator.h"
#include "name_index.h"
#include "table_source.h"

namespace humo::engine {

// Values by two names, such as a region and a soil type.
class ValueGrid {
public:
    // Positions are numbered from `first_position` on, so that two grids of one table can
    // tell their values apart.
    void resize(size_t rows, size_t columns, uint32_t first_position = 0);
    // The first value stored for the pair stays, as the calculator's lookups take the first row.
    void set_first(Id row, Id column, StoredValue value);
    const StoredValue& at(Id row, Id column) const;
    size_t size() const { return values_.size(); }

private:
    size_t columns_ = 0;
    std::vector<StoredValue> values_;
};

// Everything the calculator's lists and lookups read, held in memory so that a row costs no
// query: what each list offers at each point, and each lookup's first row. Read once from a
// database; the same for every thread that reads it.
struct MemoryTables : TableSource {
    // The decimal separator the numbers' texts are written with.
    numbers::DecimalSeparator separator;

    // The names of each kind, which a user's cell is matched against.
    NameIndex country_names;
    NameIndex region_names;
    NameIndex soil_names;
    NameIndex land_use_names;
    NameIndex management_names;
    NameIndex input_names;

    // The country and soil type lists, by name as the database sorts them.
    NameList country_list;
    NameList soil_type_list;
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

    const NameList& countries() const override { return country_list; }
    const NameList& soil_types() const override { return soil_type_list; }
    const NameList& climate_regions(std::string_view country) const override;
    const NameList& land_uses(std::string_view climate_region) const override;
    const NameList& managements(std::string_view land_use) const override;
    const NameList& inputs(std::string_view land_use, InputOrder order) const override;

    const StoredValue& reference_stock(std::string_view climate_region,
                                       std::string_view soil_type) const override;
    const StoredValue& land_use_factor(std::string_view climate_region,
                                       std::string_view land_use) const override;
    const StoredValue& management_factor(std::string_view climate_region,
                                         std::string_view management,
                                         std::string_view factor_group) const override;
    const StoredValue& input_factor(std::string_view climate_region,
                                    std::string_view input) const override;
};

// A database that cannot be read, named in the message with what is wrong.
class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the tables once from a database file. Numbers get their text as the calculator shows
// them under the separator.
MemoryTables load_memory_tables(const std::string& database_path,
                                numbers::DecimalSeparator separator);

}  // namespace humo::engine
