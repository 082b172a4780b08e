#pragma once

#include <QPushButton>

#include "command_button.h"
#include "control_view.h"

namespace humo::qt {

// A push button whose caption wraps over several lines when the button is too narrow for it,
// as the calculator's soil classification buttons need.
class ButtonView : public BoundView<QPushButton, forms::CommandButton> {
public:
    ButtonView(forms::CommandButton& button, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Enter presses a focused button, as Space does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void paint_symbol(QPainter& painter, const QRect& area, const QColor& colour);
};

}  // namespace humo::qt
