#include "control.h"

#include "form.h"
#include "program.h"

namespace humo::forms {

Control::Control(Form& form, std::string name, ControlKind kind, Rect rect)
    : form_(form), name_(std::move(name)), kind_(kind), rect_(rect) {
    form_.add_control(*this);
}

int Control::add_listener(ChangeListener listener) {
    listeners_.emplace_back(next_listener_id_, std::move(listener));
    return next_listener_id_++;
}

void Control::remove_listener(int id) {
    std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void Control::notify(const ControlChange& change) const {
    // A copy: a listener may stop listening while it is told.
    const auto listeners = listeners_;
    for (const auto& [id, listener] : listeners)
        listener(change);
}

void Control::set_enabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    notify({ChangeKind::kEnabled});
    if (!enabled)
        form_.control_disabled(*this);
}

void Control::set_visible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    notify({ChangeKind::kVisible});
    if (!visible)
        form_.control_disabled(*this);
}

const std::string& Control::text() const {
    static const std::string no_text;
    return no_text;
}

void Control::set_rect(Rect rect) {
    if (rect.left == rect_.left && rect.top == rect_.top && rect.width == rect_.width &&
        rect.height == rect_.height) {
        return;
    }
    rect_ = rect;
    notify({ChangeKind::kGeometry});
}

bool Control::usable() const {
    return enabled_ && visible_ && (!container_ || container_->usable());
}

bool Control::can_take_focus() const { return focusable_kind() && form_.loaded() && usable(); }

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
    for (const Control* control = this; control; control = control->container_) {
        if (!control->visible_)
            return "control hidden";
    }
    if (!usable())
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
