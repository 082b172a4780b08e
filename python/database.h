#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "memory_tables.h"
#include "scenario.h"

namespace humo::python {

// A database that cannot be found, chosen, made or read; the message names the file and why.
class DatabaseUnusable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One database's tables held in memory, and the calculator that computes rows over them.
struct Database {
    std::string path;
    // The title of the edition of the default values the database records, if any.
    std::string edition;
    engine::MemoryTables tables;
    // Shares picks and stocks from call to call; computes over `tables`, so the two never move.
    std::optional<batch::ScenarioCalculator> calculator;
};

// Opens the database the programs would (`database` given, else an edition's pristine
// defaults, else the tool's own), reading numbers with the decimal separator. Throws
// DatabaseUnusable, or std::invalid_argument for a separator or a pair of choices that cannot be.
std::unique_ptr<Database> open_database(const std::optional<std::string>& database,
                                        const std::optional<std::string>& edition,
                                        const std::string& decimal_separator);

}  // namespace humo::python
