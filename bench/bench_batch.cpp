// bench_batch: humo-batch on 1,000,000 generated valid scenarios over the shipped database, CSV
// in to CSV out on one core, its peak memory, and, in the same run, SQLite's own shell doing the
// same seven lookups as one join over the rows imported into a table. Also the CSV reading
// alone, through libcsv and through the batch's reader, which splits plain lines itself.

#include <benchmark/benchmark.h>
#include <csv.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "batch_files.h"
#include "child_run.h"
#include "csv_reader.h"
#include "scenario_rows.h"

namespace humo::bench {
namespace {

namespace fs = std::filesystem;

constexpr long kRows = 1'000'000;
// Goals: rows a second on one core, peak memory, and how many times faster than the shell.
constexpr double kRowsPerSecondGoal = 1'000'000;
constexpr double kPeakMegabytesGoal = 64;
constexpr double kTimesFasterGoal = 20;

struct Files {
    fs::path directory;
    std::string database;
    std::string rows;
    std::string output;
};
Files files;

// What the runs measured, for the closing lines: humo-batch writing its file with -o (synced
// to the disk before it is put in place), humo-batch writing to standard output redirected to
// the file (as the shell writes its file, unsynced), and the shell. Each the fastest of its runs.
ChildRun written;
ChildRun streamed;
ChildRun shell;

void BM_BatchInProcess(benchmark::State& state) {
    for (auto _ : state) {
        const batch::BatchSummary summary =
            batch::run_batch({files.rows, files.output, files.database, {'.'}, {}, false});
        if (summary.computed != kRows)
            state.SkipWithError("not every generated row was computed");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_HumoBatchExecutable(benchmark::State& state) {
    for (auto _ : state) {
        const ChildRun run = run_child(
            {HUMO_BATCH, "--quiet", "--database", files.database, files.rows, "-o", files.output});
        state.SetIterationTime(run.seconds);
        keep_fastest(written, run);
    }
    state.counters["peak_MB"] = written.peak_megabytes;
    state.counters["cpu_s"] = written.cpu_seconds;
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_HumoBatchToStandardOutput(benchmark::State& state) {
    for (auto _ : state) {
        const ChildRun run = run_child(
            {HUMO_BATCH, "--quiet", "--database", files.database, files.rows}, {}, files.output);
        state.SetIterationTime(run.seconds);
        keep_fastest(streamed, run);
    }
    state.counters["cpu_s"] = streamed.cpu_seconds;
    state.SetItemsProcessed(state.iterations() * kRows);
}

// The shell imports the rows into a table of a copy of the database and joins the seven
// lookups: the reference stock, and each system's three factors.
void BM_Sqlite3Shell(benchmark::State& state) {
    const std::string script = (files.directory / "join.sql").string();
    std::ofstream(script)
        << ".mode csv\n"
           ".import " +
               files.rows +
               " scenarios\n"
               ".headers on\n"
               ".output " +
               files.output +
               "\n"
               "SELECT s.*, c.c_stock_Mg_ha AS reference_stock,\n"
               "  fs.land_use_factor, fm.management_factor, fi.input_factor,\n"
               "  ROUND(c.c_stock_Mg_ha * fs.land_use_factor * fm.management_factor"
               " * fi.input_factor, 1) AS from_stock,\n"
               "  ts.land_use_factor, tm.management_factor, ti.input_factor,\n"
               "  ROUND(c.c_stock_Mg_ha * ts.land_use_factor * tm.management_factor"
               " * ti.input_factor, 1) AS to_stock\n"
               "FROM scenarios s\n"
               "LEFT JOIN c_stocks c ON c.soil_type = s.soil_type"
               " AND c.humoclim = s.climate_region\n"
               "LEFT JOIN tbl_systems fs ON fs.system = s.from_land_use"
               " AND fs.climate_region = s.climate_region\n"
               "LEFT JOIN tbl_management_factors fm ON fm.climate_region ="
               " s.climate_region AND fm.management_type = s.from_management AND"
               " fm.grassland_other = CASE WHEN s.from_land_use = 'Grassland'"
               " THEN 'grassland' ELSE 'other' END\n"
               "LEFT JOIN tbl_input_factors fi ON fi.climate_region ="
               " s.climate_region AND fi.input_type = s.from_input\n"
               "LEFT JOIN tbl_systems ts ON ts.system = s.to_land_use"
               " AND ts.climate_region = s.climate_region\n"
               "LEFT JOIN tbl_management_factors tm ON tm.climate_region ="
               " s.climate_region AND tm.management_type = s.to_management AND"
               " tm.grassland_other = CASE WHEN s.to_land_use = 'Grassland'"
               " THEN 'grassland' ELSE 'other' END\n"
               "LEFT JOIN tbl_input_factors ti ON ti.climate_region ="
               " s.climate_region AND ti.input_type = s.to_input;\n";
    const std::string copy = (files.directory / "shell.db").string();
    for (auto _ : state) {
        fs::copy_file(files.database, copy, fs::copy_options::overwrite_existing);
        const ChildRun run = run_child({SQLITE3_SHELL, copy}, script);
        state.SetIterationTime(run.seconds);
        keep_fastest(shell, run);
    }
    state.counters["cpu_s"] = shell.cpu_seconds;
    state.SetItemsProcessed(state.iterations() * kRows);
}

int no_space(unsigned char) { return 0; }
void count_field(void*, size_t, void*) {}
void count_record(int, void* records) { ++*static_cast<long*>(records); }

// Reading alone, every line through libcsv.
void BM_ReadWithLibcsvAlone(benchmark::State& state) {
    std::vector<char> buffer(1 << 20);
    for (auto _ : state) {
        csv_parser parser;
        csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI);
        csv_set_space_func(&parser, no_space);
        long records = 0;
        std::FILE* in = std::fopen(files.rows.c_str(), "rb");
        size_t got;
        while ((got = std::fread(buffer.data(), 1, buffer.size(), in)) > 0)
            csv_parse(&parser, buffer.data(), got, count_field, count_record, &records);
        csv_fini(&parser, count_field, count_record, &records);
        csv_free(&parser);
        std::fclose(in);
        if (records != kRows + 1)
            state.SkipWithError("libcsv counted another number of records");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// Reading alone through the batch's reader: plain lines split where they lie.
void BM_ReadWithBatchReader(benchmark::State& state) {
    for (auto _ : state) {
        std::FILE* in = std::fopen(files.rows.c_str(), "rb");
        batch::CsvReader reader(
            [in](char* buffer, size_t size) { return std::fread(buffer, 1, size, in); });
        long records = 0;
        while (reader.next())
            ++records;
        std::fclose(in);
        if (records != kRows + 1)
            state.SkipWithError("the reader counted another number of records");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

BENCHMARK(BM_ReadWithLibcsvAlone)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadWithBatchReader)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BatchInProcess)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_HumoBatchExecutable)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_HumoBatchToStandardOutput)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseManualTime();
BENCHMARK(BM_Sqlite3Shell)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

const char* mark(bool met) { return met ? "met" : "MISSED"; }

void print_speed(const char* how, const ChildRun& run) {
    std::printf("\nhumo-batch, %ld rows CSV in to CSV out, %s: %.2f s elapsed, %.2f s of CPU\n",
                kRows, how, run.seconds, run.cpu_seconds);
    for (auto [what, seconds] :
         {std::pair{"elapsed", run.seconds}, std::pair{"CPU", run.cpu_seconds}}) {
        const double rows_per_second = kRows / seconds;
        std::printf("  %.0f rows per %s second (goal >= %.0f: %s)\n", rows_per_second, what,
                    kRowsPerSecondGoal, mark(rows_per_second >= kRowsPerSecondGoal));
    }
    for (auto [what, ratio] : {std::pair{"elapsed", shell.seconds / run.seconds},
                               std::pair{"CPU", shell.cpu_seconds / run.cpu_seconds}}) {
        std::printf("  %.1fx faster than the shell in %s time (goal >= %.0fx: %s)\n", ratio, what,
                    kTimesFasterGoal, mark(ratio >= kTimesFasterGoal));
    }
}

void print_goals() {
    std::printf(
        "\nsqlite3 shell, .import and one SELECT with seven joins: %.2f s elapsed, %.2f s of "
        "CPU\n",
        shell.seconds, shell.cpu_seconds);
    print_speed("-o FILE, synced before it is put in place", written);
    print_speed("standard output to the file, unsynced as the shell's", streamed);
    std::printf("humo-batch peak memory: %.1f MB (goal < %.0f: %s)\n", written.peak_megabytes,
                kPeakMegabytesGoal, mark(written.peak_megabytes < kPeakMegabytesGoal));
}

}  // namespace
}  // namespace humo::bench

int main(int argc, char** argv) {
    using namespace humo::bench;
    benchmark::Initialize(&argc, argv);
    char pattern[] = "/tmp/humo-bench-batch-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::cerr << "bench_batch: cannot make a temp directory\n";
        return 1;
    }
    files.directory = pattern;
    files.database = (files.directory / "humo_tool.mdb").string();
    files.rows = (files.directory / "scenarios.csv").string();
    files.output = (files.directory / "results.csv").string();
    int status = 0;
    try {
        run_child({HUMO_MKDB, HUMO_SHIPPED_DATA, files.database});
        write_scenario_rows(files.database, files.rows, kRows, 2003);
        benchmark::RunSpecifiedBenchmarks();
        if (written.seconds > 0 && streamed.seconds > 0 && shell.seconds > 0)
            print_goals();
    } catch (const std::exception& error) {
        std::cerr << "bench_batch: " << error.what() << "\n";
        status = 1;
    }
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(files.directory, ignored);
    return status;
}
