#pragma once

#include <functional>
#include <string>

#include "batch_run.h"
#include "stock_history.h"

namespace humo::batch {

struct HistoryRequest {
    // A file, or "-" for standard input.
    std::string input;
    // A file, or empty for standard output.
    std::string output;
    std::string database;
    numbers::DecimalSeparator separator;
    // The years shown of each site.
    engine::YearSpan years;
};

// Hands out an input from its beginning each time it is called.
using OpenInput = std::function<ReadBytes()>;

// Computes the land-use history of every site of a file of regimes, one row per regime, and
// writes each site's years as soon as its last row has been read: sites come out in the order
// of their last rows. A site that cannot be computed gets one row saying why. The input is read
// twice; memory holds the sites' names and the rows of the sites still open. Throws
// BatchFailure when nothing usable can be written, BatchCancelled when the progress report
// says so.
BatchSummary run_history_stream(const OpenInput& open, WriteBytes write,
                                const engine::MemoryTables& tables, const engine::YearSpan& years,
                                const ProgressReport& progress = nullptr, int64_t total_bytes = 0);

// Runs a history file against a database, its output written as run_batch writes it. Standard
// input is copied to a temporary file to be read twice.
BatchSummary run_history(const HistoryRequest& request, const ProgressReport& progress = nullptr);

}  // namespace humo::batch
