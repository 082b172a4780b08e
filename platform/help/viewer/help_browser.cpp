#include "help_browser.h"

namespace humo::help {

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
    setObjectName("helpBrowser");
    // Links are followed by the viewer, which keeps them inside the file.
    setOpenLinks(false);
}

QUrl HelpBrowser::topic_url(const std::string& topic) {
    QUrl url;
    url.setScheme(kScheme);
    const std::size_t hash = topic.find('#');
    url.setPath(QString::fromStdString(topic.substr(0, hash)));
    if (hash != std::string::npos)
        url.setFragment(QString::fromStdString(topic.substr(hash + 1)));
    return url;
}

QVariant HelpBrowser::loadResource(int, const QUrl& name) {
    if (!file_ || name.scheme() != kScheme)
        return {};
    const std::optional<std::string> data = file_->read(name.path().toStdString());
    if (!data)
        return {};
    return QByteArray::fromStdString(*data);
}

}  // namespace humo::help
