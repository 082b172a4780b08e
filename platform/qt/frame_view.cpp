#include "frame_view.h"

namespace humo::qt {

FrameView::FrameView(forms::Frame& frame, QWidget* parent)
    : QGroupBox(QString::fromStdString(frame.caption()), parent), frame_(&frame) {
    apply_control_look(*this, frame);
    frame.set_listener(
        [this](forms::Change change) { apply_common_change(*this, *frame_, change); });
}

void FrameView::detach() {
    if (frame_)
        frame_->set_listener(nullptr);
    frame_ = nullptr;
}

}  // namespace humo::qt
