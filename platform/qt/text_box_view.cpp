#include "text_box_view.h"

#include <QSignalBlocker>

namespace humo::qt {

TextBoxView::TextBoxView(forms::TextBox& box, QWidget* parent) : QLineEdit(parent), box_(&box) {
    apply_control_look(*this, box);
    show_model_text();
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& text) { user_text_changed(text); });
    box.set_listener([this](forms::Change change) { model_changed(change); });
}

void TextBoxView::detach() {
    if (box_)
        box_->set_listener(nullptr);
    box_ = nullptr;
}

void TextBoxView::model_changed(forms::Change change) {
    if (change == forms::Change::kText) {
        show_model_text();
    } else {
        apply_common_change(*this, *box_, change);
    }
}

void TextBoxView::show_model_text() {
    const QSignalBlocker blocker(this);
    const QString text = QString::fromStdString(box_->text());
    if (this->text() != text) {
        setText(text);
        setCursorPosition(0);
    }
}

void TextBoxView::user_text_changed(const QString& text) {
    if (!box_)
        return;
    if (box_->user_type(text.toStdString())) {
        // Refused: the box is disabled or hidden, so its text stays the model's.
        show_model_text();
    }
}

}  // namespace humo::qt
