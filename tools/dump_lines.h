#pragma once

#include <string>

#include "control.h"
#include "form.h"

namespace humo::script {

// form NAME visible=<0|1> caption=<JSON>
std::string form_line(const forms::Form& form);

// FORM.CONTROL kind=... enabled=... visible=... text=<JSON>; lists add index= and items=, grids
// add position= and rows=.
std::string dump_line(const forms::Form& form, const forms::Control& control);

}  // namespace humo::script
