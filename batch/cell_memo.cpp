#include "cell_memo.h"

#include <cstring>

namespace humo::batch {
namespace {

uint64_t mixed(uint64_t hash, uint64_t word) {
    hash = (hash ^ word) * 0x9E3779B97F4A7C15ull;
    return hash ^ (hash >> 32);
}

uint64_t word_at(const char* at) {
    uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

uint64_t hash_of(const CellMemo::Cells& cells, int32_t number, std::string_view text) {
    uint64_t hash = mixed(0x243F6A8885A308D3ull, static_cast<uint32_t>(number));
    hash = mixed(hash, cells[0].size() | cells[1].size() << 21 | cells[2].size() << 42);
    const size_t size = text.size();
    size_t i = 0;
    for (; i + 8 <= size; i += 8)
        hash = mixed(hash, word_at(text.data() + i));
    if (i == size)
        return hash;
    // The last eight bytes again, or the few there are.
    if (size >= 8)
        return mixed(hash, word_at(text.data() + size - 8));
    uint64_t word = 0;
    for (; i < size; ++i)
        word = word << 8 | static_cast<unsigned char>(text[i]);
    return mixed(hash, word);
}

bool follows(std::string_view earlier, std::string_view later) {
    return reinterpret_cast<uintptr_t>(earlier.data()) + earlier.size() + 1 ==
           reinterpret_cast<uintptr_t>(later.data());
}

}  // namespace

CellMemo::Key CellMemo::key_of(int32_t number, const Cells& cells) {
    const Head head{number,
                    {static_cast<uint32_t>(cells[0].size()), static_cast<uint32_t>(cells[1].size()),
                     static_cast<uint32_t>(cells[2].size())}};
    if (follows(cells[0], cells[1]) && follows(cells[1], cells[2]))
        return {head, {cells[0].data(), cells[0].size() + cells[1].size() + cells[2].size() + 2}};
    gathered_.assign(cells[0]);
    for (size_t i = 1; i < cells.size(); ++i) {
        gathered_ += '\0';
        gathered_.append(cells[i]);
    }
    return {head, gathered_};
}

bool CellMemo::holds(const Slot& slot, const Key& key) const {
    const char* stored = texts_.data() + slot.offset;
    Head head;
    std::memcpy(&head, stored, sizeof head);
    return head == key.head &&
           std::memcmp(stored + sizeof head, key.text.data(), key.text.size()) == 0;
}

size_t CellMemo::slot_of(const Key& key, uint64_t hash) const {
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.value == kNone)
            return i;
        if (slot.hash == static_cast<uint32_t>(hash) && holds(slot, key))
            return i;
    }
}

int32_t CellMemo::find(int32_t number, const Cells& cells) {
    const Key key = key_of(number, cells);
    return slots_[slot_of(key, hash_of(cells, number, key.text))].value;
}

void CellMemo::insert(int32_t number, const Cells& cells, int32_t value) {
    // At most half full, so a probe ends soon.
    if ((size_ + 1) * 2 > slots_.size())
        grow();
    const Key key = key_of(number, cells);
    const uint64_t hash = hash_of(cells, number, key.text);
    Slot& slot = slots_[slot_of(key, hash)];
    if (slot.value != kNone)
        return;
    slot = {static_cast<uint32_t>(hash), value, static_cast<uint32_t>(texts_.size())};
    texts_.append(reinterpret_cast<const char*>(&key.head), sizeof key.head);
    texts_.append(key.text);
    ++size_;
}

void CellMemo::clear() {
    texts_.clear();
    slots_.assign(16, Slot{});
    size_ = 0;
}

void CellMemo::grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.size() * 2, Slot{});
    const size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.value == kNone)
            continue;
        size_t i = slot.hash & mask;
        while (slots_[i].value != kNone)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

}  // namespace humo::batch
