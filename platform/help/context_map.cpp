#include "context_map.h"

#include <algorithm>

#include "system_records.h"

namespace humo::help {
namespace {

constexpr std::size_t kCountSize = 4;
constexpr std::size_t kPairSize = 8;

}  // namespace

ContextMap parse_context_map(std::string_view ivb, std::string_view strings) {
    ContextMap map;
    if (ivb.size() < kCountSize) {
        map.damaged = !ivb.empty();
        return map;
    }
    std::size_t count = little_endian(ivb, 0, 4);
    const std::size_t room = ivb.size() - kCountSize;
    if (count > room || count % kPairSize != 0) {
        map.damaged = true;
        count = std::min(count, room);
    }
    for (std::size_t pair = kCountSize; pair + kPairSize <= kCountSize + count; pair += kPairSize) {
        const std::uint32_t number = little_endian(ivb, pair, 4);
        const std::size_t offset = little_endian(ivb, pair + 4, 4);
        const std::size_t end = offset < strings.size() ? strings.find('\0', offset) : offset;
        if (offset >= strings.size() || end == std::string_view::npos || end == offset) {
            map.damaged = true;
            continue;
        }
        map.names.emplace(number, std::string(strings.substr(offset, end - offset)));
    }
    return map;
}

}  // namespace humo::help
