#pragma once

#include <string_view>
#include <vector>

#include "decimal_separator.h"
#include "soil_carbon_database.h"
#include "table_source.h"

namespace humo::engine {

// The tables as the calculator's window reads them: each list and lookup runs its query on the
// shared result set when it is asked for, so a value edited in a data form shows at the next
// pick and a damaged row fails where it is read. Values get their text as the window's boxes
// show them under the separator.
class LiveTables : public TableSource {
public:
    LiveTables(db::SoilCarbonDatabase& database, numbers::DecimalSeparator separator)
        : database_(database), separator_(separator) {}

    const NameList& countries() const override;
    const NameList& soil_types() const override;
    const NameList& climate_regions(std::string_view country) const override;
    const NameList& land_uses(std::string_view climate_region) const override;
    const NameList& managements(std::string_view land_use) const override;
    const NameList& inputs(std::string_view land_use, InputOrder order) const override;

    const StoredValue& reference_stock(std::string_view climate_region,
                                       std::string_view soil_type) const override;
    const StoredValue& land_use_factor(std::string_view climate_region,
                                       std::string_view land_use) const override;
    const StoredValue& management_factor(std::string_view climate_region,
                                         std::string_view management,
                                         std::string_view factor_group) const override;
    const StoredValue& input_factor(std::string_view climate_region,
                                    std::string_view input) const override;

private:
    // Every row's `field` (the first column when empty) into `list`, as text.
    const NameList& read_list(NameList& list, std::string_view sql,
                              const std::vector<recordset::Value>& parameters,
                              std::string_view field = {}) const;
    // The first row's `field` (the first column when empty) into `value`.
    const StoredValue& read_value(StoredValue& value, std::string_view sql,
                                  const std::vector<recordset::Value>& parameters,
                                  std::string_view field = {}) const;

    db::SoilCarbonDatabase& database_;
    numbers::DecimalSeparator separator_;
    mutable NameList countries_;
    mutable NameList soil_types_;
    mutable NameList climate_regions_;
    mutable NameList land_uses_;
    mutable NameList managements_;
    mutable NameList inputs_;
    mutable StoredValue reference_stock_;
    mutable StoredValue land_use_factor_;
    mutable StoredValue management_factor_;
    mutable StoredValue input_factor_;
};

}  // namespace humo::engine
