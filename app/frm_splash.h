#pragma once

#include "command_button.h"
#include "form.h"
#include "label.h"
#include "picture_box.h"

namespace humo::app {

class Module1;

// "Introduction": the form shown first, inside the frame. Continue opens the calculator in its
// place; Exit ends the program.
class frmSplash : public forms::Form {
public:
    frmSplash(forms::Program& program, Module1& module);

    void Continue1_Click();
    void Exit1_Click();

    forms::PictureBox Picture1{*this, "Picture1", {120, 30, 11280, 1245}, ":/app/banner.png"};
    forms::Label Label1{*this,
                        "Label1",
                        {240, 1320, 10845, 585},
                        "Tool for Estimation of Changes in Soil Carbon Stocks associated with "
                        "Management Changes in Croplands and Grazing Lands based on HUMO "
                        "Default Data"};
    forms::Label Label2{*this, "Label2", {2040, 2040, 7455, 315}, "Developed at "};
    forms::Label Label3{*this, "Label3", {2040, 2400, 7455, 345}, "the HUMO Soil Carbon Project"};
    forms::Label Label4{
        *this, "Label4", {1920, 2760, 7455, 315}, "humo_tool open-source developers"};
    forms::CommandButton Continue1{*this, "Continue1", {2160, 3240, 2265, 465}, "Continue"};
    forms::CommandButton Exit1{*this, "Exit1", {7320, 3120, 2265, 465}, "Exit"};

private:
    Module1& module_;
};

}  // namespace humo::app
