#include "topic_links.h"

#include <vector>

#include "help_file.h"
#include "html_tags.h"

namespace humo::help {
namespace {

bool is_topic(const std::string& path) { return path.ends_with(".htm") || path.ends_with(".html"); }

// "http:", "mailto:" and the like; a drive letter or a plain name has no scheme.
bool has_scheme(std::string_view link) {
    const std::size_t colon = link.find(':');
    if (colon == std::string_view::npos || colon < 2)
        return false;
    return link.find_first_of("/?#") > colon;
}

}  // namespace

std::vector<std::string> links_in(std::string_view html) {
    std::vector<std::string> links;
    for_each_tag(html, [&links](Tag& tag) {
        for (const char* attribute : {"href", "src"}) {
            auto found = tag.attributes.find(attribute);
            if (found != tag.attributes.end() && !found->second.empty())
                links.push_back(found->second);
        }
    });
    return links;
}

std::optional<std::string> link_target(const std::string& topic, std::string_view link) {
    link = link.substr(0, link.find('#'));
    if (link.empty() || has_scheme(link))
        return std::nullopt;
    std::vector<std::string> parts;
    auto push_parts = [&parts](std::string_view path) {
        std::size_t start = 0;
        while (start <= path.size()) {
            const std::size_t end = std::min(path.find('/', start), path.size());
            const std::string_view part = path.substr(start, end - start);
            if (part == "..") {
                if (!parts.empty())
                    parts.pop_back();
            } else if (!part.empty() && part != ".") {
                parts.emplace_back(part);
            }
            start = end + 1;
        }
    };
    if (link.front() != '/')
        push_parts(std::string_view(topic).substr(0, topic.rfind('/')));
    push_parts(link);
    std::string target;
    for (const std::string& part : parts)
        target += "/" + part;
    return target;
}

std::vector<std::string> broken_links(const HelpFile& file) {
    std::vector<std::string> broken;
    for (const std::string& topic : file.object_paths()) {
        if (!is_topic(topic))
            continue;
        const std::optional<std::string> html = file.read(topic);
        if (!html)
            continue;
        for (const std::string& link : links_in(*html)) {
            const std::optional<std::string> target = link_target(topic, link);
            if (target && !file.contains(*target))
                broken.push_back(topic + " -> " + link);
        }
    }
    return broken;
}

}  // namespace humo::help
