#include "button_view.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace humo::qt {

ButtonView::ButtonView(forms::CommandButton& button, QWidget* parent)
    : QPushButton(QString::fromStdString(button.caption()), parent), button_(&button) {
    apply_control_look(*this, button);
    setAccessibleName(QString::fromStdString(button.caption()));
    connect(this, &QPushButton::clicked, this, [this] {
        if (button_)
            button_->user_click();
    });
    button.set_listener(
        [this](forms::Change change) { apply_common_change(*this, *button_, change); });
}

void ButtonView::detach() {
    if (button_)
        button_->set_listener(nullptr);
    button_ = nullptr;
}

void ButtonView::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this) / 2 + 2;
    const QRect area = rect().adjusted(margin, margin, -margin, -margin);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, text());
}

}  // namespace humo::qt
