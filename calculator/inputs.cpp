// The input levels of the two systems and their input factors.

#include "frmmaster.h"

namespace humo::calculator {
namespace {

const char* const kDoesNotApply = "Does not apply";
const char* const kImproved = "Improved";
const char* const kFixedGrasslandFactor = "1";

}  // namespace

void frmmaster::update_input1() { update_input(from_); }
void frmmaster::update_input2() { update_input(to_); }
void frmmaster::update_input_factor1() { update_input_factor(from_); }
void frmmaster::update_input_factor2() { update_input_factor(to_); }
void frmmaster::Input1_Click() { input_Click(from_); }
void frmmaster::Input2_Click() { input_Click(to_); }

void frmmaster::update_input(SystemColumn& column) {
    trapped({.blank = [&column] { column.input_factor.set_text(""); }}, [this, &column] {
        const std::string system = column.system.text();
        if (system.empty())
            return;

        if (!column.grassland) {
            fill_lists({&column.input},
                       "Select input_type from tbl_input_type where system = ? "
                       "ORDER BY input_order;",
                       {system}, "input_type");
            column.input_count = item_count16(column.input.list_count());
            // Runs the input click handler, nested: the factor of the first input level.
            column.input.set_list_index(0);
            if (column.input.text() != kDoesNotApply) {
                column.input.set_text("");
                column.input_factor.set_text("");
                forms::set_enabled({&column.input_factor, &column.input_factor_label}, false);
            }
            column.input.refresh();
            column.input_factor.refresh();
            return;
        }

        // Grassland: only improved grassland has a choice of input levels.
        const std::string management = column.management.text();
        if (management == kImproved) {
            column.input_factor.set_text("");
            fill_lists({&column.input}, "Select input_type from tbl_input_type where system = ?",
                       {system}, "input_type");
            column.input_count = item_count16(column.input.list_count());
        } else if (!management.empty()) {
            column.input.clear();
            column.input.add_item(kDoesNotApply);
            column.input.set_selected(0, true);
            column.input_factor.set_text(kFixedGrasslandFactor);
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
