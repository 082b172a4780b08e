#pragma once

#include <string>
#include <vector>

namespace humo::report {

// The rows of a database whose values differ from the shipped defaults.
struct EditedValues {
    static constexpr size_t kListed = 20;

    // Whether the defaults were there to compare with.
    bool compared = false;
    // Why they were not, when they were not.
    std::string note;
    // The first kListed edited rows, each described in words.
    std::vector<std::string> rows;
    // Every edited row, listed or not.
    size_t count = 0;
};

// Compares the database in use with the pristine defaults, table by table and row by row: a
// row whose key is in both with other values was changed, the others were added or removed.
EditedValues edited_values(const std::string& database_path, const std::string& defaults_path);

}  // namespace humo::report
