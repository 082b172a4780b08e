// The predicted carbon stocks of the two systems and the annual carbon stock change.

#include <cmath>

#include "failure.h"
#include "frmmaster.h"

namespace humo::calculator {
namespace {

// The years over which the predicted stocks are reached.
constexpr double kYears = 20;

double checked(double value) {
    if (!std::isfinite(value))
        throw failures::overflow();
    return value;
}

}  // namespace

void frmmaster::update_carbon_stock_20yrs_1() { update_carbon_stock_20yrs(from_); }
void frmmaster::update_carbon_stock_20yrs_2() { update_carbon_stock_20yrs(to_); }

void frmmaster::update_carbon_stock_20yrs(SystemColumn& column) {
    trapped(nullptr, [this, &column] {
        const bool complete =
            !column.system.text().empty() && !soiltype.text().empty() &&
            !climate_region.text().empty() && !column.management_factor.text().empty() &&
            !column.input_factor.text().empty() && !column.base_factor.text().empty();
        if (!complete) {
            column.carbon_stock_20yrs.set_text("");
            forms::set_enabled({&column.carbon_stock_20yrs, &column.carbon_stock_20yrs_label,
                                &column.carbon_stock_20yrs_units},
                               false);
            return;
        }
        forms::set_enabled({&column.carbon_stock_20yrs, &column.carbon_stock_20yrs_label,
                            &column.carbon_stock_20yrs_units},
                           true);
        const double reference = numbers::strict_reading(carbon_stock.text(), separator_);
        const double land_use = numbers::strict_reading(column.base_factor.text(), separator_);
        const double management =
            numbers::strict_reading(column.management_factor.text(), separator_);
        const double input = numbers::strict_reading(column.input_factor.text(), separator_);
        double stock = checked(reference * land_use);
        stock = checked(stock * management);
        stock = checked(stock * input);
        column.carbon_stock_20yrs.set_text(numbers::format_fixed(stock, 1, separator_));
    });
}

void frmmaster::update_sequestration_potential() {
    trapped(nullptr, [this] {
        const std::string from_stock = carbon_stock_20yrs_1.text();
        const std::string to_stock = carbon_stock_20yrs_2.text();
        if (from_stock.empty() || to_stock.empty()) {
            Sequestration_Potential.set_text("");
            forms::set_enabled({&Sequestration_Potential, &Sequestration_Potential_label,
                                &Sequestration_Potential_units},
                               false);
            return;
        }
        forms::set_enabled({&Sequestration_Potential, &Sequestration_Potential_label,
                            &Sequestration_Potential_units},
                           true);
        // Computed from the stocks as shown, rounded, in the separator they were written with.
        const double to_value = leading_number(to_stock);
        const double from_value = leading_number(from_stock);
        const double change = checked((to_value - from_value) / kYears);
        Sequestration_Potential.set_text(numbers::format_fixed(change, 2, separator_));
    });
}

}  // namespace humo::calculator
