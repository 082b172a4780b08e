#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <QWidget>

namespace humo::help {

// Find in page: a line under the page where the user types a text; Enter or Next finds its
// next occurrence, Shift+Enter or Previous the one before, both wrapping round the page.
class FindBar : public QWidget {
public:
    explicit FindBar(QTextBrowser& browser, QWidget* parent = nullptr);

    // Shows the bar with the focus in its text, ready to type.
    void open();
    void find(bool backward);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTextBrowser& browser_;
    QLineEdit* text_;
    QLabel* status_;
};

}  // namespace humo::help
