#pragma once

#include <QLineEdit>

#include "control_view.h"
#include "text_box.h"

namespace humo::qt {

// A one-line text box. What the user types, or an assistive technology writes, goes to the
// model; a box the model holds disabled keeps the model's text.
class TextBoxView : public QLineEdit, public ControlView {
public:
    TextBoxView(forms::TextBox& box, QWidget* parent);

    forms::Control* control() const override { return box_; }
    void detach() override;

private:
    void model_changed(forms::Change change);
    void user_text_changed(const QString& text);
    void show_model_text();

    forms::TextBox* box_;
};

}  // namespace humo::qt
