#include "verb_table.h"
#include "form_commands.h"
#include "menu_commands.h"

namespace humo::script {

const std::vector<Verb>& verbs() {
    using enum ArgKind;
    static const std::vector<Verb> table = {
        {"start", {}, start},
        {"forms", {}, list_forms},
        {"click", {kControl}, click_button},
        {"focus", {kControl}, focus_control},
        {"dblclick", {kControl}, double_click},
        {"mouseup", {kControl, number("BUTTON")}, mouse_up},
        {"select", {kControl, kTextOrIndex}, select_item},
        {"type", {kControl, kText}, type_text},
        {"keydown", {kForm, number("CODE"), number("SHIFT")}, key_down},
        {"keyup", {kForm, number("CODE"), number("SHIFT")}, key_up},
        {"close", {kForm}, close_form},
        {"dump", {kFormOrControl}, dump},
        {"grid", {kForm, word("row"), number("N")}, grid_row},
        {"grid", {kForm, word("edit"), number("COL"), kText}, grid_edit},
        {.name = "report", .shape = {kText}, .handler = save_report, .needs_gui = true},
        {"copy-results", {}, copy_results},
        {"batch", {kText, kText}, run_batch},
        {"restore-defaults", {kOptionalText}, restore_defaults},
        {"uncertainty", {}, show_uncertainty},
        {"uncertainty-seed", {number("S")}, set_uncertainty_seed},
        {"uncertainty-iterations", {number("N")}, set_uncertainty_iterations},
    };
    return table;
}

}  // namespace humo::script
