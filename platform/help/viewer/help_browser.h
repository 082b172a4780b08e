#pragma once

#include <QTextBrowser>
#include <memory>

#include "help_file.h"

namespace humo::help {

// Shows the topics of one help file: pages, pictures and style sheets are read from the file
// itself. Topic addresses have the scheme "chm", with the object path as their path.
class HelpBrowser : public QTextBrowser {
public:
    static constexpr const char* kScheme = "chm";

    explicit HelpBrowser(QWidget* parent = nullptr);

    // The file the topics come from; nothing after a file could not be opened.
    void set_file(std::shared_ptr<const HelpFile> file) { file_ = std::move(file); }
    const HelpFile* file() const { return file_.get(); }

    static QUrl topic_url(const std::string& topic);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    std::shared_ptr<const HelpFile> file_;
};

}  // namespace humo::help
