#include "json_text.h"

#include <cstdio>

#include "utf8.h"

namespace humo::json {
namespace {

std::optional<unsigned> hex4(std::string_view text, size_t at) {
    if (at + 4 > text.size())
        return std::nullopt;
    unsigned value = 0;
    for (size_t i = at; i < at + 4; ++i) {
        char c = text[i];
        value <<= 4;
        if (c >= '0' && c <= '9') {
            value |= c - '0';
        } else if (c >= 'a' && c <= 'f') {
            value |= c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            value |= c - 'A' + 10;
        } else {
            return std::nullopt;
        }
    }
    return value;
}

}  // namespace

std::string quote(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string array(const std::vector<std::string>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += ",";
        out += quote(items[i]);
    }
    return out + "]";
}

std::optional<std::string> unquote(std::string_view text, size_t& length) {
    if (text.empty() || text[0] != '"')
        return std::nullopt;
    std::string out;
    for (size_t i = 1; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            length = i + 1;
            return out;
        }
        if (static_cast<unsigned char>(c) < 0x20)
            return std::nullopt;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= text.size())
            return std::nullopt;
        switch (text[i]) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                auto code = hex4(text, i + 1);
                if (!code)
                    return std::nullopt;
                i += 4;
                if (*code >= 0xD800 && *code < 0xDC00 && i + 6 < text.size() &&
                    text.substr(i + 1, 2) == "\\u") {
                    auto low = hex4(text, i + 3);
                    if (!low || *low < 0xDC00 || *low >= 0xE000)
                        return std::nullopt;
                    *code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
                    i += 6;
                }
                text::append_utf8(out, *code);
                break;
            }
            default:
                return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace humo::json
