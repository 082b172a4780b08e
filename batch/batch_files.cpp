#include "batch_files.h"

#include <unistd.h>

#include "batch_input.h"
#include "edition_in_use.h"
#include "failure.h"
#include "file_in_place.h"
#include "memory_tables.h"

namespace humo::batch {
namespace {

// Ranges without any published uncertainty are the values themselves: say why.
void note_published(const std::optional<engine::PublishedUncertainties>& published,
                    BatchSummary& summary) {
    if (!published || !published->empty())
        return;
    const std::string why = published->missing_reason().empty()
                                ? "the default values in use publish no uncertainty"
                                : published->missing_reason();
    summary.note += (summary.note.empty() ? "" : "; ") + why + ": every value is used as exact";
}

}  // namespace

engine::MemoryTables load_tables(const std::string& database, numbers::DecimalSeparator separator) {
    try {
        return engine::load_memory_tables(database, separator);
    } catch (const engine::DatabaseError& error) {
        throw BatchFailure(error.what());
    }
}

BatchSummary write_output(const std::string& output, const std::string& database,
                          const std::function<BatchSummary(WriteBytes write)>& run) {
    const std::optional<db::EditionInUse> recorded = db::edition_in_use(database);
    // Whatever the output names, it is never the database the rows are computed on.
    const files::FileInUse database_in_use(database);
    BatchSummary summary;
    if (output.empty() || output == "-") {
        bool started = false;
        try {
            summary = run([&started](const char* data, size_t size) {
                started = true;
                write_all(STDOUT_FILENO, data, size, "standard output");
            });
        } catch (const BatchFailure& failure) {
            throw BatchFailure(failure.what(), started);
        }
    } else {
        try {
            files::FileInPlace file(output);
            summary = run([&file](const char* data, size_t size) { file.write({data, size}); });
            file.commit();
        } catch (const files::FileError& error) {
            throw BatchFailure(error.what());
        }
    }
    summary.edition = recorded ? recorded->title : "";
    return summary;
}

BatchSummary run_batch(const BatchRequest& request, const ProgressReport& progress) {
    const engine::MemoryTables tables = load_tables(request.database, request.separator);
    std::optional<engine::PublishedUncertainties> published;
    std::optional<RangeOptions> ranges;
    if (request.ranges) {
        try {
            published = engine::PublishedUncertainties::read(request.database);
        } catch (const humo::Failure& failure) {
            throw BatchFailure(failure.description());
        }
        ranges.emplace(RangeOptions{*published, *request.ranges});
    }
    const RangeOptions* asked = ranges ? &*ranges : nullptr;
    InputFile input(request.input);
    auto read = [&input](char* buffer, size_t size) { return input.read(buffer, size); };
    BatchSummary summary = write_output(request.output, request.database, [&](WriteBytes write) {
        return run_batch_stream(read, std::move(write), tables, progress, input.size(), asked,
                                request.co2);
    });
    note_published(published, summary);
    return summary;
}

}  // namespace humo::batch
