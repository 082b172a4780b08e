#include "html_tags.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

#include "utf8.h"

namespace humo::help {
namespace {

bool is_name_char(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == ':';
}

std::string lower(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

// The character a reference such as "&amp;" or "&#233;" stands for, and the reference's length.
std::optional<std::pair<std::string, std::size_t>> entity_at(std::string_view text) {
    const std::size_t end = text.find(';');
    if (end == std::string_view::npos || end < 2 || end > 10)
        return std::nullopt;
    const std::string_view body = text.substr(1, end - 1);
    static const std::map<std::string, std::string, std::less<>> named = {
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", "\xC2\xA0"},
    };
    if (body[0] != '#') {
        auto found = named.find(body);
        if (found == named.end())
            return std::nullopt;
        return std::pair{found->second, end + 1};
    }
    const bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
    const std::string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty())
        return std::nullopt;
    unsigned long code = 0;
    for (char c : digits) {
        if (!(hex ? std::isxdigit(static_cast<unsigned char>(c))
                  : std::isdigit(static_cast<unsigned char>(c))))
            return std::nullopt;
        const int digit = std::isdigit(static_cast<unsigned char>(c))
                              ? c - '0'
                              : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        code = code * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
    }
    std::string character;
    // A reference to character 0 stands for the replacement character, as browsers read it.
    text::append_utf8(character, code == 0 ? 0xFFFD : code);
    return std::pair{character, end + 1};
}

std::string decode_entities(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '&') {
            if (auto entity = entity_at(text.substr(i))) {
                out += entity->first;
                i += entity->second;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

// Reads the attributes between a tag's name and its '>'.
void read_attributes(std::string_view text, Tag& tag) {
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && !is_name_char(text[i]))
            ++i;
        const std::size_t name_start = i;
        while (i < text.size() && is_name_char(text[i]))
            ++i;
        const std::string name = lower(text.substr(name_start, i - name_start));
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
            ++i;
        if (name.empty() || i >= text.size() || text[i] != '=') {
            if (!name.empty())
                tag.attributes.emplace(name, "");
            continue;
        }
        ++i;
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
            ++i;
        std::string_view value;
        if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
            const char quote = text[i++];
            const std::size_t end = std::min(text.find(quote, i), text.size());
            value = text.substr(i, end - i);
            i = end + 1;
        } else {
            const std::size_t start = i;
            while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])))
                ++i;
            value = text.substr(start, i - start);
        }
        tag.attributes.emplace(name, decode_entities(value));
    }
}

// The end of the tag that starts at `start` ('<'): the position of its '>', quotes respected.
std::size_t tag_end(std::string_view html, std::size_t start) {
    char quote = 0;
    for (std::size_t i = start + 1; i < html.size(); ++i) {
        if (quote) {
            if (html[i] == quote)
                quote = 0;
        } else if (html[i] == '"' || html[i] == '\'') {
            quote = html[i];
        } else if (html[i] == '>') {
            return i;
        }
    }
    return html.size();
}

}  // namespace

void for_each_tag(std::string_view html, const std::function<void(Tag&)>& visit) {
    std::size_t i = 0;
    while ((i = html.find('<', i)) != std::string_view::npos) {
        if (html.substr(i, 4) == "<!--") {
            const std::size_t end = html.find("-->", i + 4);
            i = end == std::string_view::npos ? html.size() : end + 3;
            continue;
        }
        const std::size_t end = tag_end(html, i);
        std::size_t name_end = i + 1;
        if (name_end < end && html[name_end] == '/')
            ++name_end;
        while (name_end < end && is_name_char(html[name_end]))
            ++name_end;
        Tag tag{lower(html.substr(i + 1, name_end - i - 1)), {}};
        read_attributes(html.substr(name_end, end - name_end), tag);
        i = end;
        visit(tag);
    }
}

}  // namespace humo::help
