#include "frm_splash.h"

#include "module1.h"
#include "program.h"

namespace humo::app {

frmSplash::frmSplash(forms::Program& program, Module1& module)
    : Form(program, "frmSplash", "Introduction", {11595, 5160}, forms::FormStyle::kMdiChild),
      module_(module) {
    const forms::Font heading{"Arial", 12, true};
    const forms::Font body{"Arial", 11, false};
    Label1.set_font(heading);
    for (forms::Label* label : {&Label1, &Label2, &Label3, &Label4}) {
        label->set_alignment(forms::Alignment::kCenter);
        if (label != &Label1)
            label->set_font(body);
    }
    Continue1.set_font(body);
    Exit1.set_font(body);
    set_tab_order({&Continue1, &Exit1});
    Continue1.Click = [this] { Continue1_Click(); };
    Exit1.Click = [this] { Exit1_Click(); };
}

void frmSplash::Continue1_Click() {
    module_.frmmaster().load();
    unload();
    module_.frmmaster().show();
}

void frmSplash::Exit1_Click() { program().request_end(); }

}  // namespace humo::app
