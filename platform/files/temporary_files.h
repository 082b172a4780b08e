#pragma once

#include <string>

namespace humo::files {

// Temporary files that an interruption must not leave behind. While one is registered, SIGINT,
// SIGTERM and SIGHUP remove it before the program ends as the signal says; a program's own
// handler for a signal is left alone.
void register_temporary(const std::string& path);
void forget_temporary(const std::string& path);

}  // namespace humo::files
