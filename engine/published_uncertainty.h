#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "uncertainty_tables.h"

namespace humo::engine {

using db::ValueTable;

// A stored value's place: its table, climate region and name (soil type, land-use type,
// management system or input level) and, for management factors, the group of rows it is in.
// Names compare as the database compares them, whatever the case of their letters.
struct ValueKey {
    ValueTable table = ValueTable::kReferenceStock;
    std::string_view climate_region;
    std::string_view name;
    std::string_view factor_group;
};

// The same key gives the same number in every program and on every run: a value's draws are
// found by it, so a row computed alone draws what it draws among many.
uint64_t value_identity(const ValueKey& key);

// A ± an edition publishes for one value: ±plus_minus_percent of `value`, spanning
// `standard_deviations` standard deviations of a normal distribution.
struct Published {
    double value = 0;
    double plus_minus_percent = 0;
    double standard_deviations = 2;

    // The standard deviation as a fraction of the value.
    double relative_deviation() const { return plus_minus_percent / 100 / standard_deviations; }
};

// The published uncertainties a database holds, read once.
class PublishedUncertainties {
public:
    // Reads them from the database file; a database made before they were kept holds none and
    // says so in missing_reason(). Throws the database's failure when the file cannot be read.
    static PublishedUncertainties read(const std::string& database_path);

    void add(const ValueKey& key, const Published& published);
    // The ± published for the value at `key`; the first one stored wins, as lookups take the
    // first row.
    const Published* find(const ValueKey& key) const;
    bool empty() const { return by_identity_.empty(); }
    // Why there are none, when the database cannot hold them; empty otherwise.
    const std::string& missing_reason() const { return missing_reason_; }

private:
    std::unordered_map<uint64_t, Published> by_identity_;
    std::string missing_reason_;
};

}  // namespace humo::engine
