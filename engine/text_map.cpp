#include "text_map.h"

#include <cstring>

namespace humo::engine {
namespace {

uint64_t mixed(uint64_t hash, uint64_t word) {
    hash = (hash ^ word) * 0x9E3779B97F4A7C15ull;
    return hash ^ (hash >> 32);
}

// The length and the first and last eight bytes: names of one kind differ there, and the
// probe compares whole texts anyway.
uint64_t hash_of(std::string_view text) {
    uint64_t first = 0;
    uint64_t last = 0;
    const size_t size = text.size();
    if (size >= 8) {
        std::memcpy(&first, text.data(), 8);
        std::memcpy(&last, text.data() + size - 8, 8);
    } else if (size > 0) {
        std::memcpy(&first, text.data(), size);
    }
    return mixed(mixed(0x243F6A8885A308D3ull ^ size, first), last);
}

}  // namespace

size_t TextMap::slot_of(std::string_view text, uint64_t hash) const {
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.value == kNone || (slot.hash == hash && slot.size == text.size() &&
                                    std::memcmp(slot.key, text.data(), text.size()) == 0))
            return i;
    }
}

void TextMap::insert(std::string_view text, int32_t value) {
    // At most half full, so a probe ends soon.
    if ((keys_.size() + 1) * 2 > slots_.size())
        grow();
    const uint64_t hash = hash_of(text);
    Slot& slot = slots_[slot_of(text, hash)];
    if (slot.value != kNone)
        return;
    const std::string& key = keys_.emplace_back(text);
    slot = {hash, key.data(), static_cast<uint32_t>(key.size()), value};
}

int32_t TextMap::find(std::string_view text) const {
    return slots_[slot_of(text, hash_of(text))].value;
}

void TextMap::grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.size() * 2, Slot{});
    for (const Slot& slot : old) {
        if (slot.value != kNone)
            slots_[slot_of(std::string_view(slot.key, slot.size), slot.hash)] = slot;
    }
}

}  // namespace humo::engine
