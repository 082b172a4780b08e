#include "defaults_warning.h"

namespace humo::maintenance {
namespace {

WarningDesign warning(std::string name, std::string title, const std::string& values,
                      int buttons_left, bool ok_first) {
    return {std::move(name), std::move(title),
            "Modifying these " + values +
                " will overwrite the default values from those specified in Chapter 3: Land Use "
                "Change and Forestry Sector Good Practice Guidance.",
            buttons_left, ok_first};
}

}  // namespace

const WarningDesign& management_factors_warning() {
    static const WarningDesign design =
        warning("frmDefaultsWarning1", "Attention", "management factors", 5160, true);
    return design;
}

const WarningDesign& c_stocks_warning() {
    static const WarningDesign design =
        warning("frmDefaultsWarning2", "Dialog Caption", "Carbon stock values", 5130, false);
    return design;
}

const WarningDesign& systems_warning() {
    static const WarningDesign design =
        warning("frmDefaultsWarning3", "Dialog Caption", "system factors", 5130, false);
    return design;
}

const WarningDesign& input_factors_warning() {
    static const WarningDesign design =
        warning("frmDefaultsWarning4", "Dialog Caption", "input factors", 5130, false);
    return design;
}

std::string warning_text(const WarningDesign& design) {
    return design.first_sentence +
           "\r\rTo restore the values to the default settings you will have to re-enter them by "
           "hand or uninstall and reinstall the HUMO soil carbon tool.\r\rClick on OK to "
           "continue or Cancel to return to the main form.";
}

frmDefaultsWarning::frmDefaultsWarning(forms::Program& program, const WarningDesign& design,
                                       std::function<void()> open_browser)
    : Form(program, design.name, design.title, {6390, 2955}, forms::FormStyle::kTopLevel),
      OKButton(*this, "OKButton", {design.buttons_left, 90, 1215, 375}, "OK"),
      CancelButton(*this, "CancelButton", {design.buttons_left, 510, 1215, 375}, "Cancel"),
      design_(design),
      open_browser_(std::move(open_browser)) {
    set_border_style(forms::BorderStyle::kFixedDialog);
    if (design.ok_first) {
        set_tab_order({&OKButton, &CancelButton});
    } else {
        set_tab_order({&CancelButton, &OKButton});
    }
    OKButton.Click = [this] { OKButton_Click(); };
    CancelButton.Click = [this] { CancelButton_Click(); };
}

void frmDefaultsWarning::Form_Load() { lblWarningText1.set_caption(warning_text(design_)); }

void frmDefaultsWarning::OKButton_Click() {
    unload();
    open_browser_();
}

void frmDefaultsWarning::CancelButton_Click() { unload(); }

}  // namespace humo::maintenance
