#include "verb_table.h"
#include "form_commands.h"
#include "history_commands.h"
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
        {"history-site", {kText, kText, kText, kOptionalText}, history_site},
        {"history-site", {kText, kText, kText, kText, kText}, history_site},
        {"history-name", {kText}, history_name},
        {"history-add", {number("YEAR"), kText, kText, kText}, history_add},
        {"history-remove", {number("YEAR")}, history_remove},
        {"history-years", {number("FROM"), number("TO"), number("EVERY")}, history_years},
        {"history-dump", {}, history_dump},
        {.name = "history-report", .shape = {kText}, .handler = history_report, .needs_gui = true},
    };
    return table;
}

}  // namespace humo::script
