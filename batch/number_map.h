#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace humo::batch {

// Positions by 64-bit key in one flat table: the rows' shared stocks and changes are looked
// up for every row, and a node-based map's cache misses cost more than the arithmetic saved.
class NumberMap {
public:
    static constexpr uint32_t kNone = UINT32_MAX;

    // The position stored for the key, or kNone.
    uint32_t find(uint64_t key) const;
    // Stores a position for a key that has none yet.
    void insert(uint64_t key, uint32_t position);
    void clear();
    size_t size() const { return size_; }

private:
    struct Slot {
        uint64_t key = 0;
        uint32_t position = kNone;
    };
    size_t slot_of(uint64_t key) const;
    void grow();

    std::vector<Slot> slots_ = std::vector<Slot>(64);
    size_t size_ = 0;
};

}  // namespace humo::batch
