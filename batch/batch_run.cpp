#include "batch_run.h"

#include <array>
#include <cstring>

#include "batch_columns.h"
#include "scenario.h"

namespace humo::batch {
namespace {

// How many rows pass between two progress reports.
constexpr int64_t kReportEvery = 4096;

void write_row(CsvWriter& writer, const CsvRecord& record, const ColumnLayout& layout,
               const std::array<std::string_view, kResultColumnCount>& results,
               bool numbers_quoted) {
    size_t first_result = 0;
    if (layout.results_appended && record.plain && record.fields.size() == layout.width) {
        writer.plain_fields(*record.plain);
        first_result = layout.width;
    }
    for (size_t i = first_result; i < layout.output.size(); ++i) {
        const OutputColumn& column = layout.output[i];
        if (column.is_result) {
            const bool number = column.index != static_cast<size_t>(ResultColumn::kError) &&
                                column.index != static_cast<size_t>(ResultColumn::kNotCovered);
            if (number && !numbers_quoted) {
                writer.unquoted_field(results[column.index]);
            } else {
                writer.field(results[column.index]);
            }
        } else {
            writer.field(column.index < record.fields.size() ? record.fields[column.index] : "");
        }
    }
    writer.end_record();
}

}  // namespace

std::string BatchSummary::summary_line() const {
    return std::to_string(rows) + " " + item + (rows == 1 ? ": " : "s: ") +
           std::to_string(computed) + " computed, " + std::to_string(with_errors) + " with errors" +
           (edition.empty() ? "" : " (default values: " + edition + ")");
}

std::string BatchSummary::unlisted_errors_line() const {
    const int64_t unlisted = with_errors - static_cast<int64_t>(first_errors.size());
    if (unlisted <= 0)
        return {};
    return "… and " + std::to_string(unlisted) + " more " + item +
           "s with errors (see the error column)";
}

std::string BatchSummary::error_line(const RowError& error) {
    const std::string where = "line " + std::to_string(error.line);
    if (error.message.starts_with(where + " "))
        return error.message;
    return where + ": " + error.message;
}

BatchSummary run_batch_stream(ReadBytes read, WriteBytes write, const engine::MemoryTables& tables,
                              const ProgressReport& progress, int64_t total_bytes,
                              const RangeOptions* ranges, bool co2) {
    try {
        CsvReader reader(std::move(read));
        const CsvRecord* header = reader.next();
        if (!header)
            throw BatchFailure("the input is empty; its first line must name the columns");
        std::vector<std::string> names;
        ColumnLayout layout;
        try {
            names = header_names(*header);
            layout = layout_columns(header->fields, {ranges != nullptr, co2});
        } catch (const HeaderError& error) {
            throw BatchFailure("line " + std::to_string(header->line) + ": " + error.what());
        }

        CsvWriter writer(std::move(write), reader.delimiter(), reader.crlf());
        if (reader.byte_order_mark())
            writer.byte_order_mark();
        for (const std::string& name : layout.output_names)
            writer.field(name);
        writer.end_record();

        ScenarioCalculator calculator(tables);
        if (co2)
            calculator.add_co2();
        std::optional<RowRanges> row_ranges;
        if (ranges) {
            row_ranges.emplace(tables, ranges->published, ranges->simulation);
            calculator.add_ranges(*row_ranges);
        }
        const bool numbers_quoted =
            numbers_need_quotes(tables.separator.character, reader.delimiter());
        ScenarioResult unreadable_row;
        BatchSummary summary;
        while (const CsvRecord* record = reader.next()) {
            ++summary.rows;
            unreadable_row.error = record_problem(*record, names);
            const ScenarioResult& result =
                unreadable_row.error.empty()
                    ? calculator.compute(scenario_cells(layout, record->fields), record->line)
                    : unreadable_row;
            write_row(writer, *record, layout, result_texts(result), numbers_quoted);
            if (result.computed()) {
                ++summary.computed;
            } else {
                ++summary.with_errors;
                if (summary.first_errors.size() < BatchSummary::kListedErrors)
                    summary.first_errors.push_back({record->line, result.error});
            }
            if (progress && summary.rows % kReportEvery == 0 &&
                !progress({summary.rows, reader.bytes_read(), total_bytes})) {
                throw BatchCancelled();
            }
        }
        writer.flush();
        if (summary.rows == 0)
            summary.note = "the input has a header and no rows";
        if (row_ranges) {
            if (const std::optional<TotalRange> total = row_ranges->total()) {
                summary.total_lines.push_back("total annual change: " + total->total +
                                              " MgC/yr, 95% range " + total->low + " to " +
                                              total->high);
            }
        }
        if (progress && !progress({summary.rows, reader.bytes_read(), total_bytes}))
            throw BatchCancelled();
        return summary;
    } catch (const CsvError& error) {
        throw BatchFailure(error.what());
    }
}

}  // namespace humo::batch
