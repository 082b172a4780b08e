#include "editions.h"

namespace humo::db {

const std::vector<Edition>& editions() {
    static const std::vector<Edition> all = {
        {"2003", "Good-practice guidance, Chapter 3 defaults (2003)", "", 0},
        {"2006", "2006 inventory guidelines, Volume 4 defaults", "editions/2006", 10},
        {"2019", "2019 refinement of the 2006 inventory guidelines, Volume 4 defaults",
         "editions/2019", 11},
    };
    return all;
}

const Edition* find_edition(std::string_view id) {
    for (const Edition& edition : editions()) {
        if (edition.id == id)
            return &edition;
    }
    return nullptr;
}

std::string edition_ids() {
    std::string ids;
    for (const Edition& edition : editions())
        ids += (ids.empty() ? "" : ", ") + std::string(edition.id);
    return ids;
}

}  // namespace humo::db
