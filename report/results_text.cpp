#include "results_text.h"

#include <utility>
#include <vector>

#include "csv_writer.h"

namespace humo::report {

std::string results_text(const CalculationReport& r, const CalculationRanges* ranges) {
    std::vector<std::pair<const char*, std::string>> columns = {{
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
        {"annual_co2", annual_co2(r)},
    }};
    if (ranges) {
        std::string not_covered;
        for (const std::string& name : ranges->not_covered)
            not_covered += (not_covered.empty() ? "" : "; ") + name;
        columns.insert(columns.end(), {{"from_stock_low", ranges->from_stock.low},
                                       {"from_stock_high", ranges->from_stock.high},
                                       {"to_stock_low", ranges->to_stock.low},
                                       {"to_stock_high", ranges->to_stock.high},
                                       {"annual_change_low", ranges->change.low},
                                       {"annual_change_high", ranges->change.high},
                                       {"annual_co2_low", ranges->co2.low},
                                       {"annual_co2_high", ranges->co2.high},
                                       {"not_covered", not_covered},
                                       {"uncertainty_method", kRangesMethod}});
    }
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
