// The input levels of the two systems and their input factors.

#include "frmmaster.h"
#include "system_lookups.h"

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
        const engine::InputLevels levels =
            engine::input_levels(system, column.grassland, column.management.text());
        auto offered = [ this, &system, levels ]() -> auto& {
            return engine::input_list(tables_, system, levels);
        };
        switch (levels) {
            case engine::InputLevels::kInDisplayOrder:
                fill_lists({&column.input}, offered);
                column.input_count = item_count16(column.input.list_count());
                // Runs the input click handler, nested: the factor of the first input level.
                column.input.set_list_index(0);
                if (!engine::keeps_first_item(column.input.text())) {
                    column.input.set_text("");
                    column.input_factor.set_text("");
                    forms::set_enabled({&column.input_factor, &column.input_factor_label}, false);
                }
                column.input.refresh();
                column.input_factor.refresh();
                break;
            case engine::InputLevels::kInStoredOrder:
                column.input_factor.set_text("");
                fill_lists({&column.input}, offered);
                column.input_count = item_count16(column.input.list_count());
                break;
            case engine::InputLevels::kFixedDoesNotApply:
                column.input.clear();
                column.input.add_item(offered().texts.front());
                column.input.set_selected(0, true);
                column.input_factor.set_text(
                    engine::input_factor(tables_, climate_region.text(), levels, {}).text);
                break;
            case engine::InputLevels::kUnchanged:
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
        const engine::StoredValue& factor =
            tables_.input_factor(climate_region.text(), column.input.text());
        forms::set_enabled({&column.input_factor, &column.input_factor_label}, true);
        if (factor.kind == engine::StoredValue::Kind::kNoRow) {
            // No factor for this input level: a factor left from another selection must not
            // stand in for it.
            column.input_factor.set_text("");
            return;
        }
        column.input_factor.set_text(box_text(factor));
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
