#pragma once

#include "control.h"

namespace humo::forms {

// A caption, wrapped at word boundaries within its width and broken at each carriage return; a
// disabled label is drawn greyed.
class Label : public Control {
public:
    Label(Form& form, std::string name, Rect rect, std::string caption)
        : Control(form, std::move(name), ControlKind::kLabel, rect), caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }
    void set_caption(std::string caption) {
        if (caption == caption_)
            return;
        caption_ = std::move(caption);
        notify({ChangeKind::kText});
    }
    const std::string& text() const override { return caption_; }
    Alignment alignment() const { return alignment_; }
    void set_alignment(Alignment alignment) { alignment_ = alignment; }

private:
    std::string caption_;
    Alignment alignment_ = Alignment::kLeft;
};

}  // namespace humo::forms
