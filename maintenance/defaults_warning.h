#pragma once

#include <functional>
#include <string>

#include "command_button.h"
#include "form.h"
#include "label.h"

namespace humo::maintenance {

// One of the four warnings in front of the default-table browsers.
struct WarningDesign {
    std::string name;
    std::string title;
    // What is about to be changed: "management factors", "Carbon stock values", ...
    std::string first_sentence;
    int buttons_left = 0;
    // The button that has the focus when the dialog opens, so Enter presses it.
    bool ok_first = false;
};

const WarningDesign& management_factors_warning();  // frmDefaultsWarning1
const WarningDesign& c_stocks_warning();            // frmDefaultsWarning2
const WarningDesign& systems_warning();             // frmDefaultsWarning3
const WarningDesign& input_factors_warning();       // frmDefaultsWarning4

// The three sentences of a warning, each pair parted by two carriage returns.
std::string warning_text(const WarningDesign& design);

// "Modifying these ... will overwrite the default values": OK opens the table's browser,
// Cancel returns to the calculator.
class frmDefaultsWarning : public forms::Form {
public:
    frmDefaultsWarning(forms::Program& program, const WarningDesign& design,
                       std::function<void()> open_browser);

    void OKButton_Click();
    void CancelButton_Click();

    forms::Label lblWarningText1{*this, "lblWarningText1", {60, 90, 4995, 2775}, ""};
    forms::CommandButton OKButton;
    forms::CommandButton CancelButton;

protected:
    void Form_Load() override;

private:
    const WarningDesign& design_;
    std::function<void()> open_browser_;
};

}  // namespace humo::maintenance
