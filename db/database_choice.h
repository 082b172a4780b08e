#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace humo::db {

// A database that cannot be chosen: an unknown edition, or one whose defaults are missing.
class DatabaseChoiceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The database a program computes on: the one given; else the pristine defaults of the edition
// given; else the one the tool opens, the user's copy made from the defaults on first use.
// Throws DatabaseChoiceError, or the std::runtime_error of a user's copy that cannot be made.
std::string choose_database(const std::string& program_directory,
                            const std::optional<std::string>& database,
                            const std::optional<std::string>& edition);

}  // namespace humo::db
