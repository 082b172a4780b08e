#pragma once

#include <string>
#include <vector>

namespace humo::files {

// The other programs that have the file open, as "NAME (process PID)", for a message that says
// who holds a file locked. Empty when none can be seen.
std::vector<std::string> other_programs_holding(const std::string& path);

}  // namespace humo::files
