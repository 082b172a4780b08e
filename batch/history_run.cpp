#include "history_run.h"

#include "batch_columns.h"
#include "batch_files.h"
#include "batch_input.h"
#include "history_columns.h"
#include "site_gatherer.h"
#include "site_history_writer.h"

namespace humo::batch {
namespace {

// How many rows pass between two progress reports.
constexpr int64_t kReportEvery = 4096;

struct Header {
    std::vector<std::string> names;
    HistoryLayout layout;
};

Header read_header(CsvReader& reader) {
    const CsvRecord* header = reader.next();
    if (!header)
        throw BatchFailure("the input is empty; its first line must name the columns");
    try {
        return {header_names(*header), layout_history_columns(header->fields)};
    } catch (const HeaderError& error) {
        throw BatchFailure("line " + std::to_string(header->line) + ": " + error.what());
    }
}

// What the first pass finds: each site's last row, and whether the input is CSV at all.
struct FirstPass {
    SiteGatherer gatherer;
    int64_t records = 0;
    bool with_totals = false;
};

FirstPass read_first_pass(const OpenInput& open) {
    CsvReader reader(open());
    Header header = read_header(reader);
    FirstPass pass{SiteGatherer(header.layout, std::move(header.names)), 0,
                   header.layout.has(HistoryColumn::kAreaHa)};
    while (const CsvRecord* record = reader.next())
        pass.gatherer.note(*record, pass.records++);
    return pass;
}

}  // namespace

BatchSummary run_history_stream(const OpenInput& open, WriteBytes write,
                                const engine::MemoryTables& tables, const engine::YearSpan& years,
                                const ProgressReport& progress, int64_t total_bytes) {
    try {
        FirstPass first = read_first_pass(open);

        CsvReader reader(open());
        read_header(reader);
        CsvWriter writer(std::move(write), reader.delimiter(), reader.crlf());
        if (reader.byte_order_mark())
            writer.byte_order_mark();
        for (std::string_view name : history_output_names(first.with_totals))
            writer.field(name);
        writer.end_record();

        SiteHistoryWriter sites(
            writer, tables, years, first.with_totals,
            numbers_need_quotes(tables.separator.character, reader.delimiter()));
        BatchSummary summary;
        summary.item = "site";
        int64_t ordinal = 0;
        while (const CsvRecord* record = reader.next()) {
            if (const std::unique_ptr<GatheredSite> site = first.gatherer.gather(*record, ordinal))
                sites.write(*site, summary);
            ++ordinal;
            if (progress && ordinal % kReportEvery == 0 &&
                !progress({ordinal, reader.bytes_read(), total_bytes})) {
                throw BatchCancelled();
            }
        }
        if (ordinal != first.records || first.gatherer.open_sites() > 0)
            throw BatchFailure("the input changed while it was read");
        writer.flush();
        if (first.records == 0)
            summary.note = "the input has a header and no rows";
        summary.total_lines = sites.totals().lines(tables.separator);
        if (progress && !progress({ordinal, reader.bytes_read(), total_bytes}))
            throw BatchCancelled();
        return summary;
    } catch (const CsvError& error) {
        throw BatchFailure(error.what());
    }
}

BatchSummary run_history(const HistoryRequest& request, const ProgressReport& progress) {
    const engine::MemoryTables tables = load_tables(request.database, request.separator);
    InputFile input(request.input);
    input.make_rereadable();
    const OpenInput open = [&input]() -> ReadBytes {
        input.rewind();
        return [&input](char* buffer, size_t size) { return input.read(buffer, size); };
    };
    return write_output(request.output, request.database, [&](WriteBytes write) {
        return run_history_stream(open, std::move(write), tables, request.years, progress,
                                  input.size());
    });
}

}  // namespace humo::batch
