#pragma once

#include <string>

namespace humo::app {

// What the Help menu's About box says: the tool, its version, the data it ships with and the
// licence.
std::string about_text(const std::string& version);

}  // namespace humo::app
