#pragma once

#include <functional>
#include <string>
#include <vector>

#include "calculator_state.h"
#include "command_button.h"
#include "data_windows.h"
#include "form.h"
#include "frame.h"
#include "label.h"
#include "line.h"
#include "list_box.h"
#include "live_tables.h"
#include "number_text.h"
#include "soil_carbon_database.h"
#include "system_column.h"
#include "text_box.h"

namespace humo::calculator {

// "Calculate Soil Carbon Stocks": the calculator, a child window of the frame. Its controls
// hold the whole calculator state; each pick in a list runs a cascade of the procedures below
// that brings every dependent list, factor and result back in line.
class frmmaster : public forms::Form {
public:
    frmmaster(forms::Program& program, db::SoilCarbonDatabase& database, CalculatorState& state,
              DataWindows& data_windows);

    // Procedures, in their declared order.
    void update_system();
    void update_climate_region();
    void update_carbon_stock();
    void update_management_factor1();
    void update_management_factor2();
    void update_input1();
    void update_input_factor1();
    void update_input2();
    void update_input_factor2();
    void update_carbon_stock_20yrs_1();
    void update_carbon_stock_20yrs_2();
    void update_sequestration_potential();
    void Update_base_factor1();
    void Update_base_factor2();

    // Brings the calculator back to how it is when it has just loaded, on a database file that
    // was replaced: its connection is opened again and the first lists filled again.
    void reload();

    // The controls and module values of the FROM and TO systems.
    SystemColumn& from_column() { return from_; }
    SystemColumn& to_column() { return to_; }

    // Event handlers.
    void country_Click();
    void climate_region_Click();
    void soiltype_Click();
    void system1_Click();
    void system2_Click();
    void Management1_Click();
    void Management2_Click();
    void Input1_Click();
    void Input2_Click();
    void Exit_Click();
    void soiltype_fao_Click();
    void soiltype_usda_Click();
    void cmdMgmtFactors_Click();
    void cmdc_stocks_Click();
    void cmdSystems_Click();
    void cmdInputFactors_Click();
    // The user typed a reference stock or a factor of their own: the results follow at once.
    void carbon_stock_Change();
    void base_factor1_Change();
    void base_factor2_Change();
    void management_factor1_Change();
    void management_factor2_Change();
    void input_factor1_Change();
    void input_factor2_Change();

    // Context help (context_help.cpp): the Help button, and a right-button release over a list
    // or box.
    void cmdHelp_Click();
    void country_MouseUp(int button, int shift);
    void climate_region_MouseUp(int button, int shift);
    void soiltype_MouseUp(int button, int shift);
    void carbon_stock_MouseUp(int button, int shift);
    void system1_MouseUp(int button, int shift);
    void Management1_MouseUp(int button, int shift);
    void management_factor1_MouseUp(int button, int shift);
    void Input1_MouseUp(int button, int shift);
    void input_factor1_MouseUp(int button, int shift);
    void base_factor1_MouseUp(int button, int shift);
    void carbon_stock_20yrs_1_MouseUp(int button, int shift);
    void system2_MouseUp(int button, int shift);
    void Management2_MouseUp(int button, int shift);
    void management_factor2_MouseUp(int button, int shift);
    void Input2_MouseUp(int button, int shift);
    void input_factor2_MouseUp(int button, int shift);
    void base_factor2_MouseUp(int button, int shift);
    void carbon_stock_20yrs_2_MouseUp(int button, int shift);
    void Sequestration_Potential_MouseUp(int button, int shift);

    // The controls, in the order of the layout tables. Positions are in twips.
    using Label = forms::Label;
    using ListBox = forms::ListBox;
    using TextBox = forms::TextBox;
    using Button = forms::CommandButton;
    using Line = forms::Line;

    Label Label1{*this,
                 "Label1",
                 {330, 90, 13815, 615},
                 "Tool for Estimation of Changes in Soil Carbon Stocks associated with Management "
                 "Changes in Croplands and Grazing Lands based on HUMO Default Data"};
    Label Label2{*this,
                 "Label2",
                 {3240, 2640, 2895, 855},
                 "Press the f1 key or click on the help button for assistance"};

    Label country_label{*this, "country_label", {30, 720, 975, 255}, "Country"};
    ListBox country{*this, "country", {0, 1080, 3165, 2460}};
    Label climate_region_label{
        *this, "climate_region_label", {0, 3600, 1725, 285}, "Climate Region"};
    ListBox climate_region{*this, "climate_region", {0, 3960, 6165, 2220}};
    Label soiltype_label{*this, "soiltype_label", {0, 6240, 1815, 255}, "Native Soil Type"};
    ListBox soiltype{*this, "soiltype", {0, 6600, 3255, 1500}};
    Button soiltype_fao{
        *this, "soiltype_fao", {3360, 6600, 2325, 735}, "Select from WRB soil classifications"};
    Button soiltype_usda{
        *this, "soiltype_usda", {3360, 7440, 2325, 735}, "Select from USDA soil classifications"};
    Label carbon_stock_label{
        *this, "carbon_stock_label", {0, 8400, 2505, 315}, "Existing Carbon Stock:"};
    TextBox carbon_stock{*this, "carbon_stock", {2520, 8400, 735, 360}};
    Label carbon_stock_units{*this, "carbon_stock_units", {3360, 8400, 855, 315}, "MgC/ha"};

    Label Label5{*this, "Label5", {7500, 960, 2055, 375}, "FROM System"};
    Label system1_label{*this, "system1_label", {6360, 1560, 1725, 285}, "Land Use Type:"};
    ListBox system1{*this, "system1", {6360, 1920, 4155, 2700}};
    Label management1_label{*this, "management1_label", {6360, 4680, 855, 555}, "Mgmt System:"};
    ListBox Management1{*this, "Management1", {7200, 4680, 2325, 1020}};
    Label management_factor1_label{
        *this, "management_factor1_label", {9630, 4680, 765, 525}, "Mgmt Factor:"};
    TextBox management_factor1{*this, "management_factor1", {9600, 5280, 675, 375}};
    Label inputs1_label{*this, "inputs1_label", {6360, 5760, 855, 315}, "Inputs:"};
    ListBox Input1{*this, "Input1", {7200, 5760, 2355, 1020}};
    Label input_factor1_label{
        *this, "input_factor1_label", {9600, 5760, 765, 525}, "Input Factor:"};
    TextBox input_factor1{*this, "input_factor1", {9600, 6360, 675, 375}};
    Label base_factor1_label{
        *this, "base_factor1_label", {6360, 6840, 1815, 315}, "Land Use Factor:"};
    TextBox base_factor1{*this, "base_factor1", {8520, 6840, 735, 375}};
    Label carbon_stock_20yrs_1_label{
        *this, "carbon_stock_20yrs_1_label", {6360, 7320, 2775, 315}, "Predicted Carbon Stock:"};
    TextBox carbon_stock_20yrs_1{*this, "carbon_stock_20yrs_1", {9000, 7320, 615, 375}};
    Label carbon_stock_20yrs_1_units{
        *this, "carbon_stock_20yrs_1_units", {9630, 7440, 855, 315}, "MgC/ha"};
    Line Line1{*this, "Line1", {6300, 840}, {6300, 7920}, 3};
    Line Line2{*this, "Line2", {6300, 7920}, {10555, 7920}, 3};
    Line Line3{*this, "Line3", {10560, 840}, {10560, 7920}, 3};
    Line Line4{*this, "Line4", {10555, 840}, {6300, 840}, 3};

    Label Label6{*this, "Label6", {12120, 960, 1575, 375}, "TO System"};
    Label system2_label{*this, "system2_label", {10800, 1560, 1725, 285}, "Land Use Type:"};
    ListBox system2{*this, "system2", {10800, 1920, 4215, 2700}};
    Label management2_label{*this, "management2_label", {10800, 4680, 855, 555}, "Mgmt System:"};
    ListBox Management2{*this, "Management2", {11640, 4680, 2475, 1020}};
    Label management_factor2_label{
        *this, "management_factor2_label", {14160, 4680, 765, 525}, "Mgmt Factor:"};
    TextBox management_factor2{*this, "management_factor2", {14160, 5280, 675, 375}};
    Label inputs2_label{*this, "inputs2_label", {10800, 5760, 855, 315}, "Inputs:"};
    ListBox Input2{*this, "Input2", {11640, 5760, 2475, 1020}};
    Label input_factor2_label{
        *this, "input_factor2_label", {14160, 5760, 765, 525}, "Input Factor:"};
    TextBox input_factor2{*this, "input_factor2", {14160, 6360, 705, 375}};
    Label base_factor2_label{
        *this, "base_factor2_label", {10830, 6840, 1815, 315}, "Land Use Factor:"};
    TextBox base_factor2{*this, "base_factor2", {12960, 6840, 735, 375}};
    Label carbon_stock_20yrs_2_label{
        *this, "carbon_stock_20yrs_2_label", {10800, 7320, 2655, 315}, "Predicted Carbon Stock:"};
    TextBox carbon_stock_20yrs_2{*this, "carbon_stock_20yrs_2", {13440, 7320, 645, 375}};
    Label carbon_stock_20yrs_2_units{
        *this, "carbon_stock_20yrs_2_units", {14160, 7440, 855, 315}, "MgC/ha"};
    Line Line5{*this, "Line5", {10740, 840}, {10740, 7920}, 3};
    Line Line6{*this, "Line6", {10740, 7920}, {15120, 7920}, 3};
    Line Line7{*this, "Line7", {15087, 840}, {15087, 7920}, 3};
    Line Line8{*this, "Line8", {15120, 840}, {10740, 840}, 3};

    Label Sequestration_Potential_label{*this,
                                        "Sequestration_Potential_label",
                                        {6360, 8040, 3285, 315},
                                        "Annual Carbon Stock Change:"};
    TextBox Sequestration_Potential{*this, "Sequestration_Potential", {7440, 8400, 645, 375}};
    Label Sequestration_Potential_units{
        *this, "Sequestration_Potential_units", {8280, 8520, 1155, 315}, "MgC/ha/yr"};
    Button cmdHelp{*this, "cmdHelp", {9960, 8040, 1095, 705}, "Help"};
    Button Exit{*this, "Exit", {11280, 8040, 1335, 705}, "Exit"};
    forms::Frame fraDefaults{*this, "fraDefaults", {3360, 9000, 11655, 975}, "Default Settings"};
    Button cmdMgmtFactors{*this, "cmdMgmtFactors", {600, 360, 3255, 495}, "Management Factors"};
    Button cmdc_stocks{*this, "cmdc_stocks", {4080, 360, 1935, 495}, "C_Stocks"};
    Button cmdSystems{*this, "cmdSystems", {6240, 360, 1935, 495}, "Systems"};
    Button cmdInputFactors{*this, "cmdInputFactors", {8280, 360, 3255, 495}, "Input Factors"};

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    void Form_KeyUp(int key_code, int shift) override;

private:
    void design();
    // Context help (context_help.cpp).
    void design_context_help();
    void focused_control_help();
    void control_MouseUp(forms::Control& control, int button);
    std::string help_file() const;

    // What the error trap of a procedure does besides skipping the rest of its body.
    struct Trap {
        // Blanks what the failed step would have filled, so nothing stale stays on show.
        std::function<void()> blank = nullptr;
        // The control that gets the focus back after the report.
        forms::Control* focus = nullptr;
        // A recomputation while the user types reports nothing.
        bool quiet = false;
    };
    // Runs a procedure body under the error trap: a failure skips the rest of the body, blanks
    // what it would have filled, is reported and gives the focus back; the caller then goes
    // on as if the procedure had ended normally.
    void trapped(const Trap& trap, const std::function<void()>& body);

    // The twin procedures, for either system.
    void update_management_factor(SystemColumn& column);
    void update_input(SystemColumn& column);
    void update_input_factor(SystemColumn& column);
    void update_carbon_stock_20yrs(SystemColumn& column, bool quiet = false);
    void update_sequestration_potential(bool quiet);
    void Update_base_factor(SystemColumn& column);
    void system_Click(SystemColumn& column);
    void management_Click(SystemColumn& column);
    void input_Click(SystemColumn& column);
    void factor_Change(SystemColumn& column);
    void open_taxon_form(Button& button, TaxonList list);
    void reset_management_and_input(SystemColumn& column);
    // Both predicted stocks and the change, after the site changed.
    void update_results();

    // Empties the lists, then fills each with the items `read` reads; nothing to show fails,
    // as an empty result does.
    void fill_lists(std::initializer_list<forms::ListBox*> lists,
                    const std::function<const engine::NameList&()>& read);
    // A looked-up value as its box shows it: a lookup without a row or with a null fails.
    static std::string box_text(const engine::StoredValue& value);
    double leading_number(const std::string& text) const;

    db::SoilCarbonDatabase& database_;
    CalculatorState& state_;
    DataWindows& data_windows_;
    numbers::DecimalSeparator separator_;
    // Every list and lookup asks the database when it is made.
    engine::LiveTables tables_;
    SystemColumn from_;
    SystemColumn to_;
};

}  // namespace humo::calculator
