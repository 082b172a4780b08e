#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace humo::help {

class HelpFile;

// The links of an HTML topic: the targets of its href and src attributes, in order.
std::vector<std::string> links_in(std::string_view html);

// The object a link of `topic` ("/topics/a.htm") leads to: "b.htm" gives "/topics/b.htm",
// "../help.css" gives "/help.css". Nothing for a link that leaves the file ("http:",
// "mailto:") or only names a place in the same topic ("#part").
std::optional<std::string> link_target(const std::string& topic, std::string_view link);

// Each link of each topic of the file that leads to no object in it, as "TOPIC -> LINK".
std::vector<std::string> broken_links(const HelpFile& file);

}  // namespace humo::help
