// The management systems of the two systems and their management factors.

#include "frmmaster.h"
#include "system_lookups.h"

namespace humo::calculator {

void frmmaster::update_management_factor1() { update_management_factor(from_); }
void frmmaster::update_management_factor2() { update_management_factor(to_); }
void frmmaster::Management1_Click() { management_Click(from_); }
void frmmaster::Management2_Click() { management_Click(to_); }

void frmmaster::update_management_factor(SystemColumn& column) {
    trapped({.blank = [&column] { column.management_factor.set_text(""); }}, [this, &column] {
        // Fill the list once per reset of its count.
        if (!column.system.text().empty() && column.management_count == 0) {
            fill_lists(
                {&column.management},
                [ this, &column ]() -> auto& { return tables_.managements(column.system.text()); });
            column.management_count = item_count16(column.management.list_count());
            // Runs the management click handler, nested: the first factor lookup and input
            // list of the new land-use type.
            column.management.set_list_index(0);
            if (!engine::keeps_first_item(column.management.text())) {
                column.management.set_text("");
                column.management_factor.set_text("");
                forms::set_enabled({&column.management_factor, &column.management_factor_label},
                                   false);
            }
        }

        if (climate_region.text().empty() || column.system.text().empty() ||
            column.management_count <= 0) {
            column.management_factor.set_text("");
            forms::set_enabled({&column.management_factor, &column.management_factor_label}, false);
        } else {
            column.grassland = engine::takes_grassland_factors(column.system.text());
            const engine::StoredValue& factor = engine::management_factor(
                tables_, climate_region.text(), column.system.text(), column.management.text());
            forms::set_enabled({&column.management_factor, &column.management_factor_label}, true);
            if (factor.kind == engine::StoredValue::Kind::kNoRow) {
                // No factor for this management system: a factor left from another selection
                // must not stand in for it.
                column.management_factor.set_text("");
                return;
            }
            column.management_factor.set_text(box_text(factor));
        }
        update_input(column);
    });
}

void frmmaster::management_Click(SystemColumn& column) {
    // No trap of its own: each procedure traps its own failures, so all three always run.
    update_management_factor(column);
    update_carbon_stock_20yrs(column);
    update_sequestration_potential();
}

}  // namespace humo::calculator
