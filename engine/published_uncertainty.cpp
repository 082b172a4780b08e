#include "published_uncertainty.h"

#include "name_index.h"
#include "sqlite_database.h"
#include "sqlite_statement.h"

namespace humo::engine {
namespace {

// FNV-1a, 64 bits: fixed by definition, unlike std::hash.
constexpr uint64_t kOffsetBasis = 14695981039346656037ULL;
constexpr uint64_t kPrime = 1099511628211ULL;

void hash_into(uint64_t& hash, std::string_view text) {
    for (const char c : folded(text)) {
        hash ^= static_cast<unsigned char>(c);
        hash *= kPrime;
    }
    hash ^= 0x1f;  // a separator no name holds, so "ab"+"c" differs from "a"+"bc"
    hash *= kPrime;
}

}  // namespace

uint64_t value_identity(const ValueKey& key) {
    uint64_t hash = kOffsetBasis;
    hash ^= static_cast<uint64_t>(key.table) + 1;
    hash *= kPrime;
    hash_into(hash, key.climate_region);
    hash_into(hash, key.name);
    // Input levels have names of their own in each group, and their lookup does not ask for one.
    if (key.table == ValueTable::kManagementFactor)
        hash_into(hash, key.factor_group);
    return hash;
}

PublishedUncertainties PublishedUncertainties::read(const std::string& database_path) {
    PublishedUncertainties published;
    sqlite::Database database(database_path, sqlite::OpenMode::kReadOnly);
    sqlite::Statement exists(database,
                             "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
    exists.bind(1, db::kUncertaintyTable);
    if (!exists.step()) {
        published.missing_reason_ =
            "the database was made before published uncertainties were kept with the values";
        return published;
    }
    sqlite::Statement rows(database,
                           "SELECT value_table, climate_region, name, grassland_other, value, "
                           "plus_minus_percent, standard_deviations FROM " +
                               std::string(db::kUncertaintyTable) + " ORDER BY rowid");
    while (rows.step()) {
        const db::UncertainValues* table = db::find_uncertain_values(rows.text(0));
        if (!table || !rows.is_number(4) || !rows.is_number(5) || !rows.is_number(6) ||
            rows.number(6) <= 0)
            continue;  // the database check names such rows
        const std::string region = rows.text(1), name = rows.text(2), group = rows.text(3);
        published.add({table->kind, region, name, group},
                      {rows.number(4), rows.number(5), rows.number(6)});
    }
    return published;
}

void PublishedUncertainties::add(const ValueKey& key, const Published& published) {
    by_identity_.emplace(value_identity(key), published);
}

const Published* PublishedUncertainties::find(const ValueKey& key) const {
    const auto found = by_identity_.find(value_identity(key));
    return found == by_identity_.end() ? nullptr : &found->second;
}

}  // namespace humo::engine
