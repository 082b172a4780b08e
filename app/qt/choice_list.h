#pragma once

#include <QComboBox>
#include <string>
#include <vector>

namespace humo::app {

// Shows what a list offers and the item picked, without telling anyone: the items are put in
// anew only when they changed. A pick the list no longer offers, such as a name changed in a
// data form since, stays in sight as the first item.
void show_choices(QComboBox* list, const std::vector<std::string>& items,
                  const std::string& picked);

}  // namespace humo::app
