// bench_ranges: the 95% ranges. One calculation's ranges at 10,000 iterations, as the window
// draws them after each pick; and humo-batch --uncertainty on generated rows with areas over
// the 2019 edition, rows a second on one core and peak memory.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "calculation_ranges.h"
#include "child_run.h"
#include "default_database.h"
#include "editions.h"
#include "scenario_rows.h"

namespace humo::bench {
namespace {

namespace fs = std::filesystem;

constexpr long kRows = 100'000;
constexpr double kWindowMillisecondsGoal = 10;
constexpr double kRowsPerSecondGoal = 5'000;
constexpr double kPeakMegabytesGoal = 256;

struct Files {
    fs::path directory;
    std::string database;
    std::string rows;
    std::string output;
};
Files files;

double window_milliseconds = 0;
ChildRun fastest_batch;

// The worked example: cropland under full tillage turned into improved grassland.
report::CalculationReport kenya() {
    report::CalculationReport r;
    r.climate_region = "Tropical Dry";
    r.soil_type = "High clay activity mineral";
    r.reference_stock = {"21", false};
    r.from = {"Long-term cultivated", "Full tillage", "Medium", {"0.92"}, {"1"}, {"1"}, "19.3"};
    r.to = {"Grassland", "Improved", "High", {"1"}, {"1.17"}, {"1.11"}, "27.3"};
    r.annual_change = "0.40";
    return r;
}

void BM_WindowRanges(benchmark::State& state) {
    const auto published = engine::PublishedUncertainties::read(files.database);
    const report::CalculationReport report = kenya();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(report::calculation_ranges(report, published, {10000, 1}));
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        if (window_milliseconds == 0 || ms < window_milliseconds)
            window_milliseconds = ms;
    }
}

void BM_HumoBatchUncertainty(benchmark::State& state) {
    for (auto _ : state) {
        try {
            const ChildRun run = run_child({HUMO_BATCH, "--quiet", "--uncertainty", "--database",
                                            files.database, files.rows, "-o", files.output});
            state.SetIterationTime(run.seconds);
            keep_fastest(fastest_batch, run);
        } catch (const std::exception& error) {
            state.SkipWithError(error.what());
        }
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

BENCHMARK(BM_WindowRanges)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_HumoBatchUncertainty)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

// The generated rows with an area each, so the file has a total.
void add_areas(const std::string& path) {
    std::ifstream in(path);
    const std::string with_areas = path + ".areas";
    std::ofstream out(with_areas);
    std::string line;
    for (long n = 0; std::getline(in, line); ++n)
        out << line << (n == 0 ? ",area_ha" : "," + std::to_string(1 + n % 50)) << "\n";
    out.close();
    fs::rename(with_areas, path);
}

const char* mark(bool met) { return met ? "met" : "MISSED"; }

}  // namespace
}  // namespace humo::bench

int main(int argc, char** argv) {
    using namespace humo::bench;
    files.directory = fs::temp_directory_path() / ("bench_ranges." + std::to_string(getpid()));
    fs::create_directories(files.directory);
    files.database = (files.directory / "defaults-2019.mdb").string();
    files.rows = (files.directory / "rows.csv").string();
    files.output = (files.directory / "out.csv").string();
    humo::db::create_edition_database(files.database, HUMO_SHIPPED_DATA,
                                      *humo::db::find_edition("2019"));
    write_scenario_rows(files.database, files.rows, kRows, 20261207);
    add_areas(files.rows);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\nOne calculation's ranges, 10,000 iterations: %.2f ms (goal <= %.0f ms: %s)\n",
                window_milliseconds, kWindowMillisecondsGoal,
                mark(window_milliseconds <= kWindowMillisecondsGoal));
    const double per_second = kRows / fastest_batch.seconds;
    std::printf(
        "humo-batch --uncertainty, %ld rows with areas, 10,000 iterations: %.2f s elapsed, %.2f s "
        "of CPU\n  %.0f rows per second (goal >= %.0f: %s)\n  peak memory %.0f MB (goal < %.0f "
        "MB: %s)\n",
        kRows, fastest_batch.seconds, fastest_batch.cpu_seconds, per_second, kRowsPerSecondGoal,
        mark(per_second >= kRowsPerSecondGoal), fastest_batch.peak_megabytes, kPeakMegabytesGoal,
        mark(fastest_batch.peak_megabytes < kPeakMegabytesGoal));
    fs::remove_all(files.directory);
    return 0;
}
