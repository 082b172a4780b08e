// The input levels of the two systems and their input factors.

#include "frmmaster.h"
#include "list_rules.h"

namespace humo::calculator {

void frmmaster::update_input1() { update_input(from_); }
void frmmaster::update_input2() { update_input(to_); }
void frmmaster::update_input_factor1() { update_input_factor(from_); }
void frmmaster::update_input_factor2() { update_input_factor(to_); }
void frmmaster::Input1_Click() { input_Click(from_); }
void frmmaster::Input2_Click() { input_Click(to_); }

void frmmaster::update_input(SystemColumn& column) {
    trapped({.blank = [&column] { column.input_factor.set_text(""); }}, [this, &column] {
        const std::string system = column.system.text();
        switch (input_levels(system, column.grassland, column.management.text())) {
            case InputLevels::kInDisplayOrder:
                fill_lists({&column.input},
                           "Select input_type from tbl_input_type where system = ? "
                           "ORDER BY input_order;",
                           {system}, "input_type");
                column.input_count = item_count16(column.input.list_count());
                // Runs the input click handler, nested: the factor of the first input level.
                column.input.set_list_index(0);
                if (!keeps_first_item(column.input.text())) {
                    column.input.set_text("");
                    column.input_factor.set_text("");
                    forms::set_enabled({&column.input_factor, &column.input_factor_label}, false);
                }
                column.input.refresh();
                column.input_factor.refresh();
                break;
            case InputLevels::kInStoredOrder:
                column.input_factor.set_text("");
                fill_lists({&column.input},
                           "Select input_type from tbl_input_type where system = ?", {system},
                           "input_type");
                column.input_count = item_count16(column.input.list_count());
                break;
            case InputLevels::kFixedDoesNotApply:
                column.input.clear();
                column.input.add_item(std::string(kDoesNotApply));
                column.input.set_selected(0, true);
                column.input_factor.set_text(std::string(kFixedGrasslandInputFactor));
                break;
            case InputLevels::kUnchanged:
                break;
        }
    });
}

void frmmaster::update_input_factor(SystemColumn& column) {
    trapped({.blank = [&column] { column.input_factor.set_text(""); }}, [this, &column] {
        if (climate_region.text().empty() || column.system.text().empty() ||
            column.input_count <= 0) {
            column.input_factor.set_text("");
            forms::set_enabled({&column.input_factor, &column.input_factor_label}, false);
            return;
        }
        db::SharedQuery query(database_,
                              " SELECT [tbl_input_factors].[input_factor] From tbl_input_factors "
                              "WHERE (([tbl_input_factors].[climate_region])=?) And "
                              "[input_type]=?;",
                              {climate_region.text(), column.input.text()});
        forms::set_enabled({&column.input_factor, &column.input_factor_label}, true);
        if (query->record_count() < 1) {
            // No factor for this input level: a factor left from another selection must not
            // stand in for it.
            column.input_factor.set_text("");
            return;
        }
        column.input_factor.set_text(text_of(query->value("input_factor")));
    });
}

void frmmaster::input_Click(SystemColumn& column) {
    trapped({.focus = &column.input}, [this, &column] {
        update_input_factor(column);
        update_carbon_stock_20yrs(column);
        update_sequestration_potential();
    });
}

}  // namespace humo::calculator
