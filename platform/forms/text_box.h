#pragma once

#include "control.h"

namespace humo::forms {

// One line of text that the program sets and reads. No handler reacts to typing.
class TextBox : public Control {
public:
    TextBox(Form& form, std::string name, Rect rect)
        : Control(form, std::move(name), ControlKind::kTextBox, rect) {}

    std::string text() const override { return text_; }
    void set_text(std::string text);
    bool focusable_kind() const override { return true; }

    // The user replaces the box's text; only an enabled box can be typed into.
    Refusal user_type(std::string text);

private:
    std::string text_;
};

}  // namespace humo::forms
