// bench_calculator: times the cascade each pick in the calculator runs, on the shipped default
// database and on one about a hundred times larger, next to the same SQL run straight on
// SQLite.

#include <benchmark/benchmark.h>
#include <unistd.h>
#include <QApplication>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bare_cascade.h"
#include "calculator_session.h"
#include "default_database.h"
#include "file_locations.h"
#include "large_database.h"
#include "pick_scenario.h"
#include "summary_reporter.h"

namespace humo::bench {
namespace {

constexpr int kRepetitions = 5;
// A land-use pick, drawn, within a millisecond: faster than a user can notice.
constexpr double kWindowsLimitUs = 1000;
constexpr double kMinSecondsPerRepetition = 0.1;

struct TestDatabase {
    std::string name;
    std::string directory;
    Scenario scenario;
    double limit_us;
};

// A fresh directory, removed with everything in it when the run ends.
class TempDirectory {
public:
    TempDirectory() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "humo-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temp directory");
        path_ = pattern;
    }
    ~TempDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    std::string make_subdirectory(const std::string& name) const {
        std::filesystem::create_directory(path_ / name);
        return (path_ / name).string();
    }

private:
    std::filesystem::path path_;
};

double average_statements(const PickRecording& recording) {
    return (recording.statements[0].size() + recording.statements[1].size()) / 2.0;
}

// `windows`: the pick as a user sees it, the Qt windows brought up to date and repainted.
void time_cascade(benchmark::State& state, const TestDatabase& database, Pick pick, bool windows) {
    try {
        CalculatorSession session(database.directory, windows);
        const PickRecording recording = prepare_pick(session, database.scenario, pick);
        forms::ListBox& list = list_of(session.form(), pick);
        size_t turn = 0;
        bool refused = false;
        for (auto _ : state) {
            refused = list.user_select(recording.indices[turn]).has_value() || refused;
            if (windows)
                QCoreApplication::processEvents();
            turn ^= 1;
        }
        session.check_quiet();
        if (refused)
            throw std::runtime_error("a timed pick was refused");
        state.counters["statements"] = average_statements(recording);
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

void time_bare_sql(benchmark::State& state, const TestDatabase& database, Pick pick) {
    try {
        PickRecording recording;
        {
            CalculatorSession session(database.directory);
            recording = prepare_pick(session, database.scenario, pick);
        }
        BareConnection connection(db::files_beside(database.directory).database);
        std::array<BareCascade, 2> cascades{BareCascade(connection, recording.statements[0]),
                                            BareCascade(connection, recording.statements[1])};
        // The replay must run what the calculator ran, value for value.
        for (size_t turn = 0; turn < 2; ++turn) {
            SqlTrace trace(connection.handle());
            cascades[turn].run();
            if (expanded_texts(trace.take()) != expanded_texts(recording.statements[turn])) {
                throw std::runtime_error("the bare replay differs from the calculator's SQL");
            }
        }
        uint64_t checksum = 0;
        size_t turn = 0;
        for (auto _ : state) {
            checksum += cascades[turn].run();
            turn ^= 1;
        }
        benchmark::DoNotOptimize(checksum);
        state.counters["statements"] = average_statements(recording);
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

void configure(benchmark::internal::Benchmark* benchmark) {
    benchmark->Unit(benchmark::kMicrosecond)
        ->UseRealTime()
        ->MinTime(kMinSecondsPerRepetition)
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true);
}

std::vector<Comparison> register_benchmarks(const std::vector<TestDatabase>& databases) {
    std::vector<Comparison> comparisons;
    for (const TestDatabase& database : databases) {
        for (Pick pick : kPicks) {
            const std::string suffix = std::string(pick_name(pick)) + "/" + database.name;
            const std::string cascade = "cascade/" + suffix;
            const std::string bare_sql = "bare_sql/" + suffix;
            configure(benchmark::RegisterBenchmark(cascade.c_str(),
                                                   [&database, pick](benchmark::State& state) {
                                                       time_cascade(state, database, pick, false);
                                                   }));
            configure(benchmark::RegisterBenchmark(bare_sql.c_str(),
                                                   [&database, pick](benchmark::State& state) {
                                                       time_bare_sql(state, database, pick);
                                                   }));
            comparisons.push_back({suffix, cascade, bare_sql, database.limit_us});
        }
        if (database.name != "shipped")
            continue;
        // A land-use pick in the windows: the cascade and every widget it changes.
        const std::string suffix =
            std::string(pick_name(Pick::kLandUse)) + " in windows/" + database.name;
        const std::string windowed = "cascade_windows/" + suffix;
        configure(
            benchmark::RegisterBenchmark(windowed.c_str(), [&database](benchmark::State& state) {
                time_cascade(state, database, Pick::kLandUse, true);
            }));
        comparisons.push_back(
            {suffix, windowed,
             "bare_sql/" + std::string(pick_name(Pick::kLandUse)) + "/" + database.name,
             kWindowsLimitUs, false});
    }
    return comparisons;
}

int run(int argc, char** argv) {
    // The windows are drawn offscreen unless a platform is asked for.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    const TempDirectory temp;
    const std::vector<TestDatabase> databases{
        {"shipped", temp.make_subdirectory("shipped"), shipped_scenario(), 1000},
        {"large", temp.make_subdirectory("large"), large_scenario(), 5000}};
    db::create_default_database(db::files_beside(databases[0].directory).database,
                                HUMO_SHIPPED_DATA);
    create_large_database(db::files_beside(databases[1].directory).database);
    for (const TestDatabase& database : databases) {
        std::cout << database.name << " database: "
                  << std::filesystem::file_size(db::files_beside(database.directory).database)
                  << " bytes\n";
    }

    const std::vector<Comparison> comparisons = register_benchmarks(databases);
    // Colour only on a terminal, as the library's own console output does.
    SummaryReporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Color
                                                   : benchmark::ConsoleReporter::OO_None);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const bool all_ran = reporter.print_summary(std::cout, comparisons);
    benchmark::Shutdown();
    return all_ran ? 0 : 1;
}

}  // namespace
}  // namespace humo::bench

int main(int argc, char** argv) {
    try {
        return humo::bench::run(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "bench_calculator: " << error.what() << "\n";
        return 1;
    }
}
