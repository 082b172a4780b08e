#include "form_commands.h"

#include "command_button.h"
#include "data_grid.h"
#include "dump_lines.h"
#include "form.h"
#include "list_box.h"
#include "module1.h"
#include "program.h"
#include "text_box.h"

namespace humo::script {
namespace {

forms::DataGrid* grid_of(forms::Form& form) {
    for (forms::Control* control : form.controls()) {
        if (auto* grid = dynamic_cast<forms::DataGrid*>(control))
            return grid;
    }
    return nullptr;
}

}  // namespace

forms::Refusal start(const Call& call) {
    call.module.Main();
    return std::nullopt;
}

forms::Refusal list_forms(const Call& call) {
    for (forms::Form* form : call.module.program().loaded_forms())
        call.out << form_line(*form) << "\n";
    return std::nullopt;
}

forms::Refusal click_button(const Call& call) {
    auto* button = dynamic_cast<forms::CommandButton*>(call.control);
    if (!button)
        return "not a button";
    return button->user_click();
}

forms::Refusal focus_control(const Call& call) { return call.control->user_focus(); }

forms::Refusal double_click(const Call& call) { return call.control->user_double_click(); }

forms::Refusal mouse_up(const Call& call) {
    return call.control->user_mouse_up(call.arguments[0].number, 0);
}

forms::Refusal select_item(const Call& call) {
    auto* list = dynamic_cast<forms::ListBox*>(call.control);
    if (!list)
        return "not a list";
    const Argument& choice = call.arguments[0];
    if (!choice.text)
        return list->user_select(choice.number);
    const auto& items = list->items();
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == *choice.text)
            return list->user_select(static_cast<int>(i));
    }
    return "no such item";
}

forms::Refusal type_text(const Call& call) {
    auto* box = dynamic_cast<forms::TextBox*>(call.control);
    if (!box)
        return "not a text box";
    return box->user_type(*call.arguments[0].text);
}

forms::Refusal key_down(const Call& call) {
    return call.form->user_key_down(call.arguments[0].number, call.arguments[1].number);
}

forms::Refusal key_up(const Call& call) {
    return call.form->user_key_up(call.arguments[0].number, call.arguments[1].number);
}

forms::Refusal close_form(const Call& call) { return call.form->user_close(); }

forms::Refusal dump(const Call& call) {
    if (call.control) {
        call.out << dump_line(*call.form, *call.control) << "\n";
        return std::nullopt;
    }
    for (const forms::Control* control : call.form->controls())
        call.out << dump_line(*call.form, *control) << "\n";
    return std::nullopt;
}

forms::Refusal grid_row(const Call& call) {
    forms::DataGrid* grid = grid_of(*call.form);
    if (!grid)
        return "no grid";
    return grid->user_select_row(call.arguments[0].number - 1);
}

forms::Refusal grid_edit(const Call& call) {
    forms::DataGrid* grid = grid_of(*call.form);
    if (!grid)
        return "no grid";
    return grid->user_edit(call.arguments[0].number, *call.arguments[1].text);
}

}  // namespace humo::script
