#include "label_view.h"

namespace humo::qt {

LabelView::LabelView(forms::Label& label, QWidget* parent) : BoundView(label, parent) {
    show_caption();
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    const Qt::Alignment horizontal =
        label.alignment() == forms::Alignment::kCenter  ? Qt::AlignHCenter
        : label.alignment() == forms::Alignment::kRight ? Qt::AlignRight
                                                        : Qt::AlignLeft;
    setAlignment(horizontal | Qt::AlignTop);
}

void LabelView::sync() {
    if (!model_)
        return;
    show_caption();
    BoundView::sync();
}

void LabelView::show_caption() {
    // A carriage return breaks the line, as it does in the dialogs' warning texts.
    QString caption = QString::fromStdString(model_->caption());
    caption.replace("\r\n", "\n").replace('\r', '\n');
    if (text() != caption)
        setText(caption);
}

}  // namespace humo::qt
