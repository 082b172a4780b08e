#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "program_files.h"

namespace humo::db {

// Where the program's files are. One place decides this for every program of the tool.
struct FileLocations : forms::ProgramFiles {
    // The database is the user's own copy, made from the defaults when it was missing.
    bool user_copy = false;
};

// Every file beside the program: the database, the help file and the pristine defaults.
FileLocations files_beside(const std::string& program_directory);

// Looks for the files, in this order: the database given with --database; the database beside
// the program (a build tree or a portable copy); otherwise the user's own copy in
// $XDG_DATA_HOME/humo_tool (~/.local/share/humo_tool when unset; the home directory from the
// account when HOME is unset too; none without a home, which make_user_copy then reports). The help
// file and the defaults: beside the program, else where the tool is installed (../share/humo_tool).
FileLocations locate_files(const std::string& program_directory,
                           const std::optional<std::string>& database_option);

// The pristine database of an edition of the defaults.
std::string defaults_file(const std::string& defaults_directory, std::string_view edition = "2003");

// Makes the user's copy of the defaults if it does not exist yet. Fails with a
// std::runtime_error naming the file and the reason.
void make_user_copy(const FileLocations& locations);

}  // namespace humo::db
