#pragma once

#include <string>

namespace humo::forms {

// The files the program works on, as its start-up found them.
struct ProgramFiles {
    std::string database;
    std::string help_file;
    // Where the pristine default databases are.
    std::string defaults_directory;
};

}  // namespace humo::forms
