#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace humo::help {

// Whether the help file holds an object of this path ("/topics/country.htm").
using ObjectExists = std::function<bool(const std::string& path)>;

// The object a topic name in a help file's records stands for, with its "#fragment" when it
// has one. Compilers write these names differently: as the absolute path of the directory the
// file was built in plus the file's name, or relative to the file's root, with either slash.
// The name resolves to the longest trailing part of it that is an object of the file, so both
// kinds work; nothing when no part is.
std::optional<std::string> resolve_topic_name(std::string_view name, const ObjectExists& exists);

}  // namespace humo::help
