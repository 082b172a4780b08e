#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace humo::engine {

// Numbers by text, found with one hash of a few machine words and a probe or two: a row looks
// up nine names, and the general-purpose map's division and node hops showed in every profile.
class TextMap {
public:
    static constexpr int32_t kNone = -1;

    // Keeps the first number given for a text.
    void insert(std::string_view text, int32_t value);
    int32_t find(std::string_view text) const;

private:
    struct Slot {
        uint64_t hash = 0;
        // The text, where keys_ keeps it.
        const char* key = nullptr;
        uint32_t size = 0;
        int32_t value = kNone;
    };
    void grow();
    size_t slot_of(std::string_view text, uint64_t hash) const;

    // A deque, so that the texts stay where the slots point.
    std::deque<std::string> keys_;
    std::vector<Slot> slots_ = std::vector<Slot>(16);
};

}  // namespace humo::engine
