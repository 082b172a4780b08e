#include "database_format.h"

#include <array>
#include <fstream>
#include <string_view>

namespace humo::db {
namespace {

constexpr std::string_view kSqliteMagic{"SQLite format 3\0", 16};
constexpr std::string_view kJetMagic{"Standard Jet DB\0", 16};
constexpr std::string_view kAceMagic{"Standard ACE DB\0", 16};
constexpr size_t kMagicOffset = 4;
constexpr size_t kVersionOffset = 0x14;

struct Header {
    bool readable = false;
    std::array<char, 32> bytes{};
    size_t size = 0;

    std::string_view at(size_t offset, size_t length) const {
        return offset + length <= size ? std::string_view(bytes.data() + offset, length)
                                       : std::string_view();
    }
    bool access() const {
        const std::string_view magic = at(kMagicOffset, kJetMagic.size());
        return magic == kJetMagic || magic == kAceMagic;
    }
};

Header read_header(const std::string& path) {
    Header header;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return header;
    header.readable = true;
    in.read(header.bytes.data(), header.bytes.size());
    header.size = static_cast<size_t>(in.gcount());
    return header;
}

}  // namespace

DatabaseFormat database_format(const std::string& path) {
    const Header header = read_header(path);
    if (!header.readable)
        return DatabaseFormat::kMissing;
    if (header.at(0, kSqliteMagic.size()) == kSqliteMagic)
        return DatabaseFormat::kSqlite;
    if (header.access())
        return DatabaseFormat::kAccess;
    return DatabaseFormat::kUnknown;
}

std::string access_version(const std::string& path) {
    const Header header = read_header(path);
    const std::string_view version = header.at(kVersionOffset, 1);
    if (!header.access() || version.empty())
        return "";
    switch (version[0]) {
        case 0:
            return "Jet 3";
        case 1:
            return "Jet 4";
        default:
            return "Access 2007 or later";
    }
}

}  // namespace humo::db
