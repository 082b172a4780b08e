#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace humo::help {

// One line of a help file's table of contents.
struct ContentsEntry {
    std::string name;
    // The topic the line opens, as the contents file names it; empty for a heading.
    std::string local;
    // 0 for the top level; one more for each list it is nested in.
    int depth;
};

// Reads a table of contents (.hhc): nested <ul> lists of <object type="text/sitemap"> items
// with "Name" and "Local" parameters. It reads what it can of a malformed file and never fails.
std::vector<ContentsEntry> parse_sitemap(std::string_view html);

}  // namespace humo::help
