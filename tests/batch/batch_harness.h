#pragma once

#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "batch_run.h"
#include "csv_reader.h"
#include "csv_writer.h"
#include "default_database.h"
#include "files.h"
#include "fixture_paths.h"
#include "memory_tables.h"
#include "temp_dir.h"
#include "text_matchers.h"

namespace humo::testing {

// A row of a batch's output, by column name.
using OutputRow = std::map<std::string, std::string>;

struct BatchOutput {
    batch::BatchSummary summary;
    std::string text;
    std::vector<std::string> header;
    std::vector<OutputRow> rows;
};

// Hands out `text` as a file would, at most `piece` bytes at a time; `text` must outlive it.
inline batch::ReadBytes reading(const std::string& text, size_t piece = SIZE_MAX) {
    return [&text, piece, offset = size_t{0}](char* buffer, size_t size) mutable {
        const size_t count = std::min({size, piece, text.size() - offset});
        text.copy(buffer, count, offset);
        offset += count;
        return count;
    };
}

// The records of a CSV text, as the batch's own reader reads them.
inline std::vector<std::vector<std::string>> read_records(const std::string& text) {
    batch::CsvReader reader(reading(text));
    std::vector<std::vector<std::string>> records;
    while (const batch::CsvRecord* record = reader.next())
        records.emplace_back(record->fields.begin(), record->fields.end());
    return records;
}

// A CSV text of these records, written with the batch's own writer.
inline std::string csv_text(const std::vector<std::vector<std::string>>& records,
                            char delimiter = ',') {
    std::string text;
    batch::CsvWriter writer([&](const char* data, size_t size) { text.append(data, size); },
                            delimiter, false);
    for (const auto& record : records) {
        for (const std::string& field : record)
            writer.field(field);
        writer.end_record();
    }
    writer.flush();
    return text;
}

// The output's rows read back by column.
inline void read_rows(BatchOutput& output) {
    const auto records = read_records(output.text);
    output.header = records.at(0);
    for (size_t r = 1; r < records.size(); ++r) {
        OutputRow row;
        for (size_t c = 0; c < output.header.size() && c < records[r].size(); ++c)
            row[output.header[c]] = records[r][c];
        output.rows.push_back(row);
    }
}

// Runs a batch over a CSV text against loaded tables; the output is read back by column.
inline BatchOutput run_on_text(const std::string& input, const engine::MemoryTables& tables,
                               const batch::RangeOptions* ranges = nullptr, bool co2 = false) {
    BatchOutput output;
    output.summary = batch::run_batch_stream(
        reading(input), [&](const char* data, size_t size) { output.text.append(data, size); },
        tables, nullptr, 0, ranges, co2);
    read_rows(output);
    return output;
}

inline std::string shipped_database(const TempDir& dir) {
    const std::string path = dir.file("humo_tool.mdb");
    db::create_default_database(path, default_data_directory());
    return path;
}

inline std::string fixture_database(const TempDir& dir) {
    const std::string path = dir.file("humo_tool.mdb");
    db::create_database(path, read_fixture("calculator.sql"));
    return path;
}

// The required columns of a scenario file, as its header line.
inline const std::string kScenarioHeader =
    "country,climate_region,soil_type,from_land_use,from_management,from_input,to_land_use,"
    "to_management,to_input";
// A Kenyan field turned from cropland to improved grassland, in those columns.
inline const std::string kKenya =
    "Kenya,Tropical Dry,High clay activity mineral,Long-term cultivated,Full tillage,Medium,"
    "Grassland,Improved,High";

// How a command line ended and what it wrote.
struct CommandRun {
    int status = -1;
    std::string out, err;
};

// Runs a shell command line in `dir`, its output captured in files there.
inline CommandRun run_in(const TempDir& dir, const std::string& command_line) {
    const int status = std::system(
        ("cd " + dir.path().string() + " && " + command_line + " >out.txt 2>err.txt").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, bytes_of(dir.file("out.txt")),
            bytes_of(dir.file("err.txt"))};
}

}  // namespace humo::testing
