#pragma once

#include <QMainWindow>
#include <QTreeWidget>
#include <memory>
#include <string>

#include "find_bar.h"
#include "help_browser.h"

namespace humo::help {

// The help window: a contents pane, the topic, back, forward and home, find in page (Ctrl+F).
// One window serves every help request; each request brings it up again.
class HelpViewer : public QMainWindow {
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Opens the help file (read afresh) at its default topic (command 0), at a topic named after
    // the file ("FILE::/topics/a.htm", command 0) or at the topic of the context number `data`
    // (command 15), and brings the window up. What goes wrong is shown as a message in the
    // window.
    void show_help(const std::string& request, int command, int data);

    HelpBrowser* browser() const { return browser_; }
    QTreeWidget* contents() const { return contents_; }
    FindBar* find_bar() const { return find_bar_; }
    // The message shown in place of a topic; empty while a topic is shown.
    const QString& message() const { return message_; }

private:
    void use_file(std::shared_ptr<const HelpFile> file, const std::string& path);
    void fill_contents();
    void open_topic(const Outcome<std::string>& topic, bool fresh);
    // `fresh`: the page is read again even when it is the one shown.
    void show_topic(const QUrl& url, bool fresh);
    void follow_link(const QUrl& url);
    void go_home();
    void show_message(const QString& text);
    void topic_shown(const QUrl& source);

    HelpBrowser* browser_;
    QTreeWidget* contents_;
    QAction* home_;
    FindBar* find_bar_;
    QString message_;
    std::string path_;
};

}  // namespace humo::help
