#pragma once

#include <QPushButton>

#include "command_button.h"
#include "control_view.h"

namespace humo::qt {

// A push button whose caption wraps over several lines when the button is too narrow for it,
// as the calculator's soil classification buttons need.
class ButtonView : public QPushButton, public ControlView {
public:
    ButtonView(forms::CommandButton& button, QWidget* parent);

    forms::Control* control() const override { return button_; }
    void detach() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    forms::CommandButton* button_;
};

}  // namespace humo::qt
