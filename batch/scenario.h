#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cell_memo.h"
#include "decimal.h"
#include "decimal_separator.h"
#include "number_map.h"
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
    // The columns of one system, FROM or TO.
    struct SystemColumns {
        std::string_view land_use;
        std::string_view management;
        std::string_view input;
        std::string_view land_use_factor;
        std::string_view management_factor;
        std::string_view input_factor;
        std::string_view stock;
    };
    static const SystemColumns kFrom;
    static const SystemColumns kTo;
    // A value of a column, as a message names it: only written out when a row fails.
    struct Named {
        std::string_view column;
        std::string_view value;
    };
    struct Site {
        Id region = NameIndex::kNone;
        Id soil = NameIndex::kNone;
        // Where the reference stock lies in its table.
        uint64_t stock_position = 0;
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
        // Where the three factors lie in their tables: with the reference stock's, they tell
        // which rows share a predicted stock.
        uint64_t land_use_position = 0;
        uint64_t management_position = 0;
        uint64_t input_position = 0;
    };
    // A predicted stock, or why there is none.
    struct Stock {
        numbers::Decimal exact;
        std::string text;
        // The shown stock in tenths, when it is small enough to take the difference of two in
        // whole numbers: the change of most rows needs no decimal arithmetic.
        std::optional<int64_t> tenths;
        std::string error;
    };

    // Rows name the same sites and systems over and over: a pick that succeeded is kept and
    // found again by its cells as written. A failing pick runs afresh, so its row says why.
    std::optional<Site> site_of(const ScenarioCells& cells);
    std::optional<System> system_of(const Site& site, const SystemCells& cells,
                                    const SystemColumns& columns);
    std::optional<Site> pick_site(const ScenarioCells& cells);
    std::optional<System> pick_system(const Site& site, const SystemCells& cells,
                                      const SystemColumns& columns);
    bool pick_input(const Site& site, const SystemCells& cells, const SystemColumns& columns,
                    System& system, std::string_view land_use_text,
                    std::string_view management_text, bool grassland);
    // The position in `list` of the item the cell names, as a user picks it; -1 after saying
    // why there is none. An empty cell stands for what the calculator leaves selected after
    // filling the list, or else "Does not apply" where the list offers it.
    int pick_item(std::string_view column, std::string_view cell, const NameIndex& names,
                  const NameList& list, const Named& offered_by, bool first_item_selected = false);
    Id pick_name(std::string_view column, std::string_view cell, const NameIndex& names);
    std::optional<numbers::Decimal> amount(std::string_view column, std::string_view cell);

    // The system's stock, shared with earlier rows of the same picks, or computed into
    // `unshared` for a row with a reference stock of its own.
    const Stock& stock_of(const Site& site, const System& system, const SystemColumns& columns,
                          Stock& unshared);
    void compute_stock(const Site& site, const System& system, const SystemColumns& columns,
                       Stock& stock) const;
    // Into change_text_; false when the change is beyond the range of numbers.
    bool compute_change(const Stock& from, const Stock& to);
    // The change over the row's area, MgC/yr.
    void total_over(const Stock& from, const Stock& to, const numbers::Decimal& area);

    void fail(std::string message) { errors_.push_back(std::move(message)); }
    std::string did_you_mean(std::string_view cell, const std::vector<std::string>& names);

    const ScenarioTables& tables_;
    numbers::DecimalSeparator separator_;
    ScenarioResult result_;
    std::vector<std::string> errors_;

    CellMemo site_index_;
    std::vector<Site> sites_;
    CellMemo system_index_;
    std::vector<System> systems_;
    // Rows share the stocks of their values; a deque keeps each where it is. Shared only when
    // every table position fits the 16 bits a key gives it.
    bool shared_ = true;
    NumberMap stock_index_;
    std::deque<Stock> stocks_;
    std::unordered_map<std::string, std::string> suggestions_;
    // The numbers of a row with a reference stock of its own, which no other row shares.
    Stock typed_from_;
    Stock typed_to_;
    std::string change_text_;
    std::string total_text_;
};

}  // namespace humo::batch
