#include "system_lookups.h"

namespace humo::engine {
namespace {

NameList only_does_not_apply() {
    NameList list;
    list.add(kNoName, std::string(kDoesNotApply));
    return list;
}

}  // namespace

const NameList& input_list(const TableSource& tables, std::string_view land_use,
                           InputLevels levels) {
    static const NameList kNothing;
    static const NameList kOnlyDoesNotApply = only_does_not_apply();
    switch (levels) {
        case InputLevels::kInDisplayOrder:
            return tables.inputs(land_use, InputOrder::kDisplay);
        case InputLevels::kInStoredOrder:
            return tables.inputs(land_use, InputOrder::kStored);
        case InputLevels::kFixedDoesNotApply:
            return kOnlyDoesNotApply;
        case InputLevels::kUnchanged:
            break;
    }
    return kNothing;
}

const StoredValue& management_factor(const TableSource& tables, std::string_view climate_region,
                                     std::string_view land_use, std::string_view management) {
    return tables.management_factor(climate_region, management,
                                    factor_group(takes_grassland_factors(land_use)));
}

const StoredValue& input_factor(const TableSource& tables, std::string_view climate_region,
                                InputLevels levels, std::string_view input) {
    if (levels == InputLevels::kFixedDoesNotApply)
        return fixed_input_factor();
    return tables.input_factor(climate_region, input);
}

const StoredValue& fixed_input_factor() {
    static const StoredValue kFixed{StoredValue::Kind::kText,
                                    std::string(kFixedGrasslandInputFactor), 1,
                                    StoredValue::kNotStored};
    return kFixed;
}

}  // namespace humo::engine
