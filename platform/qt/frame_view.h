#pragma once

#include <QGroupBox>

#include "control_view.h"
#include "frame.h"

namespace humo::qt {

// A captioned group box; the controls inside it are its children.
class FrameView : public BoundView<QGroupBox, forms::Frame> {
public:
    FrameView(forms::Frame& frame, QWidget* parent) : BoundView(frame, parent) {
        setTitle(QString::fromStdString(frame.caption()));
    }
};

}  // namespace humo::qt
