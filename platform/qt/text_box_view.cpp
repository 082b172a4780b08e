#include "text_box_view.h"

#include <QSignalBlocker>

namespace humo::qt {

TextBoxView::TextBoxView(forms::TextBox& box, QWidget* parent) : BoundView(box, parent) {
    show_model_text();
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& text) { user_text_changed(text); });
    listen([this](forms::Change change) {
        if (change == forms::Change::kText) {
            show_model_text();
        } else {
            apply_common_change(*this, *model_, change);
        }
    });
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
