#include "calculation_report.h"

#include "edition_in_use.h"
#include "frmmaster.h"
#include "memory_tables.h"
#include "system_lookups.h"

namespace humo::report {
namespace {

SystemFigures system_figures(const forms::ListBox& land_use, const forms::ListBox& management,
                             const forms::ListBox& input, const forms::TextBox& land_use_factor,
                             const forms::TextBox& management_factor,
                             const forms::TextBox& input_factor, const forms::TextBox& stock) {
    return {land_use.text(),
            management.text(),
            input.text(),
            {land_use_factor.text()},
            {management_factor.text()},
            {input_factor.text()},
            stock.text()};
}

// A figure was typed when the table has no such value, or another one.
bool typed_over(const Figure& figure, const engine::StoredValue& table) {
    return !table.has_text() || figure.text != table.text;
}

void mark_typed(const engine::TableSource& tables, std::string_view region, SystemFigures& system) {
    system.land_use_factor.typed =
        typed_over(system.land_use_factor, tables.land_use_factor(region, system.land_use));
    system.management_factor.typed =
        typed_over(system.management_factor,
                   engine::management_factor(tables, region, system.land_use, system.management));
    const engine::InputLevels levels = engine::input_levels(
        system.land_use, engine::takes_grassland_factors(system.land_use), system.management);
    system.input_factor.typed =
        typed_over(system.input_factor, engine::input_factor(tables, region, levels, system.input));
}

// A value differs from the table's when the user typed it: the picks looked up as the
// calculator looks them up tell which.
void mark_typed(CalculationReport& report) {
    engine::MemoryTables tables;
    try {
        tables = engine::load_memory_tables(report.database_file, report.separator);
    } catch (const engine::DatabaseError&) {
        return;
    }
    const engine::StoredValue& stock =
        tables.reference_stock(report.climate_region, report.soil_type);
    report.reference_stock.typed = typed_over(report.reference_stock, stock) ||
                                   engine::is_no_data_reference_stock(stock.leading_number);
    mark_typed(tables, report.climate_region, report.from);
    mark_typed(tables, report.climate_region, report.to);
}

}  // namespace

std::variant<CalculationReport, NoReport> gather_report(const calculator::frmmaster& c,
                                                        const std::string& database_file,
                                                        const std::string& defaults_file,
                                                        numbers::DecimalSeparator separator,
                                                        const std::string& created) {
    if (c.carbon_stock_20yrs_1.text().empty() || c.carbon_stock_20yrs_2.text().empty())
        return NoReport{"no results"};
    CalculationReport report;
    report.created = created;
    report.database_file = database_file;
    report.edition = db::edition_text(db::edition_in_use(database_file));
    report.separator = separator;
    report.country = c.country.text();
    report.climate_region = c.climate_region.text();
    report.soil_type = c.soiltype.text();
    report.reference_stock.text = c.carbon_stock.text();
    report.from = system_figures(c.system1, c.Management1, c.Input1, c.base_factor1,
                                 c.management_factor1, c.input_factor1, c.carbon_stock_20yrs_1);
    report.to = system_figures(c.system2, c.Management2, c.Input2, c.base_factor2,
                               c.management_factor2, c.input_factor2, c.carbon_stock_20yrs_2);
    report.annual_change = c.Sequestration_Potential.text();
    mark_typed(report);
    report.edited = edited_values(database_file, defaults_file);
    return report;
}

}  // namespace humo::report
