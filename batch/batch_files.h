#pragma once

#include <functional>
#include <optional>
#include <string>

#include "batch_run.h"

namespace humo::batch {

struct BatchRequest {
    // A file, or "-" for standard input.
    std::string input;
    // A file, or empty for standard output.
    std::string output;
    std::string database;
    numbers::DecimalSeparator separator;
    // Asks for each row's 95% ranges, drawn so.
    std::optional<engine::Simulation> ranges;
    // Asks for the change as CO2 too.
    bool co2 = false;
};

// Runs a scenario file against a database. An output file appears whole or not at all: it is
// written beside its place under another name and renamed into place once complete, so it may
// even replace the input. Throws BatchFailure (nothing written) or BatchCancelled.
BatchSummary run_batch(const BatchRequest& request, const ProgressReport& progress = nullptr);

// What every run over a file does around its rows.
// The database's tables in memory; BatchFailure when they cannot be read.
engine::MemoryTables load_tables(const std::string& database, numbers::DecimalSeparator separator);
// Runs `run`, handing it where its bytes go: `output`, written whole or not at all, or standard
// output when `output` is empty or "-". The database in use is never the output. The summary
// names the edition the database records.
BatchSummary write_output(const std::string& output, const std::string& database,
                          const std::function<BatchSummary(WriteBytes write)>& run);

}  // namespace humo::batch
