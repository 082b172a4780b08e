#pragma once

#include <string_view>

#include "list_rules.h"
#include "table_source.h"

namespace humo::engine {

// What a land-use system offers and reads once its picks are known: which input list it
// offers and which factor rows its picks read.

// The input levels a system offers when `levels` says how its list is built: its land-use
// type's own for kInDisplayOrder and kInStoredOrder, "Does not apply" alone for
// kFixedDoesNotApply, nothing for kUnchanged.
const NameList& input_list(const TableSource& tables, std::string_view land_use,
                           InputLevels levels);

// The management factor a system reads: its land-use type decides which group of rows.
const StoredValue& management_factor(const TableSource& tables, std::string_view climate_region,
                                     std::string_view land_use, std::string_view management);

// The input factor a system reads: grassland's fixed input level reads no row.
const StoredValue& input_factor(const TableSource& tables, std::string_view climate_region,
                                InputLevels levels, std::string_view input);

// The factor of grassland's fixed input level.
const StoredValue& fixed_input_factor();

}  // namespace humo::engine
