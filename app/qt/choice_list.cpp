#include "choice_list.h"

#include <QSignalBlocker>

namespace humo::app {

void show_choices(QComboBox* list, const std::vector<std::string>& items,
                  const std::string& picked) {
    QStringList texts;
    for (const std::string& item : items)
        texts << QString::fromStdString(item);
    const QString shown = QString::fromStdString(picked);
    if (!shown.isEmpty() && !texts.contains(shown))
        texts.prepend(shown);
    const QSignalBlocker quiet(list);
    QStringList current;
    for (int i = 0; i < list->count(); ++i)
        current << list->itemText(i);
    if (current != texts) {
        list->clear();
        list->addItems(texts);
    }
    list->setCurrentIndex(texts.indexOf(shown));
}

}  // namespace humo::app
