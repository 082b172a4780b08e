#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace humo::engine {

// The number a table source gives a name of one kind; kNoName where it gives none.
using Id = int32_t;
inline constexpr Id kNoName = -1;

// One of the calculator's lists: its items' texts in order, and the name each stands for.
struct NameList {
    std::vector<std::string> texts;
    std::vector<Id> ids;

    void add(Id id, std::string text);
    void clear();
    // The first item that stands for the name, or -1.
    int position_of(Id id) const;
    // The first item spelt exactly so, or -1.
    int position_of_text(std::string_view text) const;
    bool empty() const { return texts.empty(); }
    size_t size() const { return texts.size(); }
};

}  // namespace humo::engine
