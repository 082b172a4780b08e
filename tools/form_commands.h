#pragma once

#include "verb_table.h"

namespace humo::script {

// What a user does to the program and its forms, as script commands.
forms::Refusal start(const Call& call);
forms::Refusal list_forms(const Call& call);
forms::Refusal click_button(const Call& call);
forms::Refusal focus_control(const Call& call);
forms::Refusal double_click(const Call& call);
forms::Refusal mouse_up(const Call& call);
forms::Refusal select_item(const Call& call);
forms::Refusal type_text(const Call& call);
forms::Refusal key_down(const Call& call);
forms::Refusal key_up(const Call& call);
forms::Refusal close_form(const Call& call);
forms::Refusal dump(const Call& call);
// The form's grid: a click on row N (from 1), or typing into column COL (from 0) of the
// current row.
forms::Refusal grid_row(const Call& call);
forms::Refusal grid_edit(const Call& call);

}  // namespace humo::script
