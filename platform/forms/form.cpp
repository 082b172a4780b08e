#include "form.h"

#include <algorithm>

#include "picture_box.h"
#include "program.h"

namespace humo::forms {

Form::Form(Program& program, std::string name, std::string caption, Size client_size,
           FormStyle style)
    : program_(program),
      name_(std::move(name)),
      caption_(std::move(caption)),
      client_size_(client_size),
      style_(style) {}

Form::~Form() = default;

Control* Form::control(std::string_view name) const {
    auto found = std::find_if(controls_.begin(), controls_.end(),
                              [name](const Control* c) { return c->name() == name; });
    return found == controls_.end() ? nullptr : *found;
}

void Form::load() {
    if (loaded_ || program_.ended())
        return;
    loaded_ = true;
    program_.form_loaded(*this);
    Form_Load();
}

void Form::show() {
    if (program_.ended())
        return;
    if (style_ == FormStyle::kMdiChild && program_.mdi_frame())
        program_.mdi_frame()->show();
    load();
    if (!loaded_)
        return;
    if (visible_) {
        program_.form_shown(*this);
        return;
    }
    visible_ = true;
    align_bottom_panels();
    Form_Resize();
    program_.form_shown(*this);
    if (!active_control_)
        focus_first_control();
}

bool Form::unload() {
    if (!loaded_ || unloading_ || program_.ended())
        return !loaded_;
    unloading_ = true;
    if (style_ == FormStyle::kMdiFrame) {
        // The frame closes its child windows first, each through its own unload; a child that
        // stays open keeps the frame open.
        std::vector<Form*> children;
        for (Form* form : program_.loaded_forms()) {
            if (form->style() == FormStyle::kMdiChild)
                children.push_back(form);
        }
        for (Form* child : children) {
            const bool closed = child->unload();
            if (program_.ended())
                return true;
            if (!closed) {
                unloading_ = false;
                return false;
            }
        }
    }
    bool cancel = false;
    Form_Unload(cancel);
    unloading_ = false;
    if (program_.ended())
        return true;
    if (cancel || !loaded_)
        return !loaded_;
    loaded_ = false;
    visible_ = false;
    spent_ = true;
    active_control_ = nullptr;
    program_.form_unloaded(*this);
    return true;
}

void Form::resize(Size client_size) {
    client_size_ = client_size;
    align_bottom_panels();
    if (loaded_)
        Form_Resize();
}

void Form::align_bottom_panels() {
    int bottom = client_size_.height;
    for (Control* control : controls_) {
        auto* panel = dynamic_cast<PictureBox*>(control);
        if (!panel || !panel->aligned_bottom() || !panel->visible())
            continue;
        bottom -= panel->rect().height;
        panel->set_rect({0, bottom, client_size_.width, panel->rect().height});
    }
}

void Form::refresh() {
    if (loaded_)
        program_.form_refreshed(*this);
}

void Form::take_focus(Control* control) {
    if (active_control_ == control)
        return;
    active_control_ = control;
    program_.focus_changed(*this);
}

void Form::focus_first_control() {
    for (Control* control : tab_order_) {
        if (control->can_take_focus()) {
            take_focus(control);
            return;
        }
    }
}

Control* Form::next_in_tab_order(const Control* from) const {
    auto start = std::find(tab_order_.begin(), tab_order_.end(), from);
    if (start == tab_order_.end())
        return nullptr;
    const size_t count = tab_order_.size();
    const size_t first = static_cast<size_t>(start - tab_order_.begin());
    for (size_t step = 1; step < count; ++step) {
        Control* candidate = tab_order_[(first + step) % count];
        if (candidate->can_take_focus())
            return candidate;
    }
    return nullptr;
}

void Form::control_disabled(Control& control) {
    // The focus moves on, as it does in the window system, rather than staying on a control
    // the user cannot reach.
    if (active_control_ == &control)
        take_focus(next_in_tab_order(&control));
}

Refusal Form::user_key_down(int key_code, int shift, bool* consumed) {
    return program_.run_user_action([&]() -> Refusal {
        if (!loaded_)
            return "form not loaded";
        int key = key_code;
        if (key_preview_)
            Form_KeyDown(key, shift);
        if (consumed)
            *consumed = key == 0;
        return std::nullopt;
    });
}

Refusal Form::user_key_up(int key_code, int shift) {
    return program_.run_user_action([&]() -> Refusal {
        if (!loaded_)
            return "form not loaded";
        if (key_preview_)
            Form_KeyUp(key_code, shift);
        return std::nullopt;
    });
}

Refusal Form::user_resize(Size client_size) {
    return program_.run_user_action([&]() -> Refusal {
        if (!loaded_)
            return "form not loaded";
        resize(client_size);
        return std::nullopt;
    });
}

Refusal Form::user_close() {
    return program_.run_user_action([this]() -> Refusal {
        if (!loaded_)
            return "form not loaded";
        unload();
        return std::nullopt;
    });
}

}  // namespace humo::forms
