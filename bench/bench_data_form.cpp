// bench_data_form: how long a browser takes to open over a table of 100,000 rows, drawn in its
// window, and what a cell written from the grid costs next to the bare SQLite UPDATE of the
// same row, measured side by side in one run.

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QApplication>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

#include "data_form.h"
#include "default_database.h"
#include "file_locations.h"
#include "module1.h"
#include "program.h"
#include "qt_renderer.h"
#include "recording_host.h"

namespace humo::bench {
namespace {

constexpr int kRows = 100000;
constexpr double kOpenLimitMs = 200;
constexpr double kMaxWriteRatio = 2.0;

std::string temp_directory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "humo-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temp directory");
    return pattern;
}

// c_stocks with kRows rows: every soil type of 250 in each of 400 regions.
void create_big_table(const std::string& path) {
    db::create_database(
        path, "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                  std::to_string(kRows - 1) +
                  ") INSERT INTO c_stocks SELECT 'Soil ' || (i % 250), 'Region ' || "
                  "(i / 250), 20 + (i % 97) FROM n;");
}

// The program with windows, on the big database.
struct Session {
    explicit Session(const std::string& directory)
        : host(db::files_beside(directory)),
          program(host, "humo_tool"),
          module(program),
          renderer(program) {
        // The frame stays open, so closing a browser does not end the program.
        module.Main();
    }
    forms::RecordingHost host;
    forms::Program program;
    app::Module1 module;
    qt::QtRenderer renderer;
};

const std::string& directory() {
    static const std::string path = [] {
        const std::string made = temp_directory();
        create_big_table(made + "/humo_tool.mdb");
        return made;
    }();
    return path;
}

void open_browser(benchmark::State& state) {
    Session session(directory());
    auto& browsers = session.module.data_forms();
    for (auto _ : state) {
        browsers.show_browser(calculator::DefaultTable::kCStocks);
        QApplication::processEvents();  // drawn
        state.PauseTiming();
        auto& form = browsers.browser(calculator::DefaultTable::kCStocks)();
        if (form.grdDataGrid.row_count() != kRows) {
            const std::string why =
                "the browser shows " + std::to_string(form.grdDataGrid.row_count()) + " rows" +
                (session.host.messages.empty() ? "" : ": " + session.host.messages.front().text);
            state.SkipWithError(why.c_str());
            break;
        }
        form.user_close();  // as the user closes it, so the next open starts afresh
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// Alternates a cell between two values, so every write changes the row.
void write_cell(benchmark::State& state) {
    Session session(directory());
    auto& browsers = session.module.data_forms();
    browsers.show_browser(calculator::DefaultTable::kCStocks);
    auto& form = browsers.browser(calculator::DefaultTable::kCStocks)();
    int turn = 0;
    for (auto _ : state) {
        form.grdDataGrid.user_edit(2, turn++ % 2 ? "41" : "42");
        form.recordset()->update();
    }
    if (!session.host.messages.empty())
        state.SkipWithError(session.host.messages.front().text.c_str());
}

void bare_update(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2((directory() + "/humo_tool.mdb").c_str(), &db,
                    SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_stmt* update = nullptr;
    sqlite3_prepare_v2(db, "UPDATE c_stocks SET c_stock_Mg_ha = ? WHERE rowid = ?", -1, &update,
                       nullptr);
    int turn = 0;
    for (auto _ : state) {
        sqlite3_bind_double(update, 1, turn++ % 2 ? 41 : 42);
        sqlite3_bind_int64(update, 2, 1);
        if (sqlite3_step(update) != SQLITE_DONE)
            state.SkipWithError(sqlite3_errmsg(db));
        sqlite3_reset(update);
    }
    sqlite3_finalize(update);
    sqlite3_close(db);
}

class Summary : public benchmark::ConsoleReporter {
public:
    using ConsoleReporter::ConsoleReporter;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians_[run.run_name.function_name] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void print(std::ostream& out) const {
        const double open_ms = medians_.at("open_browser") * 1e3;
        const double write = medians_.at("write_cell");
        const double bare = medians_.at("bare_update");
        out << "\nMedians: browser over " << kRows << " rows opens in " << open_ms << " ms (goal "
            << kOpenLimitMs << " ms, " << (open_ms <= kOpenLimitMs ? "met" : "MISSED")
            << "); a cell write " << write * 1e6 << " us, the bare UPDATE " << bare * 1e6
            << " us, ratio " << write / bare << " (goal " << kMaxWriteRatio << ", "
            << (write / bare <= kMaxWriteRatio ? "met" : "MISSED") << ")\n";
    }

private:
    std::map<std::string, double> medians_;
};

}  // namespace
}  // namespace humo::bench

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    for (auto [name, function] : {std::pair{"open_browser", &humo::bench::open_browser},
                                  std::pair{"write_cell", &humo::bench::write_cell},
                                  std::pair{"bare_update", &humo::bench::bare_update}}) {
        benchmark::RegisterBenchmark(name, function)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime()
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
    humo::bench::Summary summary(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Color
                                                       : benchmark::ConsoleReporter::OO_None);
    try {
        benchmark::RunSpecifiedBenchmarks(&summary);
        summary.print(std::cout);
    } catch (const std::exception& error) {
        std::cerr << "bench_data_form: " << error.what() << "\n";
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
