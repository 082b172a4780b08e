#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace humo::help {

// One start or end tag of an HTML text.
struct Tag {
    std::string name;                               // lower case; "/ul" for an end tag
    std::map<std::string, std::string> attributes;  // names in lower case, values decoded
};

// Calls `visit` for each tag of `html` in order, comments skipped. It reads what it can of
// malformed HTML and never fails.
void for_each_tag(std::string_view html, const std::function<void(Tag&)>& visit);

}  // namespace humo::help
