// The predicted carbon stocks of the two systems and the annual carbon stock change.

#include "carbon_arithmetic.h"
#include "frmmaster.h"

namespace humo::calculator {

void frmmaster::update_carbon_stock_20yrs_1() { update_carbon_stock_20yrs(from_); }
void frmmaster::update_carbon_stock_20yrs_2() { update_carbon_stock_20yrs(to_); }
void frmmaster::update_sequestration_potential() { update_sequestration_potential(false); }

void frmmaster::update_carbon_stock_20yrs(SystemColumn& column, bool quiet) {
    const Trap trap{.blank = [&column] { column.carbon_stock_20yrs.set_text(""); }, .quiet = quiet};
    trapped(trap, [this, &column] {
        // A site without a reference stock has no predicted stock, not a stock of 0.
        const bool complete = !column.system.text().empty() && !soiltype.text().empty() &&
                              !climate_region.text().empty() &&
                              !column.management_factor.text().empty() &&
                              !column.input_factor.text().empty() &&
                              !column.base_factor.text().empty() && !state_.carbon_stock_missing;
        const std::initializer_list<forms::Control*> result = {&column.carbon_stock_20yrs,
                                                               &column.carbon_stock_20yrs_label,
                                                               &column.carbon_stock_20yrs_units};
        if (!complete) {
            column.carbon_stock_20yrs.set_text("");
            forms::set_enabled(result, false);
            return;
        }
        forms::set_enabled(result, true);
        auto operand = [](const forms::TextBox& box) {
            return engine::Operand{box.accessible_name(), box.text()};
        };
        const numbers::Decimal stock = engine::predicted_stock(
            operand(carbon_stock), operand(column.base_factor), operand(column.management_factor),
            operand(column.input_factor), separator_);
        column.carbon_stock_20yrs.set_text(engine::stock_text(stock, separator_));
    });
}

void frmmaster::update_sequestration_potential(bool quiet) {
    const Trap trap{.blank = [this] { Sequestration_Potential.set_text(""); }, .quiet = quiet};
    trapped(trap, [this] {
        const std::string& from_stock = carbon_stock_20yrs_1.text();
        const std::string& to_stock = carbon_stock_20yrs_2.text();
        const std::initializer_list<forms::Control*> result = {&Sequestration_Potential,
                                                               &Sequestration_Potential_label,
                                                               &Sequestration_Potential_units};
        if (from_stock.empty() || to_stock.empty()) {
            Sequestration_Potential.set_text("");
            forms::set_enabled(result, false);
            return;
        }
        forms::set_enabled(result, true);
        // Computed from the stocks as shown, rounded, in the separator they were written with.
        const numbers::Decimal change =
            engine::annual_change_of_shown(from_stock, to_stock, separator_);
        Sequestration_Potential.set_text(engine::change_text(change, separator_));
    });
}

void frmmaster::base_factor1_Change() { factor_Change(from_); }
void frmmaster::base_factor2_Change() { factor_Change(to_); }
void frmmaster::management_factor1_Change() { factor_Change(from_); }
void frmmaster::management_factor2_Change() { factor_Change(to_); }
void frmmaster::input_factor1_Change() { factor_Change(from_); }
void frmmaster::input_factor2_Change() { factor_Change(to_); }

void frmmaster::factor_Change(SystemColumn& column) {
    update_carbon_stock_20yrs(column, true);
    update_sequestration_potential(true);
}

}  // namespace humo::calculator
