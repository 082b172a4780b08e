#pragma once

#include <gtest/gtest.h>

#include "calculator_session.h"

namespace humo::calculator {

// The calculator on the fixture world of tests/fixtures/calculator.sql.
class CalculatorTest : public ::testing::Test {
public:
    explicit CalculatorTest(char separator = '.')
        : session(testing::read_fixture("calculator.sql"), separator), c(start(session)) {}

    void pick(forms::ListBox& list, const std::string& text) { session.pick(list, text); }
    void type(forms::TextBox& box, const std::string& text) { session.type(box, text); }
    std::vector<std::string> messages() const { return session.messages(); }
    void site(const std::string& country, const std::string& region) {
        pick(c.country, country);
        pick(c.climate_region, region);
    }
    // Atlantis, Warm (reference stock 38): FROM Long-term cultivated 0.69 · Full tillage 1 ·
    // Medium 1 (26.2), TO Orchard 1 · No-till 1.1 · Low 0.92 (38.5), change 0.62.
    void worked_example() {
        pick(c.country, "Syldavia");  // starts afresh when the example runs again
        site("Atlantis", "Warm");
        session.pick_systems({"Long-term cultivated", "Full tillage", "Medium"},
                             {"Orchard", "No-till", "Low"});
    }
    std::vector<std::string> to_system() const {
        return testing::seen({&c.system2, &c.Management2, &c.management_factor2, &c.Input2,
                              &c.input_factor2, &c.base_factor2, &c.carbon_stock_20yrs_2});
    }

    testing::CalculatorSession session;
    frmmaster& c;

private:
    static frmmaster& start(testing::CalculatorSession& session) {
        session.start_calculator();
        return session.calc();
    }
};

using testing::error_box;
using testing::kNoCurrentRecord;

}  // namespace humo::calculator
