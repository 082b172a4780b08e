#pragma once

#include <array>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "batch_columns.h"
#include "cell_memo.h"
#include "memory_tables.h"
#include "number_map.h"
#include "row_ranges.h"
#include "scenario_rules.h"

namespace humo::batch {

using engine::ScenarioCells;
using engine::SystemCells;
using engine::SystemFigures;

// A row's result. When the row cannot be computed every number is empty and `error` says what
// and where. The views last until the next row is computed.
struct ScenarioResult {
    std::string_view reference_stock;
    SystemFigures from;
    SystemFigures to;
    std::string_view annual_change;
    // Empty without an area.
    std::string_view total_annual_change;
    // Asked for: the change as CO2, and over the area.
    std::string_view annual_co2;
    std::string_view total_annual_co2;
    // Asked for: the 95% ranges' bounds, in the columns' order (the carbon's, then the CO2's),
    // and the values used as exact.
    std::array<std::string_view, 12> ranges{};
    std::string_view not_covered;
    std::string error;

    bool computed() const { return error.empty(); }
};

// A row's texts in the order of the result columns.
std::array<std::string_view, kResultColumnCount> result_texts(const ScenarioResult& result);

// Computes rows exactly as the calculator does after the same picks in its lists, by the
// engine's rules, and shares the work between rows: rows name the same few thousand sites and
// systems over and over, so each pick and each predicted stock is made once and found again.
class ScenarioCalculator {
public:
    explicit ScenarioCalculator(const engine::MemoryTables& tables);

    // Computes the rows' ranges too, with these; they must outlive the calculator.
    void add_ranges(RowRanges& ranges) { ranges_ = &ranges; }
    // Computes the change as CO2 too.
    void add_co2() { co2_ = true; }

    // `line` tells a row's own draws, such as its area's, from every other row's.
    const ScenarioResult& compute(const ScenarioCells& cells, int64_t line = 0);

private:
    // A pick that succeeded is kept and found again by its cells as written. A failing pick
    // runs afresh, so its row says why.
    std::optional<engine::Site> site_of(const ScenarioCells& cells);
    std::optional<engine::System> system_of(const engine::Site& site, const SystemCells& cells,
                                            const engine::SystemColumns& columns);
    // The system's stock, shared with earlier rows of the same values, or computed into
    // `unshared` for a row with a reference stock of its own.
    const engine::Stock& stock_of(const engine::Site& site, const engine::System& system,
                                  const engine::SystemColumns& columns, engine::Stock& unshared);
    // Starts the shared picks and stocks afresh once they hold as much as memory allows.
    void bound_what_is_shared();
    void fail(std::string message);

    // The ranges of a computed row, into result_.
    void compute_ranges(const ScenarioCells& cells, const engine::Site& site,
                        const engine::System& from, const engine::System& to,
                        const engine::Stock& from_stock, const engine::Stock& to_stock,
                        const std::optional<numbers::Decimal>& area, int64_t line);

    engine::ScenarioRules rules_;
    RowRanges* ranges_ = nullptr;
    bool co2_ = false;
    std::string co2_text_;
    std::string total_co2_text_;
    ScenarioResult result_;
    std::vector<std::string> errors_;

    CellMemo site_index_;
    std::vector<engine::Site> sites_;
    CellMemo system_index_;
    std::vector<engine::System> systems_;
    // Rows share the stocks of their values; a deque keeps each where it is. Shared only when
    // every table position fits the 16 bits a key gives it.
    bool shared_ = true;
    NumberMap stock_index_;
    std::deque<engine::Stock> stocks_;
    // The numbers of a row with a reference stock of its own, which no other row shares.
    engine::Stock typed_from_;
    engine::Stock typed_to_;
    std::string change_text_;
    std::string total_text_;
};

}  // namespace humo::batch
