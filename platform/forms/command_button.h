#pragma once

#include "control.h"

namespace humo::forms {

class CommandButton : public Control {
public:
    CommandButton(Form& form, std::string name, Rect rect, std::string caption)
        : Control(form, std::move(name), ControlKind::kButton, rect),
          caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }
    const std::string& text() const override { return caption_; }
    bool focusable_kind() const override { return true; }

    std::function<void()> Click;

    // The user clicks the button: it takes the focus, then its handler runs.
    Refusal user_click();

private:
    std::string caption_;
};

}  // namespace humo::forms
