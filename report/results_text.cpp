#include "results_text.h"

#include <array>
#include <utility>

#include "csv_writer.h"

namespace humo::report {

std::string results_text(const CalculationReport& r) {
    const std::array<std::pair<const char*, std::string>, 20> columns = {{
        {"country", r.country},
        {"climate_region", r.climate_region},
        {"soil_type", r.soil_type},
        {"from_land_use", r.from.land_use},
        {"from_management", r.from.management},
        {"from_input", r.from.input},
        {"to_land_use", r.to.land_use},
        {"to_management", r.to.management},
        {"to_input", r.to.input},
        {"carbon_stock", r.reference_stock.typed ? r.reference_stock.text : ""},
        {"reference_stock", r.reference_stock.text},
        {"from_land_use_factor", r.from.land_use_factor.text},
        {"from_management_factor", r.from.management_factor.text},
        {"from_input_factor", r.from.input_factor.text},
        {"from_stock", r.from.stock},
        {"to_land_use_factor", r.to.land_use_factor.text},
        {"to_management_factor", r.to.management_factor.text},
        {"to_input_factor", r.to.input_factor.text},
        {"to_stock", r.to.stock},
        {"annual_change", r.annual_change},
    }};
    std::string text;
    batch::CsvWriter writer([&text](const char* data, size_t size) { text.append(data, size); },
                            '\t', false);
    for (const auto& column : columns)
        writer.field(column.first);
    writer.end_record();
    for (const auto& column : columns)
        writer.field(column.second);
    writer.end_record();
    writer.flush();
    return text;
}

}  // namespace humo::report
