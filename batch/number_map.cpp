#include "number_map.h"

namespace humo::batch {

size_t NumberMap::slot_of(uint64_t key) const {
    const size_t mask = slots_.size() - 1;
    uint64_t hash = key * 0x9E3779B97F4A7C15ull;
    hash ^= hash >> 29;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        if (slots_[i].position == kNone || slots_[i].key == key)
            return i;
    }
}

uint32_t NumberMap::find(uint64_t key) const { return slots_[slot_of(key)].position; }

void NumberMap::insert(uint64_t key, uint32_t position) {
    // At most half full, so a probe ends soon.
    if ((size_ + 1) * 2 > slots_.size())
        grow();
    Slot& slot = slots_[slot_of(key)];
    if (slot.position != kNone)
        return;
    slot = {key, position};
    ++size_;
}

void NumberMap::clear() {
    slots_.assign(64, Slot{});
    size_ = 0;
}

void NumberMap::grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.size() * 2, Slot{});
    for (const Slot& slot : old) {
        if (slot.position != kNone)
            slots_[slot_of(slot.key)] = slot;
    }
}

}  // namespace humo::batch
