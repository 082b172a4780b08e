#include "name_list.h"

#include <algorithm>

namespace humo::engine {

void NameList::add(Id id, std::string text) {
    ids.push_back(id);
    texts.push_back(std::move(text));
}

void NameList::clear() {
    ids.clear();
    texts.clear();
}

int NameList::position_of(Id id) const {
    auto found = std::find(ids.begin(), ids.end(), id);
    return found == ids.end() ? -1 : static_cast<int>(found - ids.begin());
}

int NameList::position_of_text(std::string_view text) const {
    auto found = std::find(texts.begin(), texts.end(), text);
    return found == texts.end() ? -1 : static_cast<int>(found - texts.begin());
}

}  // namespace humo::engine
