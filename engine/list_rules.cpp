#include "list_rules.h"

namespace humo::engine {

bool keeps_first_item(std::string_view first_item) { return first_item == kDoesNotApply; }

bool takes_grassland_factors(std::string_view land_use) { return land_use == kGrassland; }

std::string_view factor_group(bool grassland) {
    return grassland ? kGrasslandFactorGroup : kOtherFactorGroup;
}

InputLevels input_levels(std::string_view land_use, bool grassland, std::string_view management) {
    if (land_use.empty())
        return InputLevels::kUnchanged;
    if (!grassland)
        return InputLevels::kInDisplayOrder;
    if (management == kImproved)
        return InputLevels::kInStoredOrder;
    if (management.empty())
        return InputLevels::kUnchanged;
    return InputLevels::kFixedDoesNotApply;
}

bool selects_first_item(InputLevels levels) { return levels == InputLevels::kInDisplayOrder; }

bool is_no_data_reference_stock(double stock) { return stock == kNoDataValue; }

bool is_no_data_land_use_factor(std::string_view factor_text) { return factor_text == kNoDataText; }

}  // namespace humo::engine
