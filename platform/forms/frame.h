#pragma once

#include "control.h"

namespace humo::forms {

// A captioned group box; the controls inside it are placed relative to it.
class Frame : public Control {
public:
    Frame(Form& form, std::string name, Rect rect, std::string caption)
        : Control(form, std::move(name), ControlKind::kFrame, rect), caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }
    const std::string& text() const override { return caption_; }

private:
    std::string caption_;
};

}  // namespace humo::forms
