#pragma once

#include "form.h"

namespace humo::app {

// The frame window that holds the introduction form and the calculator. It has no menu, no
// controls and no handlers of its own.
class frmHUMO : public forms::Form {
public:
    explicit frmHUMO(forms::Program& program)
        : Form(program, "frmHUMO", "HUMO Soil Carbon Tool", {10920, 7560},
               forms::FormStyle::kMdiFrame) {
        set_border_style(forms::BorderStyle::kSizable);
    }
};

}  // namespace humo::app
