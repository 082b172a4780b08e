// The site: country, climate region, native soil type and the reference carbon stock.

#include "frmmaster.h"
#include "list_rules.h"
#include "program.h"

namespace humo::calculator {

void frmmaster::country_Click() {
    trapped({.focus = &country}, [this] {
        if (country.text().empty())
            return;
        climate_region.clear();
        climate_region.refresh();
        soiltype.set_text("");
        soiltype.refresh();
        update_carbon_stock();
        update_system();
        update_climate_region();
        update_management_factor1();
        update_management_factor2();
        update_input1();
        update_input_factor1();
        update_input2();
        update_input_factor2();
        update_carbon_stock_20yrs_1();
        update_carbon_stock_20yrs_2();
        update_sequestration_potential();
    });
}

void frmmaster::climate_region_Click() {
    trapped({.focus = &climate_region}, [this] {
        reset_management_and_input(from_);
        reset_management_and_input(to_);
        system2.clear();
        system1.clear();
        // Runs soiltype_Click, nested, when the selection changes.
        soiltype.set_text(std::string(engine::kResetSoilType));
        update_carbon_stock();
        update_system();
    });
    // Results that belonged to the previous site must not stay on show.
    update_results();
}

void frmmaster::reset_management_and_input(SystemColumn& column) {
    column.management_count = 0;
    column.management.clear();
    column.management_factor.set_text("");
    column.input_count = 0;
    column.input.clear();
    column.input_factor.set_text("");
}

void frmmaster::soiltype_Click() {
    trapped({.focus = &soiltype}, [this] {
        update_carbon_stock();
        if (state_.carbon_stock_missing && leading_number(carbon_stock.text()) == 0) {
            const std::string reset_to(engine::kResetSoilType);
            program().msg_box("There are no reference carbon stock data for " + soiltype.text() +
                              " soils in this climate region.  The program will now reset the "
                              "soil type to '" +
                              reset_to + "'.");
            carbon_stock.set_text("");
            // Runs soiltype_Click again, nested, when another soil type was selected.
            soiltype.set_text(reset_to);
        }
        update_management_factor1();
        update_management_factor2();
    });
    update_results();
}

void frmmaster::carbon_stock_Change() {
    // A stock of the user's own is data, whatever the table held for the site.
    state_.carbon_stock_missing = false;
    update_carbon_stock_20yrs(from_, true);
    update_carbon_stock_20yrs(to_, true);
    update_sequestration_potential(true);
}

void frmmaster::update_results() {
    update_carbon_stock_20yrs_1();
    update_carbon_stock_20yrs_2();
    update_sequestration_potential();
}

void frmmaster::update_climate_region() {
    trapped({}, [this] {
        if (country.text().empty()) {
            climate_region.clear();
            return;
        }
        fill_lists(
            {&climate_region}, [this]() -> auto& {
                return tables_.climate_regions(country.text());
            });
    });
}

void frmmaster::update_carbon_stock() {
    const Trap trap{.blank = [this] {
        carbon_stock.set_text("");
        state_.carbon_stock_missing = false;
    }};
    trapped(trap, [this] {
        if (country.text().empty() || climate_region.text().empty() || soiltype.text().empty()) {
            carbon_stock.set_text("");
            forms::set_enabled({&carbon_stock, &carbon_stock_label, &carbon_stock_units}, false);
            return;
        }
        forms::set_enabled({&carbon_stock, &carbon_stock_label, &carbon_stock_units}, true);
        carbon_stock.set_text(
            box_text(tables_.reference_stock(climate_region.text(), soiltype.text())));
        if (engine::is_no_data_reference_stock(leading_number(carbon_stock.text()))) {
            carbon_stock.set_text("0");
            state_.carbon_stock_missing = true;
        } else {
            state_.carbon_stock_missing = false;
        }
    });
}

}  // namespace humo::calculator
