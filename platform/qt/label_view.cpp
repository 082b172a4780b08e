#include "label_view.h"

namespace humo::qt {

LabelView::LabelView(forms::Label& label, QWidget* parent)
    : QLabel(QString::fromStdString(label.caption()), parent), label_(&label) {
    apply_control_look(*this, label);
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    const Qt::Alignment horizontal =
        label.alignment() == forms::Alignment::kCenter  ? Qt::AlignHCenter
        : label.alignment() == forms::Alignment::kRight ? Qt::AlignRight
                                                        : Qt::AlignLeft;
    setAlignment(horizontal | Qt::AlignTop);
    label.set_listener(
        [this](forms::Change change) { apply_common_change(*this, *label_, change); });
}

void LabelView::detach() {
    if (label_)
        label_->set_listener(nullptr);
    label_ = nullptr;
}

}  // namespace humo::qt
