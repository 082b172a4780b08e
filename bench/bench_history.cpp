// bench_history: humo-batch --history on 50,000 generated sites of three regimes each, about 60
// years a site, CSV in to CSV out on one core: site-years a second, in the library and as the
// program, and its peak memory with each site's rows together and with every row anywhere.

#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "child_run.h"
#include "csv_writer.h"
#include "history_run.h"
#include "scenario_rows.h"

namespace humo::bench {
namespace {

namespace fs = std::filesystem;

constexpr long kSites = 50'000;
constexpr int kRegimes = 3;
// Goals: site-years a second on one core, and peak memory when each site's rows are together.
constexpr double kSiteYearsPerSecondGoal = 2'000'000;
constexpr double kPeakMegabytesGoal = 64;

struct Files {
    fs::path directory;
    std::string database;
    // Each site's rows together, its regimes in any order; and every row anywhere.
    std::string together;
    std::string anywhere;
    std::string output;
};
Files files;
// The rows the output has: each site's years from its first to 20 after its last change.
long site_years = 0;

ChildRun together_run;
ChildRun anywhere_run;

using Row = std::vector<std::string>;

// Three regimes of systems a random site offers, the first from the 1950s, changes 15 to 34
// and then 5 to 24 years apart.
std::vector<Row> history_rows(const Offers& offers, long number, std::mt19937& random) {
    const OfferedSite& site = offers.sites[random() % offers.sites.size()];
    const std::vector<SystemChoice>& systems = offers.systems[site.systems];
    const std::string name = "Site " + std::to_string(number);
    const std::string area =
        std::to_string(1 + random() % 200) + "." + std::to_string(random() % 10);
    int year = 1950 + static_cast<int>(random() % 10);
    const int first_year = year;
    std::vector<Row> rows;
    for (int regime = 0; regime < kRegimes; ++regime) {
        const SystemChoice& system = systems[random() % systems.size()];
        rows.push_back({name, std::to_string(year), site.country, site.region, site.soil,
                        system.land_use, system.management, system.input, area});
        year += regime == 0 ? 15 + static_cast<int>(random() % 20)
                            : 5 + static_cast<int>(random() % 20);
    }
    const int last_change = std::stoi(rows.back()[1]);
    site_years += last_change + 20 - first_year + 1;
    std::shuffle(rows.begin(), rows.end(), random);
    return rows;
}

void write_rows(const std::string& path, const std::vector<Row>& rows) {
    std::ofstream out(path, std::ios::binary);
    batch::CsvWriter writer(
        [&out](const char* data, size_t size) {
            out.write(data, static_cast<std::streamsize>(size));
        },
        ',', false);
    for (const char* column : {"site", "year", "country", "climate_region", "soil_type", "land_use",
                               "management", "input", "area_ha"}) {
        writer.field(column);
    }
    writer.end_record();
    for (const Row& row : rows) {
        for (const std::string& field : row)
            writer.field(field);
        writer.end_record();
    }
    writer.flush();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

void write_history_files() {
    site_years = 0;
    const Offers offers = offered_sites(files.database);
    std::mt19937 random(20261208);
    std::vector<Row> rows;
    for (long site = 0; site < kSites; ++site) {
        for (Row& row : history_rows(offers, site, random))
            rows.push_back(std::move(row));
    }
    write_rows(files.together, rows);
    std::shuffle(rows.begin(), rows.end(), random);
    write_rows(files.anywhere, rows);
}

// The files are made by a process of their own: a program started from this one would count this
// one's peak memory as its own.
void make_history_files() {
    const std::string count = (files.directory / "site_years").string();
    const pid_t child = fork();
    if (child == 0) {
        try {
            write_history_files();
            std::ofstream(count) << site_years << "\n";
            _exit(0);
        } catch (const std::exception& error) {
            std::cerr << "bench_history: " << error.what() << "\n";
            _exit(1);
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !(std::ifstream(count) >> site_years))
        throw std::runtime_error("the history files could not be made");
}

void BM_HistoryInProcess(benchmark::State& state) {
    for (auto _ : state) {
        const batch::BatchSummary summary =
            batch::run_history({files.together, files.output, files.database, {'.'}, {}});
        if (summary.computed != kSites)
            state.SkipWithError("not every generated site was computed");
    }
    state.SetItemsProcessed(state.iterations() * site_years);
}

void run_program(benchmark::State& state, const std::string& input, ChildRun& fastest) {
    for (auto _ : state) {
        const ChildRun run = run_child({HUMO_BATCH, "--quiet", "--history", "--database",
                                        files.database, input, "-o", files.output});
        state.SetIterationTime(run.seconds);
        keep_fastest(fastest, run);
    }
    state.counters["peak_MB"] = fastest.peak_megabytes;
    state.counters["cpu_s"] = fastest.cpu_seconds;
    state.SetItemsProcessed(state.iterations() * site_years);
}

void BM_HumoBatchHistorySitesTogether(benchmark::State& state) {
    run_program(state, files.together, together_run);
}

void BM_HumoBatchHistoryRowsAnywhere(benchmark::State& state) {
    run_program(state, files.anywhere, anywhere_run);
}

// The programs first, while this process is still small.
BENCHMARK(BM_HumoBatchHistorySitesTogether)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseManualTime();
BENCHMARK(BM_HumoBatchHistoryRowsAnywhere)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseManualTime();
BENCHMARK(BM_HistoryInProcess)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

const char* mark(bool met) { return met ? "met" : "MISSED"; }

void print_run(const char* how, const ChildRun& run) {
    std::printf("\nhumo-batch --history -o FILE, %s: %.2f s elapsed, %.2f s of CPU\n", how,
                run.seconds, run.cpu_seconds);
    for (auto [what, seconds] :
         {std::pair{"elapsed", run.seconds}, std::pair{"CPU", run.cpu_seconds}}) {
        const double per_second = static_cast<double>(site_years) / seconds;
        std::printf("  %.0f site-years per %s second (goal >= %.0f: %s)\n", per_second, what,
                    kSiteYearsPerSecondGoal, mark(per_second >= kSiteYearsPerSecondGoal));
    }
    std::printf("  peak memory: %.1f MB\n", run.peak_megabytes);
}

void print_goals() {
    std::printf("\n%ld sites, %d regimes each, %ld site-years, %.0f MB of output\n", kSites,
                kRegimes, site_years, static_cast<double>(fs::file_size(files.output)) / 1e6);
    print_run("each site's rows together", together_run);
    std::printf("  (goal < %.0f MB: %s)\n", kPeakMegabytesGoal,
                mark(together_run.peak_megabytes < kPeakMegabytesGoal));
    print_run("every row anywhere, so every site stays open until the end", anywhere_run);
}

}  // namespace
}  // namespace humo::bench

int main(int argc, char** argv) {
    using namespace humo::bench;
    benchmark::Initialize(&argc, argv);
    char pattern[] = "/tmp/humo-bench-history-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::cerr << "bench_history: cannot make a temp directory\n";
        return 1;
    }
    files.directory = pattern;
    files.database = (files.directory / "humo_tool.mdb").string();
    files.together = (files.directory / "together.csv").string();
    files.anywhere = (files.directory / "anywhere.csv").string();
    files.output = (files.directory / "history.csv").string();
    int status = 0;
    try {
        run_child({HUMO_MKDB, HUMO_SHIPPED_DATA, files.database});
        make_history_files();
        benchmark::RunSpecifiedBenchmarks();
        if (together_run.seconds > 0 && anywhere_run.seconds > 0)
            print_goals();
    } catch (const std::exception& error) {
        std::cerr << "bench_history: " << error.what() << "\n";
        status = 1;
    }
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(files.directory, ignored);
    return status;
}
