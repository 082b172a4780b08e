#include "topic_names.h"

#include <algorithm>

namespace humo::help {
namespace {

// chmlib keeps object paths in buffers of this size; no longer path can be in a file.
constexpr std::size_t kLongestObjectPath = 512;

// Links of the form "ms-its:other.chm::/topic.htm" name the file before "::".
std::string_view without_file_prefix(std::string_view name) {
    const std::size_t separator = name.rfind("::");
    return separator == std::string_view::npos ? name : name.substr(separator + 2);
}

}  // namespace

std::optional<std::string> resolve_topic_name(std::string_view name, const ObjectExists& exists) {
    name = without_file_prefix(name);
    const std::size_t hash = name.find('#');
    const std::string fragment(hash == std::string_view::npos ? "" : name.substr(hash));
    std::string path(name.substr(0, hash));
    std::replace(path.begin(), path.end(), '\\', '/');

    // Each trailing part begins at the start or after a slash; the longest comes first.
    for (std::size_t start = 0; start != std::string::npos; start = path.find('/', start + 1)) {
        const std::size_t first = path.find_first_not_of('/', start);
        if (first == std::string::npos)
            break;
        if (path.size() - first >= kLongestObjectPath)
            continue;
        const std::string candidate = "/" + path.substr(first);
        if (exists(candidate))
            return candidate + fragment;
    }
    return std::nullopt;
}

}  // namespace humo::help
