#pragma once

#include <QLabel>

#include "control_view.h"
#include "label.h"

namespace humo::qt {

// A caption, wrapped at word boundaries within its width, drawn greyed when disabled.
class LabelView : public BoundView<QLabel, forms::Label> {
public:
    LabelView(forms::Label& label, QWidget* parent);
    void sync() override;

private:
    void show_caption();
};

}  // namespace humo::qt
