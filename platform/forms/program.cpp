#include "program.h"

#include <algorithm>

#include "failure.h"
#include "form.h"

namespace humo::forms {

Program::Program(Host& host, std::string application_title)
    : host_(host), application_title_(std::move(application_title)) {}

Program::~Program() = default;

MsgBoxResult Program::msg_box(const std::string& text, MsgBoxButtons buttons, MsgBoxIcon icon,
                              const std::optional<std::string>& title) {
    if (action_depth_ > 0) {
        for (ActionObserver* observer : action_observers_)
            observer->modal_wait();
    }
    return host_.msg_box(text, title.value_or(application_title_), buttons, icon);
}

void Program::end() {
    if (ended_)
        return;
    ended_ = true;
    host_.end_program();
}

bool Program::request_end() {
    // A copy: a guard may leave the list as its form closes.
    const std::vector<EndGuard*> guards = end_guards_;
    for (EndGuard* guard : guards) {
        if (!guard->ready_to_end())
            return false;
    }
    end();
    return true;
}

Refusal Program::run_user_action(const std::function<Refusal()>& action) {
    if (ended_)
        return "program ended";
    if (action_depth_++ == 0) {
        for (ActionObserver* observer : action_observers_)
            observer->action_started();
    }
    Refusal refusal;
    try {
        refusal = action();
    } catch (const Failure& failure) {
        msg_box("Run-time error '" + std::to_string(failure.number()) + "':\n\n" +
                    failure.description(),
                MsgBoxButtons::kOk, MsgBoxIcon::kStop);
        end();
    } catch (const std::exception& error) {
        // A fault of the program itself: said plainly, never let loose on the window system.
        msg_box(std::string("Run-time error:\n\n") + error.what(), MsgBoxButtons::kOk,
                MsgBoxIcon::kStop);
        end();
    }
    if (--action_depth_ == 0)
        end_of_outermost_action();
    return refusal;
}

void Program::end_of_outermost_action() {
    for (ActionObserver* observer : action_observers_)
        observer->action_finished();
    retired_forms_.clear();
}

void Program::add_action_observer(ActionObserver& observer) {
    action_observers_.push_back(&observer);
}

void Program::remove_action_observer(ActionObserver& observer) {
    std::erase(action_observers_, &observer);
}

void Program::retire(std::unique_ptr<Form> form) {
    retired_forms_.push_back(std::move(form));
    if (action_depth_ == 0)
        retired_forms_.clear();
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
