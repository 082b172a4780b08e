#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "decimal_separator.h"
#include "history_report.h"
#include "memory_tables.h"

namespace humo::app {

// A land unit's history as the window edits it and humo-script drives it, without a toolkit:
// the site and the regimes as picked, the lists each pick offers as the calculator's lists
// offer them, and the history computed from them. Each list follows the picks before it: a
// pick it still offers stays, any other starts as the calculator's list starts when it is
// filled.
class LandUseHistory {
public:
    // Reads the lists and lookups afresh from the database, so that edits in the data forms
    // count. A database that cannot be read leaves the lists empty and says why in every
    // history computed.
    void read_tables(const std::string& database, numbers::DecimalSeparator separator);

    const report::HistoryEntries& entries() const { return entries_; }
    // Puts the entries back as they were, for undo: nothing follows.
    void restore(const report::HistoryEntries& entries);

    void set_site_name(std::string name);
    void set_country(std::string_view name);
    void set_climate_region(std::string_view name);
    void set_soil_type(std::string_view name);
    void set_carbon_stock(std::string stock);
    void set_area(std::string area);
    // The regime moves to its year's place, after any regime of the same year; returns where.
    size_t set_year(size_t regime, int year);
    void set_land_use(size_t regime, std::string_view name);
    void set_management(size_t regime, std::string_view name);
    void set_input(size_t regime, std::string_view name);
    // A new regime the year after the last one, with its system; returns where.
    size_t add_regime();
    // The regime of the entry's year, replacing one of that year; returns where.
    size_t put_regime(const report::RegimeEntry& regime);
    void remove_regime(size_t regime);
    // The regime starting in `year`, if any.
    std::optional<size_t> regime_of(int year) const;
    void set_years(std::optional<int> from, std::optional<int> to, int every);

    // What each list offers now.
    std::vector<std::string> countries() const;
    std::vector<std::string> climate_regions() const;
    std::vector<std::string> soil_types() const;
    std::vector<std::string> land_uses() const;
    std::vector<std::string> managements(size_t regime) const;
    std::vector<std::string> inputs(size_t regime) const;

    // The history as every output shows it, computed once after each change.
    const report::HistoryReport& report() const;

private:
    const engine::NameList& region_list() const;
    const engine::NameList& land_use_list() const;
    const engine::NameList& management_list(const report::RegimeEntry& regime) const;
    const engine::NameList& input_list(const report::RegimeEntry& regime) const;
    void follow_region();
    void follow_land_use(report::RegimeEntry& regime);
    void follow_management(report::RegimeEntry& regime);
    size_t place(report::RegimeEntry regime);
    void changed() { report_.reset(); }

    std::unique_ptr<engine::MemoryTables> tables_;
    std::string tables_error_ = "no database has been read";
    report::HistoryEntries entries_;
    mutable std::optional<report::HistoryReport> report_;
};

}  // namespace humo::app
