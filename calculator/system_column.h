#pragma once

#include <cstdint>

#include "label.h"
#include "list_box.h"
#include "text_box.h"

namespace humo::calculator {

// One land-use system of the calculator, FROM or TO: the controls and module values that the
// twin procedures of the two systems work on.
struct SystemColumn {
    forms::ListBox& system;
    forms::Label& system_label;
    forms::ListBox& management;
    forms::TextBox& management_factor;
    forms::Label& management_factor_label;
    forms::ListBox& input;
    forms::TextBox& input_factor;
    forms::Label& input_factor_label;
    forms::TextBox& base_factor;
    forms::Label& base_factor_label;
    forms::TextBox& carbon_stock_20yrs;
    forms::Label& carbon_stock_20yrs_label;
    forms::Label& carbon_stock_20yrs_units;
    int16_t& management_count;
    int16_t& input_count;
    bool& grassland;
};

}  // namespace humo::calculator
