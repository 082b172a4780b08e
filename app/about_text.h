#pragma once

#include <string>

namespace humo::app {

// What the Help menu's About box says: the tool, its version, the data it ships with, the
// edition of the default values in use and the licence.
std::string about_text(const std::string& version, const std::string& edition_in_use);

}  // namespace humo::app
