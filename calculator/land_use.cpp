// The land-use types of the two systems and their land-use factors.

#include "frmmaster.h"
#include "list_rules.h"
#include "program.h"

namespace humo::calculator {
namespace {

const char* const kCountryPrompt = "(Please specify a country)";

}  // namespace

void frmmaster::update_system() {
    trapped({}, [this] {
        const std::string region = climate_region.text();
        if (region.empty() || region == kCountryPrompt) {
            system1.clear();
            system2.clear();
            forms::set_enabled({&system1, &system1_label, &system2, &system2_label}, false);
            return;
        }
        forms::set_enabled({&system1, &system1_label, &system2, &system2_label}, true);
        fill_lists(
            {&system1, &system2},
            [ this, &region ]() -> auto& { return tables_.land_uses(region); });
    });
}

void frmmaster::Update_base_factor1() { Update_base_factor(from_); }
void frmmaster::Update_base_factor2() { Update_base_factor(to_); }
void frmmaster::system1_Click() { system_Click(from_); }
void frmmaster::system2_Click() { system_Click(to_); }

void frmmaster::Update_base_factor(SystemColumn& column) {
    trapped({.blank = [&column] { column.base_factor.set_text(""); }}, [this, &column] {
        if (!column.system.text().empty() && !climate_region.text().empty()) {
            forms::set_enabled({&column.base_factor, &column.base_factor_label}, true);
            column.base_factor.set_text(
                box_text(tables_.land_use_factor(climate_region.text(), column.system.text())));
        } else {
            column.base_factor.set_text("");
            forms::set_enabled({&column.base_factor, &column.base_factor_label}, false);
        }

        if (!engine::is_no_data_land_use_factor(column.base_factor.text()))
            return;
        column.base_factor.set_text("");
        column.management.clear();
        column.management_factor.set_text("");
        column.input.clear();
        column.input_factor.set_text("");
        const std::string reset_to(engine::kResetLandUseType);
        program().msg_box("There are no base factor data for the " + column.system.text() +
                          " system in this climate region.  The program will now reset the "
                          "system type to '" +
                          reset_to + "'.");
        // Runs the system's click handler, nested, which rebuilds the whole system.
        column.system.set_text(reset_to);
    });
}

void frmmaster::system_Click(SystemColumn& column) {
    trapped({.focus = &column.system}, [this, &column] {
        column.management_count = 0;
        column.management.clear();
        column.management_factor.set_text("");
        // The input items stay until the input list is rebuilt.
        column.input_count = 0;
        update_management_factor(column);
        Update_base_factor(column);
        update_carbon_stock_20yrs(column);
        update_sequestration_potential();
    });
}

}  // namespace humo::calculator
