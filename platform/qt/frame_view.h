#pragma once

#include <QGroupBox>

#include "control_view.h"
#include "frame.h"

namespace humo::qt {

// A captioned group box; the controls inside it are its children.
class FrameView : public QGroupBox, public ControlView {
public:
    FrameView(forms::Frame& frame, QWidget* parent);

    forms::Control* control() const override { return frame_; }
    void detach() override;

private:
    forms::Frame* frame_;
};

}  // namespace humo::qt
