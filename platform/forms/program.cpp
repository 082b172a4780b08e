#include "program.h"

#include <algorithm>

#include "failure.h"
#include "form.h"

namespace humo::forms {

Program::Program(Host& host, std::string application_title)
    : host_(host), application_title_(std::move(application_title)) {}

MsgBoxResult Program::msg_box(const std::string& text, MsgBoxButtons buttons, MsgBoxIcon icon,
                              const std::optional<std::string>& title) {
    return host_.msg_box(text, title.value_or(application_title_), buttons, icon);
}

void Program::end() {
    if (ended_)
        return;
    ended_ = true;
    host_.end_program();
}

Refusal Program::run_user_action(const std::function<Refusal()>& action) {
    if (ended_)
        return "program ended";
    try {
        return action();
    } catch (const Failure& failure) {
        msg_box("Run-time error '" + std::to_string(failure.number()) + "':\n\n" +
                    failure.description(),
                MsgBoxButtons::kOk, MsgBoxIcon::kStop);
        end();
        return std::nullopt;
    }
}

void Program::form_loaded(Form& form) {
    loaded_forms_.push_back(&form);
    if (observer_)
        observer_->form_loaded(form);
}

void Program::form_shown(Form& form) {
    if (observer_)
        observer_->form_shown(form);
}

void Program::form_unloaded(Form& form) {
    loaded_forms_.erase(std::remove(loaded_forms_.begin(), loaded_forms_.end(), &form),
                        loaded_forms_.end());
    if (observer_)
        observer_->form_unloaded(form);
    if (loaded_forms_.empty())
        end();
}

void Program::form_refreshed(Form& form) {
    if (observer_)
        observer_->form_refreshed(form);
}

void Program::focus_changed(Form& form) {
    if (observer_)
        observer_->focus_changed(form);
}

void Program::whats_this_requested(Control& control) {
    if (observer_)
        observer_->whats_this_requested(control);
}

}  // namespace humo::forms
