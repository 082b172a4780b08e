#pragma once

#include <cstdint>
#include <string_view>

namespace humo::help::fuzz {

// What the parsing target does with an input: its first byte.
enum class Parser : std::uint8_t {
    kSystemRecords = 0,
    kContextMap = 1,  // then a little-endian 32-bit length of /#IVB, /#IVB, and /#STRINGS
    kSitemap = 2,
    kTopicLinks = 3,
    kTopicName = 4,
};

}  // namespace humo::help::fuzz
