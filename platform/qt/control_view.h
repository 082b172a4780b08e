#pragma once

#include <QWidget>

#include "control.h"

namespace humo::qt {

// A widget that mirrors one model control. The model tells it every change; the widget turns
// user actions into model calls. Once detached (its form unloaded), it never touches the
// model again.
class ControlView {
public:
    virtual ~ControlView() = default;
    virtual forms::Control* control() const = 0;
    virtual void detach() = 0;
};

// Geometry, typeface, colour, enabled and visible state, names: what every widget takes from
// its control.
void apply_control_look(QWidget& widget, const forms::Control& control);
// The changes every kind reacts to the same way: enabled, visible, repaint.
void apply_common_change(QWidget& widget, const forms::Control& control, forms::Change change);

}  // namespace humo::qt
