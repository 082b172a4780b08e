#pragma once

#include <array>
#include <string>
#include <vector>

#include "calculator_session.h"
#include "sql_trace.h"

namespace humo::bench {

// The picks whose cascades we time: the site, then the FROM system.
enum class Pick { kCountry, kClimateRegion, kSoilType, kLandUse, kManagement, kInput };
inline constexpr std::array kPicks = {Pick::kCountry, Pick::kClimateRegion, Pick::kSoilType,
                                      Pick::kLandUse, Pick::kManagement,    Pick::kInput};

const char* pick_name(Pick pick);
forms::ListBox& list_of(calculator::frmmaster& form, Pick pick);

// One list's item in a complete calculation, and the item a benchmark alternates it with.
struct Alternation {
    std::string chosen;
    std::string other;
};

// A complete calculation on one database: the site and the FROM system, in the order of
// kPicks, then the TO system, so every result box holds a value before a pick is timed.
struct Scenario {
    std::array<Alternation, kPicks.size()> from;
    std::string to_land_use;
    std::string to_management;
    std::string to_input;
};

Scenario shipped_scenario();
Scenario large_scenario();

// Makes every choice of the scenario as a user would, site first, then FROM, then TO.
void choose_all(CalculatorSession& session, const Scenario& scenario);

// What a benchmark of one pick needs: the two list positions it alternates between, the other
// item's first, and the statements each of those two picks runs.
struct PickRecording {
    std::array<int, 2> indices;
    std::array<std::vector<TracedStatement>, 2> statements;
};

// Chooses the whole scenario, alternates once so the statements are prepared and the state the
// first change resets has settled, then records two more rounds and checks they agree.
PickRecording prepare_pick(CalculatorSession& session, const Scenario& scenario, Pick pick);

}  // namespace humo::bench
