#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace humo::help {

// The topic names a compiled help file gives its context numbers.
struct ContextMap {
    std::map<std::uint32_t, std::string> names;
    // Part of the map could not be read; the entries read are kept.
    bool damaged = false;
};

// `ivb` is the /#IVB object: a 32-bit byte count, then pairs of a context number and an offset
// into `strings`, the /#STRINGS object of NUL-terminated names; all numbers little-endian.
ContextMap parse_context_map(std::string_view ivb, std::string_view strings);

}  // namespace humo::help
