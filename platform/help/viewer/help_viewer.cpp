#include "help_viewer.h"

#include <QAction>
#include <QDesktopServices>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStringDecoder>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace humo::help {
namespace {

// Help files made on Windows often hold their names in a Windows code page rather than UTF-8.
QString text_of(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(QByteArray::fromStdString(bytes));
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

QUrl without_fragment(const QUrl& url) { return url.adjusted(QUrl::RemoveFragment); }

}  // namespace

HelpViewer::HelpViewer(QWidget* parent)
    : QMainWindow(parent),
      browser_(new HelpBrowser),
      contents_(new QTreeWidget),
      find_bar_(new FindBar(*browser_)) {
    setObjectName("helpViewer");
    setWindowTitle("Help");
    resize(960, 680);

    QToolBar* toolbar = addToolBar("Navigation");
    toolbar->setObjectName("navigation");
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto add = [&](QStyle::StandardPixmap icon, const QString& text, const char* name,
                   QKeySequence::StandardKey key) {
        QAction* action = toolbar->addAction(style()->standardIcon(icon), text);
        action->setObjectName(name);
        action->setShortcut(key);
        return action;
    };
    QAction* back = add(QStyle::SP_ArrowBack, "Back", "back", QKeySequence::Back);
    QAction* forward = add(QStyle::SP_ArrowForward, "Forward", "forward", QKeySequence::Forward);
    home_ = add(QStyle::SP_DirHomeIcon, "Home", "home", QKeySequence::UnknownKey);
    QAction* find = add(QStyle::SP_FileDialogContentsView, "Find", "find", QKeySequence::Find);
    back->setEnabled(false);
    forward->setEnabled(false);
    home_->setEnabled(false);
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(home_, &QAction::triggered, this, [this] { go_home(); });
    connect(find, &QAction::triggered, find_bar_, &FindBar::open);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::anchorClicked, this,
            [this](const QUrl& url) { follow_link(url); });
    // Told while the browser's own history still names the page before.
    connect(browser_, &QTextBrowser::sourceChanged, this,
            [this](const QUrl& url) { topic_shown(url); });

    contents_->setObjectName("contents");
    contents_->setHeaderHidden(true);
    contents_->setAccessibleName("Contents");
    auto open_item = [this](QTreeWidgetItem* item) {
        const QUrl url = item->data(0, Qt::UserRole).toUrl();
        if (url.isValid())
            show_topic(url, false);
    };
    connect(contents_, &QTreeWidget::itemClicked, this, open_item);
    connect(contents_, &QTreeWidget::itemActivated, this, open_item);

    auto* page = new QWidget;
    auto* page_layout = new QVBoxLayout(page);
    page_layout->setContentsMargins(0, 0, 0, 0);
    page_layout->setSpacing(0);
    page_layout->addWidget(browser_, 1);
    page_layout->addWidget(find_bar_);
    auto* splitter = new QSplitter;
    splitter->addWidget(contents_);
    splitter->addWidget(page);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 700});
    setCentralWidget(splitter);
}

void HelpViewer::show_help(const std::string& request, int command, int data) {
    // "humo_tool.chm::/topics/a.htm" names a topic of the file.
    const size_t topic_at = request.find("::");
    const std::string file = request.substr(0, topic_at);
    Outcome<HelpFile> opened = HelpFile::open(file);
    if (!opened.ok()) {
        use_file(nullptr, file);
        show_message(QString::fromStdString(opened.error().message));
    } else {
        auto help = std::make_shared<const HelpFile>(std::move(opened.value()));
        use_file(help, file);
        if (command == 0 && topic_at != std::string::npos) {
            const std::string topic = request.substr(topic_at + 2);
            show_topic(HelpBrowser::topic_url(help->resolve(topic).value_or(topic)), true);
        } else if (command == 0) {
            open_topic(help->default_topic(), true);
        } else if (command == 15) {
            open_topic(help->topic_for_context(static_cast<std::uint32_t>(data)), true);
        } else {
            show_message(
                QString("The help viewer does not carry out the help command %1.").arg(command));
        }
    }
    show();
    raise();
    activateWindow();
}

void HelpViewer::use_file(std::shared_ptr<const HelpFile> file, const std::string& path) {
    // The history of another file, or of one that cannot be read now, leads nowhere.
    if (path != path_ || !file)
        browser_->clearHistory();
    path_ = path;
    browser_->set_file(std::move(file));
    home_->setEnabled(browser_->file() != nullptr);
    fill_contents();
}

void HelpViewer::fill_contents() {
    contents_->clear();
    const HelpFile* file = browser_->file();
    contents_->setVisible(file && !file->contents().empty());
    if (!file)
        return;
    // The last item of each level above the entry being placed.
    std::vector<QTreeWidgetItem*> parents;
    for (const ContentsEntry& entry : file->contents()) {
        parents.resize(std::min(static_cast<std::size_t>(entry.depth), parents.size()));
        auto* item =
            parents.empty() ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(parents.back());
        item->setText(0, text_of(entry.name));
        if (!entry.local.empty()) {
            const std::optional<std::string> topic = file->resolve(entry.local);
            item->setData(0, Qt::UserRole,
                          HelpBrowser::topic_url(topic.value_or("/" + entry.local)));
        }
        parents.push_back(item);
    }
    contents_->expandAll();
}

void HelpViewer::open_topic(const Outcome<std::string>& topic, bool fresh) {
    if (topic.ok())
        show_topic(HelpBrowser::topic_url(topic.value()), fresh);
    else
        show_message(QString::fromStdString(topic.error().message));
}

void HelpViewer::show_topic(const QUrl& url, bool fresh) {
    const HelpFile* file = browser_->file();
    if (!file || !file->contains(url.path().toStdString())) {
        show_message(QString("The help file %1 has no topic %2.")
                         .arg(QString::fromStdString(path_), url.path()));
        return;
    }
    // The page shown may be a message, or come from the file as it was before.
    const bool same_page = without_fragment(browser_->source()) == without_fragment(url);
    if (same_page && (fresh || !message_.isEmpty()))
        browser_->reload();
    message_.clear();
    browser_->setSource(url);
    if (file->unreadable()) {
        show_message(QString("The help file %1 is damaged: the topic %2 cannot be read.")
                         .arg(QString::fromStdString(path_), url.path()));
        return;
    }
    topic_shown(url);
}

void HelpViewer::follow_link(const QUrl& url) {
    if (url.scheme() == HelpBrowser::kScheme) {
        show_topic(url, false);
        return;
    }
    // "ms-its:file.chm::/topic.htm" and "mk:@MSITStore:file.chm::/topic.htm" name a topic of
    // a help file; this viewer looks for it in the file it shows.
    const QString link = url.toString();
    const qsizetype separator = link.indexOf("::");
    if (separator >= 0) {
        const HelpFile* file = browser_->file();
        const std::string name = link.mid(separator + 2).toStdString();
        const std::optional<std::string> topic = file ? file->resolve(name) : std::nullopt;
        show_topic(HelpBrowser::topic_url(topic.value_or(name)), false);
        return;
    }
    QDesktopServices::openUrl(url);
}

void HelpViewer::go_home() {
    if (const HelpFile* file = browser_->file())
        open_topic(file->default_topic(), false);
}

void HelpViewer::show_message(const QString& text) {
    message_ = text;
    browser_->setHtml("<h2>Help cannot be shown</h2><p>" + text.toHtmlEscaped() + "</p>");
    setWindowTitle("Help");
}

void HelpViewer::topic_shown(const QUrl& source) {
    const HelpFile* file = browser_->file();
    // Back or Forward may lead to a page of the file shown before this one.
    if (file && message_.isEmpty() && !file->contains(source.path().toStdString())) {
        show_message(QString("The help file %1 has no topic %2.")
                         .arg(QString::fromStdString(path_), source.path()));
        return;
    }
    const QString file_title = file ? text_of(file->title()) : QString();
    const QString title = browser_->documentTitle();
    setWindowTitle(file_title.isEmpty() ? (title.isEmpty() ? "Help" : title)
                   : title.isEmpty()    ? file_title
                                        : file_title + " - " + title);
    // Mark the topic in the contents, without opening it again.
    const QSignalBlocker blocker(contents_);
    const QUrl shown = without_fragment(source);
    for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
        if (without_fragment((*it)->data(0, Qt::UserRole).toUrl()) == shown) {
            contents_->setCurrentItem(*it);
            return;
        }
    }
    contents_->setCurrentItem(nullptr);
}

}  // namespace humo::help
