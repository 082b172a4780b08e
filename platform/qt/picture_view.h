#pragma once

#include <QLabel>

#include "control_view.h"
#include "picture_box.h"

namespace humo::qt {

// A picture box: the stored picture at its own size in the top left corner, inside a sunken
// border.
class PictureView : public QLabel, public ControlView {
public:
    PictureView(forms::PictureBox& picture, QWidget* parent);

    forms::Control* control() const override { return picture_; }
    void detach() override;

private:
    forms::PictureBox* picture_;
};

}  // namespace humo::qt
