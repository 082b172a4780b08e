#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "decimal.h"
#include "memory_tables.h"

namespace humo::engine {

// What a row names for one land-use system, FROM or TO.
struct SystemCells {
    std::string_view land_use;
    std::string_view management;
    std::string_view input;
};

// The cells of one scenario, as the user wrote them.
struct ScenarioCells {
    std::string_view country;
    std::string_view climate_region;
    std::string_view soil_type;
    SystemCells from;
    SystemCells to;
    // Present when the file has the column; an empty cell takes the table's stock.
    std::optional<std::string_view> carbon_stock;
    std::optional<std::string_view> area_ha;
    // The area's ± as a 95% limit, in percent: read only when ranges are asked for.
    std::optional<std::string_view> area_uncertainty;
};

// The names a system's cells and figures go by in messages, FROM's or TO's.
struct SystemColumns {
    std::string_view land_use;
    std::string_view management;
    std::string_view input;
    std::string_view land_use_factor;
    std::string_view management_factor;
    std::string_view input_factor;
    std::string_view stock;
};
extern const SystemColumns kFromColumns;
extern const SystemColumns kToColumns;

// One system's numbers as the calculator's boxes show them.
struct SystemFigures {
    std::string_view land_use_factor;
    std::string_view management_factor;
    std::string_view input_factor;
    std::string_view stock;
};

// The site a scenario's cells pick.
struct Site {
    Id region = kNoName;
    Id soil = kNoName;
    std::string_view region_text;
    // The reference stock as the box shows it: the table's or the row's own.
    std::string_view reference;
    // Where the table's reference stock lies in its table.
    uint32_t stock_position = 0;
    bool typed = false;
};

// A land-use system a scenario's cells pick on a site: its factors as the boxes show them, and
// where each lies in its table, which tells two systems' factors apart.
struct System {
    SystemFigures factors;
    // The names picked, as the tables hold them (views into the tables).
    std::string_view land_use;
    std::string_view management;
    std::string_view input;
    uint32_t land_use_position = 0;
    uint32_t management_position = 0;
    uint32_t input_position = StoredValue::kNotStored;
};

// A predicted stock, or why there is none.
struct Stock {
    numbers::Decimal exact;
    std::string text;
    // The shown stock in tenths, when it is small enough to take the difference of two in
    // whole numbers.
    std::optional<int64_t> tenths;
    std::string error;
};

// Picks a scenario's names in the calculator's lists as a user would, in the calculator's
// order, and computes its figures with the calculator's arithmetic. What cannot be picked or
// computed is said in errors(), naming the column and the value, for the row's error text.
class ScenarioRules {
public:
    // Numbers are read and written with the separator the tables were read with.
    explicit ScenarioRules(const MemoryTables& tables);

    const MemoryTables& tables() const { return tables_; }
    const std::vector<std::string>& errors() const { return errors_; }
    void clear_errors() { errors_.clear(); }

    // The site, or nothing when its region cannot be picked. A site without a reference stock
    // is returned with an error, as the calculator still offers its systems.
    std::optional<Site> pick_site(const ScenarioCells& cells);
    std::optional<System> pick_system(const Site& site, const SystemCells& cells,
                                      const SystemColumns& columns);
    // A number the user gave, such as an area: not negative and finite.
    std::optional<numbers::Decimal> amount(std::string_view column, std::string_view cell);

    void compute_stock(const Site& site, const System& system, const SystemColumns& columns,
                       Stock& stock) const;
    // The annual change as the calculator shows it, into `text`; false when it is beyond the
    // range of numbers.
    bool compute_change(const Stock& from, const Stock& to, std::string& text) const;
    // The change over an area, MgC/yr, from the exact stocks; false beyond the range of numbers.
    bool compute_total(const Stock& from, const Stock& to, const numbers::Decimal& area,
                       std::string& text) const;

private:
    // A value of a column, as a message names it.
    struct Named {
        std::string_view column;
        std::string_view value;
    };
    bool pick_input(const Site& site, const SystemCells& cells, const SystemColumns& columns,
                    System& system, std::string_view land_use, std::string_view management);
    // The position in `list` of the item the cell names, as a user picks it; -1 after saying
    // why there is none. An empty cell stands for what the calculator leaves selected after
    // filling the list, or else "Does not apply" where the list offers it.
    int pick_item(std::string_view column, std::string_view cell, const NameIndex& names,
                  const NameList& list, const Named& offered_by, bool first_item_selected);
    Id pick_name(std::string_view column, std::string_view cell, const NameIndex& names);

    void fail(std::string message) { errors_.push_back(std::move(message)); }
    std::string did_you_mean(std::string_view cell, const std::vector<std::string>& names);

    const MemoryTables& tables_;
    numbers::DecimalSeparator separator_;
    std::vector<std::string> errors_;
    // Rows with the same slip ask the same question: answered once.
    std::unordered_map<std::string, std::string> suggestions_;
};

}  // namespace humo::engine
