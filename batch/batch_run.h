#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "csv_reader.h"
#include "csv_writer.h"
#include "decimal_separator.h"
#include "memory_tables.h"
#include "monte_carlo.h"
#include "published_uncertainty.h"

namespace humo::batch {

// A row that could not be computed: its line and what is wrong, as the summary lists it.
struct RowError {
    int64_t line = 0;
    std::string message;
};

struct BatchSummary {
    static constexpr size_t kListedErrors = 10;

    // What the run counts: the rows of a scenario file, the sites of histories.
    const char* item = "row";
    int64_t rows = 0;
    int64_t computed = 0;
    int64_t with_errors = 0;
    // The first rows with errors, at most kListedErrors.
    std::vector<RowError> first_errors;
    // Something worth saying about the input as a whole, such as that it has no rows.
    std::string note;
    // The title of the edition of the default values the database records, if it records one.
    std::string edition;
    // Sums over the file, such as with ranges and areas "total annual change: 1234.56 MgC/yr,
    // 95% range 1100.00 to 1370.00".
    std::vector<std::string> total_lines;

    // "1000 rows: 997 computed, 3 with errors", and "(default values: TITLE)" when the edition
    // is known.
    std::string summary_line() const;
    // "… and 2 more rows with errors (see the error column)" when not all are listed, else empty.
    std::string unlisted_errors_line() const;
    // "line 12: country "Kenia" is unknown; did you mean "Kenya"?"
    static std::string error_line(const RowError& error);
    // 0 when every row was computed, 1 when some have errors.
    int exit_status() const { return with_errors > 0 ? 1 : 0; }
};

// Nothing usable could be written: the input, its header or the database cannot be used. An
// output file is then left as it was; standard output may already hold the rows before the
// failure, which `output_started` tells.
class BatchFailure : public std::runtime_error {
public:
    explicit BatchFailure(const std::string& what, bool output_started = false)
        : std::runtime_error(what), output_started_(output_started) {}
    bool output_started() const { return output_started_; }

private:
    bool output_started_;
};

// The user cancelled the run.
class BatchCancelled : public std::runtime_error {
public:
    BatchCancelled() : std::runtime_error("cancelled") {}
};

struct BatchProgress {
    int64_t rows = 0;
    int64_t bytes_read = 0;
    // The input's size when it is known, else 0.
    int64_t total_bytes = 0;
};
// Told how far the run is every few thousand rows; answering false cancels it.
using ProgressReport = std::function<bool(const BatchProgress&)>;

// Asks for each row's 95% ranges, and the file's total's.
struct RangeOptions {
    const engine::PublishedUncertainties& published;
    engine::Simulation simulation;
};

// Computes every row of a scenario file read from `read` and writes them to `write`, one row
// at a time, however long the file, with the ranges and the CO2 columns when asked. Throws
// BatchFailure when nothing usable can be written, BatchCancelled when the progress report says so.
BatchSummary run_batch_stream(ReadBytes read, WriteBytes write, const engine::MemoryTables& tables,
                              const ProgressReport& progress = nullptr, int64_t total_bytes = 0,
                              const RangeOptions* ranges = nullptr, bool co2 = false);

}  // namespace humo::batch
