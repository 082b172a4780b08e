#pragma once

#include <string_view>

#include "name_list.h"
#include "stored_value.h"

namespace humo::engine {

// The order a land-use type's input levels are listed in.
enum class InputOrder { kDisplay, kStored };

// Everything the calculator's lists offer and its lookups find. The window asks the database
// each time (an edit in a data form shows at the next pick); the batch holds the tables in
// memory. Names are the texts the lists show, matched as the database matches them. A list or
// value returned stays valid until the source is asked for the same kind again. A source that
// cannot read its database throws the failure that stopped it.
class TableSource {
public:
    virtual ~TableSource() = default;

    // The lists, in the order the calculator shows them; rows without a name are left out.
    virtual const NameList& countries() const = 0;
    virtual const NameList& soil_types() const = 0;
    virtual const NameList& climate_regions(std::string_view country) const = 0;
    virtual const NameList& land_uses(std::string_view climate_region) const = 0;
    virtual const NameList& managements(std::string_view land_use) const = 0;
    virtual const NameList& inputs(std::string_view land_use, InputOrder order) const = 0;

    // The lookups: the value of the first row that matches.
    virtual const StoredValue& reference_stock(std::string_view climate_region,
                                               std::string_view soil_type) const = 0;
    virtual const StoredValue& land_use_factor(std::string_view climate_region,
                                               std::string_view land_use) const = 0;
    virtual const StoredValue& management_factor(std::string_view climate_region,
                                                 std::string_view management,
                                                 std::string_view factor_group) const = 0;
    virtual const StoredValue& input_factor(std::string_view climate_region,
                                            std::string_view input) const = 0;
};

}  // namespace humo::engine
