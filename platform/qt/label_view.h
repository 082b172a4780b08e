#pragma once

#include <QLabel>

#include "control_view.h"
#include "label.h"

namespace humo::qt {

// A caption, wrapped at word boundaries within its width, drawn greyed when disabled.
class LabelView : public QLabel, public ControlView {
public:
    LabelView(forms::Label& label, QWidget* parent);

    forms::Control* control() const override { return label_; }
    void detach() override;

private:
    forms::Label* label_;
};

}  // namespace humo::qt
