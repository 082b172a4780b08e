#pragma once

#include <string>

namespace humo::text {

// Appends one character as UTF-8; a code that names no character (a surrogate, or beyond
// U+10FFFF) becomes U+FFFD, so the text stays valid UTF-8 whatever was decoded.
inline void append_utf8(std::string& out, unsigned long code) {
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        out += "\xEF\xBF\xBD";
    } else if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace humo::text
