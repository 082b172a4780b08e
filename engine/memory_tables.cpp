#include "memory_tables.h"

#include <algorithm>
#include <functional>

#include "connection.h"
#include "database_format.h"
#include "failure.h"
#include "integrity.h"
#include "list_rules.h"
#include "number_text.h"
#include "recordset.h"

namespace humo::engine {
namespace {

using recordset::Value;

const NameList kNoList;
const StoredValue kNoRow;

// A value read for a lookup, in the text form the calculator's box would show.
StoredValue stored(const Value& value, numbers::DecimalSeparator separator) {
    if (value.is_null())
        return {StoredValue::Kind::kNull, {}, 0};
    std::string text = value.to_text(separator);
    const double number = numbers::leading_number(text, separator);
    return {StoredValue::Kind::kText, std::move(text), number};
}

// A name for a list or a key; rows without one never reach a list.
std::optional<std::string> name_of(const Value& value, numbers::DecimalSeparator separator) {
    if (value.is_null())
        return std::nullopt;
    return value.to_text(separator);
}

class Reader {
public:
    Reader(const std::string& path, numbers::DecimalSeparator separator) : separator_(separator) {
        if (db::database_format(path) == db::DatabaseFormat::kAccess) {
            throw DatabaseError("The database file " + path +
                                " is an Access database: open it once in humo_tool, or "
                                "convert it with humo-dbcheck --import, first.");
        }
        try {
            connection_.open(path);
        } catch (const Failure& failure) {
            throw DatabaseError(failure.description());
        }
        connection_.begin_read();
        // A damaged file is refused here, as the window refuses it, rather than read in part.
        sqlite::require_intact(connection_.database());
    }
    ~Reader() { connection_.end_read(); }

    // Calls `row` with the values of every row of the query.
    void each_row(std::string_view sql, const std::function<void(const Value* values)>& row) {
        recordset::Recordset result;
        result.open(sql, connection_);
        const int columns = result.field_count();
        std::vector<Value> values(static_cast<size_t>(columns));
        for (; !result.eof(); result.move_next()) {
            for (int c = 0; c < columns; ++c)
                values[static_cast<size_t>(c)] = result.value(c);
            row(values.data());
        }
        result.close();
    }

    std::optional<std::string> name(const Value& value) const { return name_of(value, separator_); }
    StoredValue value(const Value& value) const { return stored(value, separator_); }

private:
    numbers::DecimalSeparator separator_;
    recordset::Connection connection_;
};

// The name's id in the index; none for a missing name or one the index does not hold.
Id found(const NameIndex& names, const std::optional<std::string>& name) {
    return name ? names.find(*name) : NameIndex::kNone;
}

void add_distinct(NameList& list, Id id, const std::string& text) {
    if (list.position_of(id) < 0)
        list.add(id, text);
}

// Puts a list in the order the database sorts its names, which compares without regard to the
// case of ASCII letters.
void sort_as_database(NameList& list) {
    std::vector<size_t> order(list.size());
    std::vector<std::string> keys;
    for (size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
        keys.push_back(folded(list.texts[i]));
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    NameList sorted;
    for (size_t i : order)
        sorted.add(list.ids[i], list.texts[i]);
    list = std::move(sorted);
}

// Every name of an index as one list, in the order the database sorts them.
NameList sorted_list(const NameIndex& names) {
    NameList list;
    for (size_t i = 0; i < names.size(); ++i)
        list.add(static_cast<Id>(i), names.text(static_cast<Id>(i)));
    sort_as_database(list);
    return list;
}

// Site: the climate regions, each country's regions and the reference stocks.
void read_site(Reader& reader, MemoryTables& t) {
    reader.each_row("SELECT climate_region FROM tbl_climate_regions ORDER BY rowid",
                    [&](const Value* v) {
                        if (auto region = reader.name(v[0]))
                            t.region_names.add(*region);
                    });
    // Codes join as the window's query joins them, so that a code stored as text matches, or
    // not, alike in both.
    reader.each_row(
        "SELECT z.country_name, r.climate_region FROM tbl_climate_zone_lookup AS z "
        "LEFT JOIN tbl_climate_regions AS r ON z.climate_region_code = r.region "
        "ORDER BY z.rowid, r.rowid",
        [&](const Value* v) {
            auto country = reader.name(v[0]);
            if (!country)
                return;
            const Id id = t.country_names.add(*country);
            t.country_regions.resize(t.country_names.size());
            if (auto region = reader.name(v[1])) {
                const Id region_id = t.region_names.find(*region);
                add_distinct(t.country_regions[static_cast<size_t>(id)], region_id,
                             t.region_names.text(region_id));
            }
        });

    struct Stock {
        Id region;
        Id soil;
        StoredValue value;
    };
    std::vector<Stock> stocks;
    reader.each_row("SELECT soil_type, humoclim, c_stock_Mg_ha FROM c_stocks ORDER BY rowid",
                    [&](const Value* v) {
                        auto soil = reader.name(v[0]);
                        if (!soil)
                            return;
                        const Id soil_id = t.soil_names.add(*soil);
                        auto region = reader.name(v[1]);
                        const Id region_id = found(t.region_names, region);
                        if (region_id != NameIndex::kNone)
                            stocks.push_back({region_id, soil_id, reader.value(v[2])});
                    });
    t.reference_stocks.resize(t.region_names.size(), t.soil_names.size());
    for (Stock& stock : stocks)
        t.reference_stocks.set_first(stock.region, stock.soil, std::move(stock.value));
    t.country_list = sorted_list(t.country_names);
    t.soil_type_list = sorted_list(t.soil_names);
}

// The land-use types of each region and their land-use factors.
void read_land_uses(Reader& reader, MemoryTables& t) {
    t.region_land_uses.resize(t.region_names.size());
    struct Factor {
        Id region;
        Id land_use;
        StoredValue value;
    };
    std::vector<Factor> factors;
    reader.each_row(
        "SELECT system, climate_region, land_use_factor FROM tbl_systems ORDER BY rowid",
        [&](const Value* v) {
            auto land_use = reader.name(v[0]);
            auto region = reader.name(v[1]);
            const Id region_id = found(t.region_names, region);
            if (!land_use || region_id == NameIndex::kNone)
                return;
            const Id id = t.land_use_names.add(*land_use);
            add_distinct(t.region_land_uses[static_cast<size_t>(region_id)], id, *land_use);
            factors.push_back({region_id, id, reader.value(v[2])});
        });
    // The window's list sorts them by name, whatever order the rows were added in.
    for (NameList& land_uses : t.region_land_uses)
        sort_as_database(land_uses);
    t.land_use_factors.resize(t.region_names.size(), t.land_use_names.size());
    for (Factor& factor : factors)
        t.land_use_factors.set_first(factor.region, factor.land_use, std::move(factor.value));
}

// A list of each land-use type from a table of (system, item) rows in the query's order.
void read_lists(Reader& reader, MemoryTables& t, std::string_view sql, NameIndex& names,
                std::vector<NameList>& lists) {
    lists.resize(t.land_use_names.size());
    reader.each_row(sql, [&](const Value* v) {
        auto land_use = reader.name(v[0]);
        auto item = reader.name(v[1]);
        const Id land_use_id = found(t.land_use_names, land_use);
        if (land_use_id == NameIndex::kNone || !item)
            return;
        lists[static_cast<size_t>(land_use_id)].add(names.add(*item), *item);
    });
}

void read_factors(Reader& reader, MemoryTables& t) {
    const size_t management_size = t.region_names.size() * t.management_names.size();
    for (bool grassland : {false, true}) {
        t.management_factors[grassland].resize(
            t.region_names.size(), t.management_names.size(),
            static_cast<uint32_t>(grassland ? management_size : 0));
    }
    reader.each_row(
        "SELECT climate_region, management_type, grassland_other, management_factor "
        "FROM tbl_management_factors ORDER BY rowid",
        [&](const Value* v) {
            auto region = reader.name(v[0]);
            auto management = reader.name(v[1]);
            auto group = reader.name(v[2]);
            const Id region_id = found(t.region_names, region);
            const Id management_id = found(t.management_names, management);
            if (region_id == NameIndex::kNone || management_id == NameIndex::kNone || !group)
                return;
            for (bool grassland : {false, true}) {
                if (same_name(*group, factor_group(grassland)))
                    t.management_factors[grassland].set_first(region_id, management_id,
                                                              reader.value(v[3]));
            }
        });

    t.input_factors.resize(t.region_names.size(), t.input_names.size());
    reader.each_row(
        "SELECT climate_region, input_type, input_factor FROM tbl_input_factors ORDER BY rowid",
        [&](const Value* v) {
            auto region = reader.name(v[0]);
            auto input = reader.name(v[1]);
            const Id region_id = found(t.region_names, region);
            const Id input_id = found(t.input_names, input);
            if (region_id != NameIndex::kNone && input_id != NameIndex::kNone)
                t.input_factors.set_first(region_id, input_id, reader.value(v[2]));
        });
}

const NameList& list_of(const std::vector<NameList>& lists, Id id) {
    return id == NameIndex::kNone ? kNoList : lists[static_cast<size_t>(id)];
}

const StoredValue& value_of(const ValueGrid& grid, Id row, Id column) {
    return row == NameIndex::kNone || column == NameIndex::kNone ? kNoRow : grid.at(row, column);
}

}  // namespace

void ValueGrid::resize(size_t rows, size_t columns, uint32_t first_position) {
    columns_ = columns;
    values_.assign(rows * columns, StoredValue{});
    for (size_t i = 0; i < values_.size(); ++i)
        values_[i].position = first_position + static_cast<uint32_t>(i);
}

void ValueGrid::set_first(Id row, Id column, StoredValue value) {
    StoredValue& slot = values_[static_cast<size_t>(row) * columns_ + static_cast<size_t>(column)];
    if (slot.kind == StoredValue::Kind::kNoRow) {
        value.position = slot.position;
        slot = std::move(value);
    }
}

const StoredValue& ValueGrid::at(Id row, Id column) const {
    return values_[static_cast<size_t>(row) * columns_ + static_cast<size_t>(column)];
}

const NameList& MemoryTables::climate_regions(std::string_view country) const {
    return list_of(country_regions, country_names.find(country));
}

const NameList& MemoryTables::land_uses(std::string_view climate_region) const {
    return list_of(region_land_uses, region_names.find(climate_region));
}

const NameList& MemoryTables::managements(std::string_view land_use) const {
    return list_of(land_use_managements, land_use_names.find(land_use));
}

const NameList& MemoryTables::inputs(std::string_view land_use, InputOrder order) const {
    return list_of(order == InputOrder::kDisplay ? land_use_inputs : land_use_stored_inputs,
                   land_use_names.find(land_use));
}

const StoredValue& MemoryTables::reference_stock(std::string_view climate_region,
                                                 std::string_view soil_type) const {
    return value_of(reference_stocks, region_names.find(climate_region),
                    soil_names.find(soil_type));
}

const StoredValue& MemoryTables::land_use_factor(std::string_view climate_region,
                                                 std::string_view land_use) const {
    return value_of(land_use_factors, region_names.find(climate_region),
                    land_use_names.find(land_use));
}

const StoredValue& MemoryTables::management_factor(std::string_view climate_region,
                                                   std::string_view management,
                                                   std::string_view factor_group) const {
    for (bool grassland : {false, true}) {
        if (same_name(factor_group, engine::factor_group(grassland)))
            return value_of(management_factors[grassland], region_names.find(climate_region),
                            management_names.find(management));
    }
    return kNoRow;
}

const StoredValue& MemoryTables::input_factor(std::string_view climate_region,
                                              std::string_view input) const {
    return value_of(input_factors, region_names.find(climate_region), input_names.find(input));
}

MemoryTables load_memory_tables(const std::string& database_path,
                                numbers::DecimalSeparator separator) {
    try {
        Reader reader(database_path, separator);
        MemoryTables tables;
        tables.separator = separator;
        read_site(reader, tables);
        read_land_uses(reader, tables);
        // Ties in the display order keep the stored order, as the lookups' indexes give them.
        read_lists(reader, tables,
                   "SELECT system, management_type FROM tbl_management_type "
                   "ORDER BY management_order, rowid",
                   tables.management_names, tables.land_use_managements);
        read_lists(reader, tables,
                   "SELECT system, input_type FROM tbl_input_type ORDER BY input_order, rowid",
                   tables.input_names, tables.land_use_inputs);
        read_lists(reader, tables, "SELECT system, input_type FROM tbl_input_type ORDER BY rowid",
                   tables.input_names, tables.land_use_stored_inputs);
        read_factors(reader, tables);
        return tables;
    } catch (const Failure& failure) {
        // The database's own failures name the file already.
        const std::string& why = failure.description();
        if (why.find(database_path) != std::string::npos)
            throw DatabaseError(why);
        throw DatabaseError("The database file " + database_path + " cannot be used: " + why);
    }
}

}  // namespace humo::engine
