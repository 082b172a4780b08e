#pragma once

#include <string_view>

#include "fixed_names.h"

namespace humo::engine {

// The rules of what the calculator's lists offer and keep selected. The calculator and every
// program that computes a scenario the way the calculator would follow these, so a row of a
// batch can never disagree with the window.

// A management or input list filled from the database selects its first item; the selection
// stays only when that item is "Does not apply", otherwise the user must choose.
bool keeps_first_item(std::string_view first_item);

// Only the land-use type "Grassland" takes the grassland rows of the management factors.
bool takes_grassland_factors(std::string_view land_use);
// The grassland_other value of the factor rows a system takes.
std::string_view factor_group(bool grassland);

// How a system's input level list is built once its management system is known.
enum class InputLevels {
    kUnchanged,          // no land-use type or, for grassland, no management system yet
    kInDisplayOrder,     // the land-use type's input levels, by their display order
    kInStoredOrder,      // improved grassland: its input levels as the table stores them
    kFixedDoesNotApply,  // other grassland: "Does not apply" alone, with the factor 1
};
InputLevels input_levels(std::string_view land_use, bool grassland, std::string_view management);
// Whether a list built so selects its first item as it is filled.
bool selects_first_item(InputLevels levels);

// A stored reference carbon stock of -999 means there are no data for that soil and region.
bool is_no_data_reference_stock(double stock);
// A land-use factor written exactly "-999" means there are no data for that land use there.
bool is_no_data_land_use_factor(std::string_view factor_text);

}  // namespace humo::engine
