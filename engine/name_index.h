#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "name_list.h"
#include "text_map.h"

namespace humo::engine {

// A cell without the blanks (spaces and tabs) around it.
std::string_view trimmed(std::string_view cell);
// Text with ASCII letters in lower case: names compare as the database's NOCASE columns do.
std::string folded(std::string_view text);
// Whether two texts are the same whatever the case of their ASCII letters.
bool same_name(std::string_view a, std::string_view b);

// The names of one kind (countries, land-use types, ...), each with a number. A name is found
// whatever its case, as the database finds it; a user's cell also whatever blanks surround it.
class NameIndex {
public:
    using Id = engine::Id;
    static constexpr Id kNone = kNoName;

    // The number of a name as the database holds it; a name new to the index gets the next one.
    Id add(std::string_view database_text);
    // The number of a database text, or kNone.
    Id find(std::string_view database_text) const;
    // The number of the name a user's cell means, or kNone. A cell spelt exactly as a name is
    // that name, so names that differ only in blanks stay apart.
    Id find_cell(std::string_view cell) const;

    // The name's first spelling in the database.
    const std::string& text(Id id) const { return texts_[static_cast<size_t>(id)]; }
    const std::vector<std::string>& texts() const { return texts_; }
    size_t size() const { return texts_.size(); }

private:
    std::vector<std::string> texts_;
    TextMap by_fold_;
    TextMap by_spelling_;
};

// The name among `names` nearest to the cell, when one is near enough to be what the user
// meant: a typing slip or two, whatever the case. Empty when none is.
std::string nearest_name(std::string_view cell, std::span<const std::string> names);

}  // namespace humo::engine
