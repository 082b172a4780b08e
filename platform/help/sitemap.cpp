#include "sitemap.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "html_tags.h"

namespace humo::help {
namespace {

bool same_word(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::vector<ContentsEntry> parse_sitemap(std::string_view html) {
    std::vector<ContentsEntry> entries;
    int list_depth = 0;
    std::optional<ContentsEntry> item;
    for_each_tag(html, [&](Tag& tag) {
        if (tag.name == "ul") {
            ++list_depth;
        } else if (tag.name == "/ul") {
            list_depth = std::max(list_depth - 1, 0);
        } else if (tag.name == "object") {
            item.reset();
            if (same_word(tag.attributes["type"], "text/sitemap"))
                item = ContentsEntry{{}, {}, std::max(list_depth - 1, 0)};
        } else if (tag.name == "param" && item) {
            const std::string& name = tag.attributes["name"];
            const std::string& value = tag.attributes["value"];
            if (same_word(name, "Name") && item->name.empty())
                item->name = value;
            else if (same_word(name, "Local") && item->local.empty())
                item->local = value;
        } else if (tag.name == "/object" && item) {
            if (!item->name.empty() || !item->local.empty())
                entries.push_back(std::move(*item));
            item.reset();
        }
    });
    return entries;
}

}  // namespace humo::help
