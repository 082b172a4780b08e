#include "button_view.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace humo::qt {

ButtonView::ButtonView(forms::CommandButton& button, QWidget* parent) : BoundView(button, parent) {
    setText(QString::fromStdString(button.caption()));
    setAccessibleName(text());
    connect(this, &QPushButton::clicked, this, [this] {
        if (model_)
            model_->user_click();
    });
}

void ButtonView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        animateClick();
        return;
    }
    QPushButton::keyPressEvent(event);
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
