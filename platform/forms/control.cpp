#include "control.h"

#include "form.h"
#include "frame.h"
#include "program.h"

namespace humo::forms {

Control::Control(Form& form, std::string name, ControlKind kind, Rect rect)
    : form_(form), name_(std::move(name)), kind_(kind), rect_(rect) {
    form_.add_control(*this);
}

void Control::set_enabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    notify(Change::kEnabled);
    if (!enabled)
        form_.control_disabled(*this);
}

void Control::set_visible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    notify(Change::kVisible);
    if (!visible)
        form_.control_disabled(*this);
}

bool Control::can_take_focus() const {
    return focusable_kind() && enabled_ && visible_ && form_.loaded() &&
           (!container_ || (container_->enabled() && container_->visible()));
}

void Control::set_focus() {
    if (can_take_focus())
        form_.take_focus(this);
}

bool Control::has_focus() const { return form_.active_control() == this; }

void Control::show_whats_this() { form_.program().whats_this_requested(*this); }

Refusal Control::user_refusal() const {
    const Program& program = form_.program();
    if (program.ended())
        return "program ended";
    if (!form_.loaded())
        return "form not loaded";
    if (!form_.visible())
        return "form hidden";
    if (!visible_ || (container_ && !container_->visible()))
        return "control hidden";
    if (!enabled_ || (container_ && !container_->enabled()))
        return "control disabled";
    return std::nullopt;
}

Refusal Control::user_focus() {
    return form_.program().run_user_action([this]() -> Refusal {
        if (auto refusal = user_refusal())
            return refusal;
        if (!focusable_kind())
            return "control cannot take the focus";
        set_focus();
        return std::nullopt;
    });
}

Refusal Control::user_mouse_up(int button, int shift) {
    return form_.program().run_user_action([&]() -> Refusal {
        if (auto refusal = user_refusal())
            return refusal;
        if (MouseUp)
            MouseUp(button, shift);
        return std::nullopt;
    });
}

Refusal Control::user_double_click() {
    return form_.program().run_user_action([this]() -> Refusal {
        if (auto refusal = user_refusal())
            return refusal;
        if (DblClick)
            DblClick();
        return std::nullopt;
    });
}

}  // namespace humo::forms
