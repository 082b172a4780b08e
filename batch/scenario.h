#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "decimal.h"
#include "decimal_separator.h"
#include "scenario_tables.h"

namespace humo::batch {

// What a row names for one land-use system, FROM or TO.
struct SystemCells {
    std::string_view land_use;
    std::string_view management;
    std::string_view input;
};

// The cells of one scenario row, as the user wrote them.
struct ScenarioCells {
    std::string_view country;
    std::string_view climate_region;
    std::string_view soil_type;
    SystemCells from;
    SystemCells to;
    // Present when the file has the column; an empty cell takes the table's stock.
    std::optional<std::string_view> carbon_stock;
    std::optional<std::string_view> area_ha;
};

// One system's numbers as the calculator's boxes show them.
struct SystemFigures {
    std::string_view land_use_factor;
    std::string_view management_factor;
    std::string_view input_factor;
    std::string_view stock;
};

// A row's result. When the row cannot be computed every number is empty and `error` says what
// and where. The views last until the next row is computed.
struct ScenarioResult {
    std::string_view reference_stock;
    SystemFigures from;
    SystemFigures to;
    std::string_view annual_change;
    // Empty without an area.
    std::string_view total_annual_change;
    std::string error;

    bool computed() const { return error.empty(); }
};

// Computes rows exactly as the calculator does after the same picks in its lists: the same
// lists decide what is valid, the same factors and the same arithmetic give the numbers.
class ScenarioCalculator {
public:
    // Numbers are read and written with the separator the tables were read with.
    explicit ScenarioCalculator(const ScenarioTables& tables);

    const ScenarioResult& compute(const ScenarioCells& cells);

private:
    struct Site {
        Id region = NameIndex::kNone;
        Id soil = NameIndex::kNone;
        std::string_view region_text;
        // The reference stock as the box shows it: the table's or the row's own.
        std::string_view reference;
        bool typed = false;
    };
    struct System {
        Id land_use = NameIndex::kNone;
        Id management = NameIndex::kNone;
        // None for grassland's fixed input level.
        Id input = NameIndex::kNone;
        SystemFigures factors;
    };
    struct StockKey {
        Id region, soil, land_use, management, input;
        friend bool operator==(const StockKey&, const StockKey&) = default;
    };
    struct StockKeyHash {
        size_t operator()(const StockKey& key) const;
    };
    // A predicted stock, or why there is none.
    struct Stock {
        numbers::Decimal exact;
        std::string text;
        std::string error;
    };
    struct Change {
        numbers::Decimal exact;
        std::string text;
        std::string error;
    };

    std::optional<Site> pick_site(const ScenarioCells& cells);
    std::optional<System> pick_system(const Site& site, const SystemCells& cells,
                                      const std::string& prefix);
    int pick_input(const Site& site, const SystemCells& cells, const std::string& prefix,
                   System& system, std::string_view land_use_text, std::string_view management_text,
                   bool grassland);
    // The position in `list` of the item the cell names, as a user picks it; -1 after saying
    // why there is none. An empty cell stands for what the calculator leaves selected after
    // filling the list, or else "Does not apply" where the list offers it.
    int pick_item(const std::string& column, std::string_view cell, const NameIndex& names,
                  const NameList& list, const std::string& offered_by,
                  bool first_item_selected = false);
    Id pick_name(const std::string& column, std::string_view cell, const NameIndex& names);
    std::optional<numbers::Decimal> amount(const std::string& column, std::string_view cell);

    // The system's stock, shared with earlier rows of the same picks (its `index`), or
    // computed into `unshared` for a row with a reference stock of its own.
    const Stock& stock_of(const Site& site, const System& system, const std::string& prefix,
                          Stock& unshared, size_t& index);
    void compute_stock(const Site& site, const System& system, const std::string& prefix,
                       Stock& stock) const;
    const Change& change_of(const Stock& from, size_t from_index, const Stock& to, size_t to_index);
    void compute_change(const Stock& from, const Stock& to, Change& change) const;

    void fail(std::string message) { errors_.push_back(std::move(message)); }
    std::string did_you_mean(std::string_view cell, const std::vector<std::string>& names);

    const ScenarioTables& tables_;
    numbers::DecimalSeparator separator_;
    ScenarioResult result_;
    std::vector<std::string> errors_;

    // Rows share the stocks and changes of their picks; a deque keeps each where it is.
    std::unordered_map<StockKey, size_t, StockKeyHash> stock_index_;
    std::deque<Stock> stocks_;
    std::unordered_map<uint64_t, Change> changes_;
    std::unordered_map<std::string, std::string> suggestions_;
    // The numbers of a row with a reference stock of its own, which no other row shares.
    Stock typed_from_;
    Stock typed_to_;
    Change typed_change_;
    std::string total_text_;
};

}  // namespace humo::batch
