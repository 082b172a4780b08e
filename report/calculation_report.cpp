#include "calculation_report.h"

#include "edition_in_use.h"
#include "frmmaster.h"
#include "scenario.h"

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

void mark_typed(SystemFigures& system, const batch::SystemFigures& table) {
    system.land_use_factor.typed = system.land_use_factor.text != table.land_use_factor;
    system.management_factor.typed = system.management_factor.text != table.management_factor;
    system.input_factor.typed = system.input_factor.text != table.input_factor;
}

// A value differs from the table's when the user typed it: the picks looked up as a batch row
// would look them up tell which.
void mark_typed(CalculationReport& report) {
    batch::ScenarioTables tables;
    try {
        tables = batch::load_scenario_tables(report.database_file, report.separator);
    } catch (const batch::DatabaseError&) {
        return;
    }
    batch::ScenarioCalculator calculator(tables);
    batch::ScenarioCells cells{report.country,
                               report.climate_region,
                               report.soil_type,
                               {report.from.land_use, report.from.management, report.from.input},
                               {report.to.land_use, report.to.management, report.to.input},
                               std::nullopt,
                               std::nullopt};
    const batch::ScenarioResult* result = &calculator.compute(cells);
    bool table_has_stock = true;
    if (!result->computed()) {
        // The table has no stock for the site: the one shown must have been typed.
        table_has_stock = false;
        cells.carbon_stock = report.reference_stock.text;
        result = &calculator.compute(cells);
        if (!result->computed())
            return;
    }
    report.reference_stock.typed =
        !table_has_stock || report.reference_stock.text != result->reference_stock;
    mark_typed(report.from, result->from);
    mark_typed(report.to, result->to);
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
