#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace humo::help {

// What a compiled help file says about itself in its /#SYSTEM object: a version, then records
// of a little-endian 16-bit code, a 16-bit length and that many bytes of data.
struct SystemRecords {
    std::optional<std::string> contents_file;  // code 0
    std::optional<std::string> default_topic;  // code 2
    std::optional<std::string> title;          // code 3
    // A record ran past the end; the records before it are kept.
    bool damaged = false;
};

SystemRecords parse_system_records(std::string_view data);

// The little-endian unsigned number of `width` bytes at `offset`; the caller checks the room.
std::uint32_t little_endian(std::string_view data, std::size_t offset, std::size_t width);

}  // namespace humo::help
