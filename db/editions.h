#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace humo::db {

// An edition of the default values, as data/README.md describes it.
struct Edition {
    std::string_view id;
    std::string_view title;
    // The folder of its value tables, relative to the data folder; empty: the data folder.
    std::string_view folder;
    // The highest region code it takes from the extended region scheme; 0: the data folder's
    // own regions and country lookup.
    int last_region_code;
};

// Every edition, oldest first; a new user's database is made from the first.
const std::vector<Edition>& editions();

// The edition with this id; null when there is none.
const Edition* find_edition(std::string_view id);

// The ids for a message: "2003, 2006, 2019".
std::string edition_ids();

}  // namespace humo::db
