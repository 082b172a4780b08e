#pragma once

#include <QLabel>

#include "control_view.h"
#include "picture_box.h"

namespace humo::qt {

// A picture box: the stored picture at its own size in the top left corner, inside a sunken
// border.
class PictureView : public BoundView<QLabel, forms::PictureBox> {
public:
    PictureView(forms::PictureBox& picture, QWidget* parent);
};

}  // namespace humo::qt
