#pragma once

#include "control.h"

namespace humo::forms {

// One line of text that the program sets and reads.
class TextBox : public Control {
public:
    TextBox(Form& form, std::string name, Rect rect)
        : Control(form, std::move(name), ControlKind::kTextBox, rect) {}

    const std::string& text() const override { return text_; }
    void set_text(std::string text);
    bool focusable_kind() const override { return true; }

    // A locked box shows a result: its text can be selected and copied, not typed over.
    bool locked() const { return locked_; }
    void set_locked(bool locked) { locked_ = locked; }

    // Runs when the user has changed the text; the program's own changes run nothing.
    std::function<void()> Change;

    // The user replaces the box's text; only an enabled box that is not locked takes it.
    Refusal user_type(std::string text);

private:
    std::string text_;
    bool locked_ = false;
};

}  // namespace humo::forms
