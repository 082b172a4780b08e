#include "system_records.h"

namespace humo::help {
namespace {

constexpr std::size_t kVersionSize = 4;
constexpr std::size_t kRecordHeaderSize = 4;

// Record data is a NUL-terminated text; an empty text names nothing.
std::optional<std::string> text_of(std::string_view data) {
    const std::string_view text = data.substr(0, data.find('\0'));
    if (text.empty())
        return std::nullopt;
    return std::string(text);
}

}  // namespace

std::uint32_t little_endian(std::string_view data, std::size_t offset, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(data[offset + i]);
    return value;
}

SystemRecords parse_system_records(std::string_view data) {
    SystemRecords records;
    if (data.size() < kVersionSize) {
        records.damaged = true;
        return records;
    }
    std::size_t position = kVersionSize;
    while (position + kRecordHeaderSize <= data.size()) {
        const std::uint32_t code = little_endian(data, position, 2);
        const std::size_t length = little_endian(data, position + 2, 2);
        position += kRecordHeaderSize;
        if (length > data.size() - position) {
            records.damaged = true;
            return records;
        }
        const std::string_view record = data.substr(position, length);
        position += length;
        switch (code) {
            case 0:
                records.contents_file = text_of(record);
                break;
            case 2:
                records.default_topic = text_of(record);
                break;
            case 3:
                records.title = text_of(record);
                break;
            default:
                break;
        }
    }
    return records;
}

}  // namespace humo::help
