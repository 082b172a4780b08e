#include "button_view.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace humo::qt {

ButtonView::ButtonView(forms::CommandButton& button, QWidget* parent) : BoundView(button, parent) {
    setText(QString::fromStdString(button.caption()));
    if (button.accessible_name().empty()) {
        QString name = text();
        setAccessibleName(name.remove('&'));
    }
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
    const QColor colour =
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
    if (model_ && model_->symbol() != forms::ButtonSymbol::kNone) {
        paint_symbol(painter, area, colour);
        return;
    }
    painter.setPen(colour);
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, text());
}

void ButtonView::paint_symbol(QPainter& painter, const QRect& area, const QColor& colour) {
    // A triangle pointing the way the button moves, with a bar at the end for first and last.
    const forms::ButtonSymbol symbol = model_->symbol();
    const bool forward =
        symbol == forms::ButtonSymbol::kNext || symbol == forms::ButtonSymbol::kLast;
    const bool to_end =
        symbol == forms::ButtonSymbol::kFirst || symbol == forms::ButtonSymbol::kLast;
    const int size = std::max(4, std::min(area.width(), area.height()) - 2);
    const QRect box(area.center().x() - size / 2, area.center().y() - size / 2, size, size);
    const int bar = to_end ? std::max(2, size / 5) : 0;
    QPolygon triangle;
    if (forward) {
        triangle << QPoint(box.left(), box.top()) << QPoint(box.right() - bar, box.center().y())
                 << QPoint(box.left(), box.bottom());
    } else {
        triangle << QPoint(box.right(), box.top()) << QPoint(box.left() + bar, box.center().y())
                 << QPoint(box.right(), box.bottom());
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(triangle);
    if (to_end) {
        const int x = forward ? box.right() - bar + 1 : box.left();
        painter.drawRect(QRect(x, box.top(), bar, box.height()));
    }
}

}  // namespace humo::qt
