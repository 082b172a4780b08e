#include "text_box_view.h"

#include <QSignalBlocker>

namespace humo::qt {

TextBoxView::TextBoxView(forms::TextBox& box, QWidget* parent) : BoundView(box, parent) {
    setReadOnly(box.locked());
    show_model_text();
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& text) { user_text_changed(text); });
}

void TextBoxView::sync() {
    if (!model_)
        return;
    show_model_text();
    BoundView::sync();
}

void TextBoxView::show_model_text() {
    const QSignalBlocker blocker(this);
    const QString text = QString::fromStdString(model_->text());
    if (this->text() != text) {
        setText(text);
        setCursorPosition(0);
    }
}

void TextBoxView::user_text_changed(const QString& text) {
    if (!model_)
        return;
    if (model_->user_type(text.toStdString())) {
        // Refused: the box is disabled or hidden, so its text stays the model's.
        show_model_text();
    }
}

}  // namespace humo::qt
