#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

namespace humo::app {

// Where the user chooses files, and which default values to load; the window asks with
// dialogs, tests answer in advance.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // One of the editions' titles, starting from `current`; nothing when the user cancels.
    virtual std::optional<size_t> edition_to_load(QWidget* parent,
                                                  const std::vector<std::string>& titles,
                                                  size_t current) = 0;
    // A scenario file to read.
    virtual std::optional<std::string> scenarios_to_read(QWidget* parent) = 0;
    // Where to save, starting from a suggested file; `filter` as a file dialog takes it.
    virtual std::optional<std::string> where_to_save(QWidget* parent, const std::string& title,
                                                     const std::string& suggested,
                                                     const std::string& filter) = 0;
};

// The file dialogs of the desktop.
class DialogFileChooser : public FileChooser {
public:
    std::optional<size_t> edition_to_load(QWidget* parent, const std::vector<std::string>& titles,
                                          size_t current) override;
    std::optional<std::string> scenarios_to_read(QWidget* parent) override;
    std::optional<std::string> where_to_save(QWidget* parent, const std::string& title,
                                             const std::string& suggested,
                                             const std::string& filter) override;
};

// Asks where to save a PDF, suggesting "<name>-YYYY-MM-DD-HHMM.pdf" in the home folder; a file
// chosen without the extension gets it.
std::optional<std::string> pdf_to_save(FileChooser& files, QWidget* parent,
                                       const std::string& title, const std::string& name);

}  // namespace humo::app
