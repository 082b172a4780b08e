#include "live_tables.h"

#include "number_text.h"

namespace humo::engine {

using recordset::Value;

const NameList& LiveTables::countries() const {
    return read_list(countries_,
                     "SELECT DISTINCT country_name FROM tbl_climate_zone_lookup ORDER BY "
                     "country_name",
                     {});
}

const NameList& LiveTables::soil_types() const {
    return read_list(
        soil_types_,
        "SELECT DISTINCT c_stocks.soil_type From c_stocks ORDER BY c_stocks.soil_type;", {});
}

const NameList& LiveTables::climate_regions(std::string_view country) const {
    return read_list(climate_regions_,
                     "SELECT DISTINCT climate_region FROM tbl_climate_zone_lookup INNER JOIN "
                     "tbl_climate_regions ON tbl_climate_zone_lookup.climate_region_code = "
                     "tbl_climate_regions.region WHERE tbl_climate_zone_lookup.country_name=?;",
                     {std::string(country)}, "climate_region");
}

const NameList& LiveTables::land_uses(std::string_view climate_region) const {
    return read_list(land_uses_,
                     "SELECT DISTINCT system From tbl_systems WHERE climate_region = ? "
                     "ORDER BY system;",
                     {std::string(climate_region)}, "system");
}

const NameList& LiveTables::managements(std::string_view land_use) const {
    return read_list(managements_,
                     "Select management_type from tbl_management_type where system = ? "
                     "ORDER BY management_order;",
                     {std::string(land_use)}, "management_type");
}

const NameList& LiveTables::inputs(std::string_view land_use, InputOrder order) const {
    if (order == InputOrder::kStored) {
        return read_list(inputs_, "Select input_type from tbl_input_type where system = ?",
                         {std::string(land_use)}, "input_type");
    }
    return read_list(inputs_,
                     "Select input_type from tbl_input_type where system = ? "
                     "ORDER BY input_order;",
                     {std::string(land_use)}, "input_type");
}

const StoredValue& LiveTables::reference_stock(std::string_view climate_region,
                                               std::string_view soil_type) const {
    return read_value(reference_stock_,
                      "SELECT c_stock_Mg_ha FROM c_stocks WHERE soil_type = ? AND humoclim = ?;",
                      {std::string(soil_type), std::string(climate_region)});
}

const StoredValue& LiveTables::land_use_factor(std::string_view climate_region,
                                               std::string_view land_use) const {
    return read_value(land_use_factor_,
                      "SELECT land_use_factor FROM tbl_systems WHERE system=? AND "
                      "(climate_region =?);",
                      {std::string(land_use), std::string(climate_region)});
}

const StoredValue& LiveTables::management_factor(std::string_view climate_region,
                                                 std::string_view management,
                                                 std::string_view factor_group) const {
    // The group is one of the program's own names, written into the query as it always was.
    const std::string sql =
        " SELECT [tbl_management_factors].[management_factor] From "
        "tbl_management_factors WHERE "
        "(([tbl_management_factors].[climate_region])=?) And "
        "[management_type]=? and [grassland_other] = '" +
        std::string(factor_group) + "';";
    return read_value(management_factor_, sql,
                      {std::string(climate_region), std::string(management)}, "management_factor");
}

const StoredValue& LiveTables::input_factor(std::string_view climate_region,
                                            std::string_view input) const {
    return read_value(input_factor_,
                      " SELECT [tbl_input_factors].[input_factor] From tbl_input_factors "
                      "WHERE (([tbl_input_factors].[climate_region])=?) And "
                      "[input_type]=?;",
                      {std::string(climate_region), std::string(input)}, "input_factor");
}

const NameList& LiveTables::read_list(NameList& list, std::string_view sql,
                                      const std::vector<Value>& parameters,
                                      std::string_view field) const {
    list.clear();
    db::SharedQuery query(database_, sql, parameters);
    const int column = field.empty() ? 0 : query->field_index(field);
    for (; !query->eof(); query->move_next()) {
        const Value& value = query->value(column);
        if (!value.is_null())
            list.add(kNoName, value.to_text(separator_));
    }
    return list;
}

const StoredValue& LiveTables::read_value(StoredValue& value, std::string_view sql,
                                          const std::vector<Value>& parameters,
                                          std::string_view field) const {
    value = StoredValue{};
    db::SharedQuery query(database_, sql, parameters);
    if (query->record_count() < 1)
        return value;
    const Value& found = field.empty() ? query->value(0) : query->value(field);
    if (found.is_null()) {
        value.kind = StoredValue::Kind::kNull;
        return value;
    }
    value.kind = StoredValue::Kind::kText;
    value.text = found.to_text(separator_);
    value.leading_number = numbers::leading_number(value.text, separator_);
    return value;
}

}  // namespace humo::engine
