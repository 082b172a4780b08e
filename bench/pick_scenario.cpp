#include "pick_scenario.h"

#include <stdexcept>

namespace humo::bench {

const char* pick_name(Pick pick) {
    switch (pick) {
        case Pick::kCountry:
            return "country";
        case Pick::kClimateRegion:
            return "climate_region";
        case Pick::kSoilType:
            return "soiltype";
        case Pick::kLandUse:
            return "system1";
        case Pick::kManagement:
            return "Management1";
        case Pick::kInput:
            return "Input1";
    }
    return "?";
}

forms::ListBox& list_of(calculator::frmmaster& form, Pick pick) {
    switch (pick) {
        case Pick::kCountry:
            return form.country;
        case Pick::kClimateRegion:
            return form.climate_region;
        case Pick::kSoilType:
            return form.soiltype;
        case Pick::kLandUse:
            return form.system1;
        case Pick::kManagement:
            return form.Management1;
        case Pick::kInput:
            return form.Input1;
    }
    throw std::logic_error("unknown pick");
}

Scenario shipped_scenario() {
    return {{{{"Canada", "France"},
              {"Cold Temperate Wet", "Boreal"},
              {"High clay activity mineral", "Sandy"},
              {"Long-term cultivated", "Set aside"},
              {"Reduced tillage", "No-till"},
              {"Medium", "High with manure"}}},
            "Grassland",
            "Improved",
            "High"};
}

Scenario large_scenario() {
    return {{{{"Country 0001", "Country 0002"},
              {"Warm Temperate Dry", "Boreal"},
              {"High clay activity mineral", "Soil type 42"},
              {"Long-term cultivated", "Land use 17"},
              {"Reduced tillage", "Management practice 10"},
              {"Medium", "Input level 12"}}},
            "Grassland",
            "Improved",
            "Grassland input 07"};
}

void choose_all(CalculatorSession& session, const Scenario& scenario) {
    calculator::frmmaster& form = session.form();
    for (size_t i = 0; i < kPicks.size(); ++i) {
        session.pick(list_of(form, kPicks[i]), scenario.from[i].chosen);
    }
    session.pick(form.system2, scenario.to_land_use);
    session.pick(form.Management2, scenario.to_management);
    session.pick(form.Input2, scenario.to_input);
    if (form.Sequestration_Potential.text().empty()) {
        throw std::runtime_error("the scenario does not reach a carbon stock change");
    }
}

PickRecording prepare_pick(CalculatorSession& session, const Scenario& scenario, Pick pick) {
    choose_all(session, scenario);
    forms::ListBox& list = list_of(session.form(), pick);
    const Alternation& items = scenario.from[static_cast<size_t>(pick)];
    PickRecording recording{{CalculatorSession::index_of(list, items.other),
                             CalculatorSession::index_of(list, items.chosen)},
                            {}};
    for (int index : recording.indices)
        session.pick(list, index);

    std::array<std::array<std::vector<TracedStatement>, 2>, 2> rounds;
    for (auto& round : rounds) {
        for (size_t turn = 0; turn < 2; ++turn) {
            SqlTrace trace(session.connection());
            session.pick(list, recording.indices[turn]);
            round[turn] = trace.take();
        }
    }
    for (size_t turn = 0; turn < 2; ++turn) {
        if (expanded_texts(rounds[0][turn]) != expanded_texts(rounds[1][turn])) {
            throw std::runtime_error(std::string("the cascade of ") + pick_name(pick) +
                                     " differs from one round to the next");
        }
        if (rounds[1][turn].empty()) {
            throw std::runtime_error(std::string("the pick of ") + pick_name(pick) +
                                     " ran no statement");
        }
    }
    recording.statements = std::move(rounds[1]);
    return recording;
}

}  // namespace humo::bench
