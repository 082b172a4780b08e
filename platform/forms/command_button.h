#pragma once

#include "control.h"

namespace humo::forms {

// What a picture button shows instead of a caption: the record navigation symbols.
enum class ButtonSymbol { kNone, kFirst, kPrevious, kNext, kLast };

class CommandButton : public Control {
public:
    CommandButton(Form& form, std::string name, Rect rect, std::string caption)
        : Control(form, std::move(name), ControlKind::kButton, rect),
          caption_(std::move(caption)) {}

    // The caption; an ampersand marks the access key.
    const std::string& caption() const { return caption_; }
    ButtonSymbol symbol() const { return symbol_; }
    void set_symbol(ButtonSymbol symbol) { symbol_ = symbol; }
    const std::string& text() const override { return caption_; }
    bool focusable_kind() const override { return true; }

    std::function<void()> Click;

    // The user clicks the button: it takes the focus, then its handler runs.
    Refusal user_click();

private:
    std::string caption_;
    ButtonSymbol symbol_ = ButtonSymbol::kNone;
};

}  // namespace humo::forms
