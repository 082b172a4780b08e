#pragma once

#include <QLineEdit>

#include "control_view.h"
#include "text_box.h"

namespace humo::qt {

// A one-line text box. What the user types, or an assistive technology writes, goes to the
// model; a box the model holds disabled keeps the model's text.
class TextBoxView : public BoundView<QLineEdit, forms::TextBox> {
public:
    TextBoxView(forms::TextBox& box, QWidget* parent);
    void sync() override;

private:
    void user_text_changed(const QString& text);
    void show_model_text();
};

}  // namespace humo::qt
