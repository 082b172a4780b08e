#include "label_view.h"

namespace humo::qt {

LabelView::LabelView(forms::Label& label, QWidget* parent) : BoundView(label, parent) {
    setText(QString::fromStdString(label.caption()));
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    const Qt::Alignment horizontal =
        label.alignment() == forms::Alignment::kCenter  ? Qt::AlignHCenter
        : label.alignment() == forms::Alignment::kRight ? Qt::AlignRight
                                                        : Qt::AlignLeft;
    setAlignment(horizontal | Qt::AlignTop);
}

}  // namespace humo::qt
