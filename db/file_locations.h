#pragma once

#include <chrono>
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
// $XDG_DATA_HOME/humo_tool (~/.local/share/humo_tool when unset). The help file and the
// defaults: beside the program, else where the tool is installed (../share/humo_tool).
FileLocations locate_files(const std::string& program_directory,
                           const std::optional<std::string>& database_option);

// The pristine database of an edition of the defaults.
std::string defaults_file(const std::string& defaults_directory, std::string_view edition = "2003");

// Copies `source` to `target` whole or not at all: written beside the target, then renamed into
// place. Fails with a std::runtime_error naming the target and the reason.
void copy_whole(const std::string& source, const std::string& target);

// Makes the user's copy of the defaults if it does not exist yet.
void make_user_copy(const FileLocations& locations);

// Fails, as restore_defaults would, when the defaults are not there to be restored.
void require_defaults(const std::string& defaults);

// Puts a pristine copy of the defaults in place of `database`, keeping the file it replaces as
// humo_tool-YYYYMMDD-HHMMSS.mdb beside it. Returns the name of that backup.
std::string restore_defaults(const std::string& database, const std::string& defaults,
                             std::chrono::system_clock::time_point now);

}  // namespace humo::db
