#include <utility>

#include "calculator_fixture.h"

namespace humo::calculator {
namespace {

using forms::HelpCall;

constexpr int kF1 = 112;
constexpr int kLeft = 1, kRight = 2, kMiddle = 4;

// The calculator with every list picked, so every box holds a value and is enabled; the
// What's This requests are kept with the number of help calls made before each.
class ContextHelpTest : public CalculatorTest, public forms::ProgramObserver {
protected:
    ContextHelpTest() {
        site("Atlantis", "Warm");
        session.pick_systems({"Long-term cultivated", "Full tillage", "Low"},
                             {"Grassland", "Improved", "High"});
        session.program.set_observer(this);
    }
    ~ContextHelpTest() override { session.program.set_observer(nullptr); }

    void whats_this_requested(forms::Control& control) override {
        whats_this.emplace_back(control.name(), calls().size());
    }

    std::vector<HelpCall>& calls() { return session.host.help_calls; }
    std::string help_file() const { return session.dir.path().string() + "/humo_tool.chm"; }
    HelpCall context_help(const std::string& control, int number) const {
        return {"frmmaster." + control, help_file(), 15, number};
    }

    void focus(forms::Control& control) { EXPECT_FALSE(control.user_focus()) << control.name(); }
    void f1(int shift = 0) { EXPECT_FALSE(c.user_key_up(kF1, shift)); }

    // The What's This requests, each with the help calls made before it.
    std::vector<std::pair<std::string, size_t>> whats_this;
};

TEST_F(ContextHelpTest, F1OpensTheTopicOfTheControlThatHasTheFocus) {
    std::vector<std::pair<forms::Control*, int>> topics = {
        {&c.country, 1000},     {&c.climate_region, 1001},
        {&c.soiltype, 1002},    {&c.soiltype_fao, 1003},
        {&c.soiltype_usda, 0},  {&c.carbon_stock, 1008},
        {&c.Exit, 0},           {&c.cmdHelp, 0},
        {&c.cmdMgmtFactors, 0}, {&c.Sequestration_Potential, 1009}};
    for (SystemColumn column : {c.from_column(), c.to_column()}) {
        topics.insert(topics.end(), {{&column.system, 1003},
                                     {&column.management, 1004},
                                     {&column.management_factor, 1004},
                                     {&column.input, 1005},
                                     {&column.input_factor, 1005},
                                     {&column.base_factor, 1006},
                                     {&column.carbon_stock_20yrs, 1007}});
    }
    std::vector<HelpCall> expected;
    for (auto [control, number] : topics) {
        focus(*control);
        f1();
        expected.push_back(context_help(control->name(), number));
    }
    // Shift, Ctrl or Alt with F1 too; F1 going down and other keys ask for nothing.
    focus(c.climate_region);
    for (int shift : {1, 2, 4}) {
        f1(shift);
        expected.push_back(context_help("climate_region", 1001));
    }
    EXPECT_FALSE(c.user_key_down(kF1, 0));
    EXPECT_FALSE(c.user_key_up(kF1 + 1, 0));
    EXPECT_EQ(calls(), expected);
    EXPECT_TRUE(whats_this.empty());
    EXPECT_TRUE(messages().empty());
}

// The note of the clicked control first, then help on the focused one; nothing is picked.
TEST_F(ContextHelpTest, EveryListAndBoxAnswersARightClickWithItsOwnNote) {
    std::vector<forms::Control*> answering = {&c.country, &c.climate_region, &c.soiltype,
                                              &c.carbon_stock, &c.Sequestration_Potential};
    for (SystemColumn column : {c.from_column(), c.to_column()}) {
        answering.insert(
            answering.end(),
            {&column.system, &column.management, &column.management_factor, &column.input,
             &column.input_factor, &column.base_factor, &column.carbon_stock_20yrs});
    }
    focus(c.Sequestration_Potential);
    std::vector<std::pair<std::string, size_t>> expected_notes;
    for (forms::Control* control : answering) {
        expected_notes.emplace_back(control->name(), expected_notes.size());
        EXPECT_FALSE(control->user_mouse_up(kRight, 0)) << control->name();
    }
    EXPECT_EQ(whats_this, expected_notes);
    EXPECT_EQ(calls(), std::vector<HelpCall>(answering.size(),
                                             context_help("Sequestration_Potential", 1009)));
    EXPECT_TRUE(c.Sequestration_Potential.has_focus());
    EXPECT_EQ(c.country.text(), "Atlantis");

    // Each note names the control as its caption does, and which system it belongs to.
    EXPECT_EQ(c.country.whats_this().rfind("Country:", 0), 0u);
    EXPECT_EQ(c.management_factor2.whats_this().rfind("Mgmt Factor of the TO system:", 0), 0u);
    EXPECT_EQ(c.input_factor1.whats_this().rfind("Input Factor of the FROM system:", 0), 0u);
    EXPECT_NE(c.Sequestration_Potential.whats_this().find("20 years"), std::string::npos);
    for (forms::Control* control : answering)
        EXPECT_FALSE(control->whats_this().empty()) << control->name();
}

TEST_F(ContextHelpTest, LeftAndMiddleButtonsAndButtonsWithoutAHandlerDoNothing) {
    focus(c.soiltype);
    for (int button : {kLeft, kMiddle, kLeft | kRight})
        EXPECT_FALSE(c.country.user_mouse_up(button, 0));
    EXPECT_FALSE(c.soiltype_usda.user_mouse_up(kRight, 0));
    EXPECT_FALSE(c.cmdHelp.user_mouse_up(kRight, 0));
    EXPECT_TRUE(calls().empty());
    EXPECT_TRUE(whats_this.empty());
}

TEST(ContextHelpWithoutFocus, F1AndRightClickOpenTheDefaultTopic) {
    testing::CalculatorSession session(testing::read_fixture("calculator.sql"));
    session.module.Main();
    // Loaded but never shown: no control has the focus.
    frmmaster& c = session.calc();
    c.load();
    ASSERT_EQ(c.active_control(), nullptr);
    EXPECT_FALSE(c.user_key_up(kF1, 0));
    c.country_MouseUp(kRight, 0);
    const HelpCall default_topic{"frmmaster", session.dir.path().string() + "/humo_tool.chm", 0, 0};
    EXPECT_EQ(session.host.help_calls, std::vector<HelpCall>(2, default_topic));
}

}  // namespace
}  // namespace humo::calculator
