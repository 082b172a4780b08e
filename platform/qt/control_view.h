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

// A Qt widget bound to a model control of one kind. Kinds with behaviour of their own listen
// for the changes they care about; the others only follow the common ones.
template <class Widget, class Model>
class BoundView : public Widget, public ControlView {
public:
    forms::Control* control() const override { return model_; }
    void detach() override {
        if (model_)
            model_->set_listener(nullptr);
        model_ = nullptr;
    }

protected:
    BoundView(Model& model, QWidget* parent) : Widget(parent), model_(&model) {
        apply_control_look(*this, model);
        listen([this](forms::Change change) { apply_common_change(*this, *model_, change); });
    }
    void listen(std::function<void(forms::Change)> listener) {
        model_->set_listener(std::move(listener));
    }

    // Null once the form has unloaded.
    Model* model_;
};

}  // namespace humo::qt
