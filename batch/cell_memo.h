#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace humo::batch {

// Numbers by a number and three cells as a row wrote them, such as a climate region and the
// land use, management and input of a system. Rows name the same few hundred of these over
// and over. Cells that lie one after the other in their line, as a plain line's do, are
// hashed and compared where they lie; others are gathered first.
class CellMemo {
public:
    using Cells = std::array<std::string_view, 3>;
    static constexpr int32_t kNone = -1;

    int32_t find(int32_t number, const Cells& cells);
    // Keeps the first value given for a key.
    void insert(int32_t number, const Cells& cells, int32_t value);
    size_t size() const { return size_; }
    // The bytes the keys take.
    size_t bytes() const { return texts_.size(); }
    void clear();

private:
    // The number and the cells' lengths; with them, the cells' stretch of text (one byte
    // between each two) tells the cells apart.
    struct Head {
        int32_t number;
        std::array<uint32_t, 3> sizes;
        bool operator==(const Head&) const = default;
    };
    struct Key {
        Head head;
        std::string_view text;
    };
    // Small, so that the slots of a few thousand keys stay in the processor's cache.
    struct Slot {
        uint32_t hash = 0;
        int32_t value = kNone;
        // Where the key's head and text lie in texts_.
        uint32_t offset = 0;
    };
    Key key_of(int32_t number, const Cells& cells);
    size_t slot_of(const Key& key, uint64_t hash) const;
    bool holds(const Slot& slot, const Key& key) const;
    void grow();

    std::string gathered_;
    std::string texts_;
    std::vector<Slot> slots_ = std::vector<Slot>(16);
    size_t size_ = 0;
};

}  // namespace humo::batch
