#include "file_chooser.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>

namespace humo::app {
namespace {

std::optional<std::string> chosen(const QString& path) {
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}

}  // namespace

std::optional<size_t> DialogFileChooser::edition_to_load(QWidget* parent,
                                                         const std::vector<std::string>& titles,
                                                         size_t current) {
    QStringList items;
    for (const std::string& title : titles)
        items << QString::fromStdString(title);
    bool ok = false;
    const QString item =
        QInputDialog::getItem(parent, "Load default values", "Which default values to load:", items,
                              static_cast<int>(current), false, &ok);
    if (!ok)
        return std::nullopt;
    return static_cast<size_t>(items.indexOf(item));
}

std::optional<std::string> DialogFileChooser::scenarios_to_read(QWidget* parent) {
    return chosen(QFileDialog::getOpenFileName(parent, "Calculate a batch: scenarios to read",
                                               QDir::homePath(),
                                               "CSV files (*.csv *.txt);;All files (*)"));
}

std::optional<std::string> DialogFileChooser::where_to_save(QWidget* parent,
                                                            const std::string& title,
                                                            const std::string& suggested,
                                                            const std::string& filter) {
    return chosen(QFileDialog::getSaveFileName(parent, QString::fromStdString(title),
                                               QString::fromStdString(suggested),
                                               QString::fromStdString(filter)));
}

std::optional<std::string> pdf_to_save(FileChooser& files, QWidget* parent,
                                       const std::string& title, const std::string& name) {
    const std::string suggested =
        QDir(QDir::homePath())
            .filePath(QString::fromStdString(name) + "-" +
                      QDateTime::currentDateTime().toString("yyyy-MM-dd-HHmm") + ".pdf")
            .toStdString();
    std::optional<std::string> path =
        files.where_to_save(parent, title, suggested, "PDF files (*.pdf)");
    if (path && !QString::fromStdString(*path).endsWith(".pdf", Qt::CaseInsensitive))
        *path += ".pdf";
    return path;
}

}  // namespace humo::app
