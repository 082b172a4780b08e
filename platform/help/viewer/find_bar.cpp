#include "find_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextCursor>

namespace humo::help {

FindBar::FindBar(QTextBrowser& browser, QWidget* parent)
    : QWidget(parent), browser_(browser), text_(new QLineEdit), status_(new QLabel) {
    setObjectName("findBar");
    text_->setObjectName("findText");
    text_->setPlaceholderText(QString("Find in page"));
    text_->setAccessibleName(QString("Find in page"));
    status_->setObjectName("findStatus");
    auto* previous = new QPushButton(QString("Previous"));
    auto* next = new QPushButton(QString("Next"));
    previous->setObjectName("findPrevious");
    next->setObjectName("findNext");
    auto* close = new QPushButton(QString("Close"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(new QLabel(QString("Find:")));
    layout->addWidget(text_, 1);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addWidget(status_);
    layout->addWidget(close);
    connect(previous, &QPushButton::clicked, this, [this] { find(true); });
    connect(next, &QPushButton::clicked, this, [this] { find(false); });
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    // Typing searches from where the last match began, so the match grows with the text.
    connect(text_, &QLineEdit::textEdited, this, [this] {
        QTextCursor cursor = browser_.textCursor();
        cursor.setPosition(cursor.selectionStart());
        browser_.setTextCursor(cursor);
        find(false);
    });
    hide();
}

void FindBar::open() {
    show();
    text_->setFocus(Qt::ShortcutFocusReason);
    text_->selectAll();
}

void FindBar::find(bool backward) {
    const QString text = text_->text();
    status_->clear();
    if (text.isEmpty())
        return;
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (browser_.find(text, flags))
        return;
    // Round the end of the page and on from the other end.
    QTextCursor cursor = browser_.textCursor();
    cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    browser_.setTextCursor(cursor);
    if (!browser_.find(text, flags))
        status_->setText(QString("Not found"));
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            find(event->modifiers() & Qt::ShiftModifier);
            return;
        case Qt::Key_Escape:
            hide();
            browser_.setFocus();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace humo::help
