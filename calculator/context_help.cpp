// The calculator's context help: the Help button opens the help file at its default topic; F1
// and a right-button release over a list or box open the topic of the control that has the
// keyboard focus, the latter after showing the released control's What's This note.

#include "frmmaster.h"
#include "program.h"

namespace humo::calculator {
namespace {

constexpr int kF1 = 112;
constexpr int kRightButton = 2;

}  // namespace

void frmmaster::design_context_help() {
    country.set_whats_this(
        "Country: the country of the site. Picking one lists its climate "
        "regions.");
    climate_region.set_whats_this(
        "Climate Region: the climate region of the site. Picking one fills the land-use types "
        "and shows the existing carbon stock.");
    soiltype.set_whats_this(
        "Native Soil Type: the soil of the site under native vegetation. With the climate "
        "region it sets the existing carbon stock.");
    carbon_stock.set_whats_this(
        "Existing Carbon Stock: the reference carbon stock of the site's soil in its climate "
        "region, in MgC/ha.");
    for (auto [column, system] : {std::pair{&from_, "FROM"}, std::pair{&to_, "TO"}}) {
        const std::string of = std::string(" of the ") + system + " system";
        column->system.set_whats_this(
            "Land Use Type" + of + ": cultivated land, paddy rice, set-aside land or grassland.");
        column->management.set_whats_this("Mgmt System" + of +
                                          ": how the land is tilled or the grassland kept.");
        column->management_factor.set_whats_this("Mgmt Factor" + of +
                                                 ": the default factor of its management system.");
        column->input.set_whats_this("Inputs" + of + ": how much carbon goes back into the soil.");
        column->input_factor.set_whats_this("Input Factor" + of +
                                            ": the default factor of its input level.");
        column->base_factor.set_whats_this("Land Use Factor" + of +
                                           ": the default factor of its land-use type.");
        column->carbon_stock_20yrs.set_whats_this(
            "Predicted Carbon Stock" + of +
            ": existing carbon stock × land-use factor × management factor × input factor, in "
            "MgC/ha.");
    }
    Sequestration_Potential.set_whats_this(
        "Annual Carbon Stock Change: (TO predicted stock − FROM predicted stock) / 20 years, in "
        "MgC/ha/yr.");

    cmdHelp.Click = [this] { cmdHelp_Click(); };
    country.MouseUp = [this](int button, int shift) { country_MouseUp(button, shift); };
    climate_region.MouseUp = [this](int button, int shift) {
        climate_region_MouseUp(button, shift);
    };
    soiltype.MouseUp = [this](int button, int shift) { soiltype_MouseUp(button, shift); };
    carbon_stock.MouseUp = [this](int button, int shift) { carbon_stock_MouseUp(button, shift); };
    system1.MouseUp = [this](int button, int shift) { system1_MouseUp(button, shift); };
    Management1.MouseUp = [this](int button, int shift) { Management1_MouseUp(button, shift); };
    management_factor1.MouseUp = [this](int button, int shift) {
        management_factor1_MouseUp(button, shift);
    };
    Input1.MouseUp = [this](int button, int shift) { Input1_MouseUp(button, shift); };
    input_factor1.MouseUp = [this](int button, int shift) { input_factor1_MouseUp(button, shift); };
    base_factor1.MouseUp = [this](int button, int shift) { base_factor1_MouseUp(button, shift); };
    carbon_stock_20yrs_1.MouseUp = [this](int button, int shift) {
        carbon_stock_20yrs_1_MouseUp(button, shift);
    };
    system2.MouseUp = [this](int button, int shift) { system2_MouseUp(button, shift); };
    Management2.MouseUp = [this](int button, int shift) { Management2_MouseUp(button, shift); };
    management_factor2.MouseUp = [this](int button, int shift) {
        management_factor2_MouseUp(button, shift);
    };
    Input2.MouseUp = [this](int button, int shift) { Input2_MouseUp(button, shift); };
    input_factor2.MouseUp = [this](int button, int shift) { input_factor2_MouseUp(button, shift); };
    base_factor2.MouseUp = [this](int button, int shift) { base_factor2_MouseUp(button, shift); };
    carbon_stock_20yrs_2.MouseUp = [this](int button, int shift) {
        carbon_stock_20yrs_2_MouseUp(button, shift);
    };
    Sequestration_Potential.MouseUp = [this](int button, int shift) {
        Sequestration_Potential_MouseUp(button, shift);
    };
}

// Asked for at every call: the help file is wherever the host finds it now.
std::string frmmaster::help_file() const { return program().host().help_file(); }

void frmmaster::cmdHelp_Click() {
    program().host().html_help(name(), help_file(), forms::kHelpDisplayTopic, 0);
}

void frmmaster::Form_KeyUp(int key_code, int /*shift*/) {
    if (key_code == kF1)
        focused_control_help();
}

// The topic of the control that has the keyboard focus; with none focused, the default topic
// rather than a failure.
void frmmaster::focused_control_help() {
    const forms::Control* focused = active_control();
    if (!focused) {
        program().host().html_help(name(), help_file(), forms::kHelpDisplayTopic, 0);
        return;
    }
    program().host().html_help(name() + "." + focused->name(), help_file(), forms::kHelpContext,
                               focused->help_context_id());
}

void frmmaster::control_MouseUp(forms::Control& control, int button) {
    if (button != kRightButton)
        return;
    control.show_whats_this();
    focused_control_help();
}

void frmmaster::country_MouseUp(int button, int) { control_MouseUp(country, button); }
void frmmaster::climate_region_MouseUp(int button, int) { control_MouseUp(climate_region, button); }
void frmmaster::soiltype_MouseUp(int button, int) { control_MouseUp(soiltype, button); }
void frmmaster::carbon_stock_MouseUp(int button, int) { control_MouseUp(carbon_stock, button); }
void frmmaster::system1_MouseUp(int button, int) { control_MouseUp(system1, button); }
void frmmaster::Management1_MouseUp(int button, int) { control_MouseUp(Management1, button); }
void frmmaster::management_factor1_MouseUp(int button, int) {
    control_MouseUp(management_factor1, button);
}
void frmmaster::Input1_MouseUp(int button, int) { control_MouseUp(Input1, button); }
void frmmaster::input_factor1_MouseUp(int button, int) { control_MouseUp(input_factor1, button); }
void frmmaster::base_factor1_MouseUp(int button, int) { control_MouseUp(base_factor1, button); }
void frmmaster::carbon_stock_20yrs_1_MouseUp(int button, int) {
    control_MouseUp(carbon_stock_20yrs_1, button);
}
void frmmaster::system2_MouseUp(int button, int) { control_MouseUp(system2, button); }
void frmmaster::Management2_MouseUp(int button, int) { control_MouseUp(Management2, button); }
// The TO management factor answers a right-click like its FROM twin.
void frmmaster::management_factor2_MouseUp(int button, int) {
    control_MouseUp(management_factor2, button);
}
void frmmaster::Input2_MouseUp(int button, int) { control_MouseUp(Input2, button); }
void frmmaster::input_factor2_MouseUp(int button, int) { control_MouseUp(input_factor2, button); }
void frmmaster::base_factor2_MouseUp(int button, int) { control_MouseUp(base_factor2, button); }
void frmmaster::carbon_stock_20yrs_2_MouseUp(int button, int) {
    control_MouseUp(carbon_stock_20yrs_2, button);
}
void frmmaster::Sequestration_Potential_MouseUp(int button, int) {
    control_MouseUp(Sequestration_Potential, button);
}

}  // namespace humo::calculator
