// bench_help: a large compiled help file of another kind than the tool's own, about 16 MB with
// 20,000 topics (some 200 MB unpacked), opened as the help window opens a file: the time until
// its default topic is read, and the memory that costs the program and the reader beside it.
// The file is compiled once with chmcmd and kept in the build folder.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <stdexcept>
#include <string>

#include "help_file.h"

namespace humo::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kTopics = 20000;
// Each topic: a stretch of text that its neighbours share, as pages of one manual share their
// boilerplate, and one of its own.
constexpr size_t kSharedBytes = 8000;
constexpr size_t kOwnBytes = 2000;
constexpr double kSecondsGoal = 0.5;
constexpr double kMegabytesGoal = 50;

const fs::path kFolder = fs::path(HUMO_BENCH_DIR) / "large-help";
const fs::path kFile = kFolder / "large.chm";
// Written after chmcmd finished, so that a compile cut short is done again.
const fs::path kCompiled = kFolder / "compiled";

// Words drawn at random, so that the file compresses as real prose does rather than to nothing.
std::string prose(std::mt19937& random, size_t bytes) {
    static const char* const kWords[] = {
        "soil",    "carbon",   "stock",   "change",   "land",      "use",
        "factor",  "input",    "tillage", "region",   "climate",   "annual",
        "default", "estimate", "grazing", "cropland", "reference", "management",
        "system",  "value",    "table",   "method",   "inventory", "year"};
    std::uniform_int_distribution<size_t> pick(0, std::size(kWords) - 1);
    std::uniform_int_distribution<int> number(0, 9999);
    std::string text;
    while (text.size() < bytes) {
        text += kWords[pick(random)];
        text += ' ';
        if (pick(random) == 0)
            text += std::to_string(number(random)) + ". ";
    }
    return text;
}

void make_large_help_file() {
    if (fs::exists(kCompiled))
        return;
    fs::remove_all(kFolder);
    fs::create_directories(kFolder / "topics");
    std::mt19937 random(7);
    const std::string shared = prose(random, kSharedBytes);
    std::ofstream contents(kFolder / "large.hhc");
    contents << "<html><body><ul>\n";
    for (int t = 0; t < kTopics; ++t) {
        const std::string name = "topics/t" + std::to_string(t) + ".htm";
        std::ofstream(kFolder / name)
            << "<html><head><title>Topic " << t << "</title></head><body><h1>Topic " << t
            << "</h1><p>" << shared << "</p><p>" << prose(random, kOwnBytes)
            << "</p></body></html>\n";
        contents << "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Topic " << t
                 << "\"><param name=\"Local\" value=\"" << name << "\"></object>\n";
    }
    contents << "</ul></body></html>\n";
    contents.close();
    std::ofstream project(kFolder / "large.hhp");
    project << "[OPTIONS]\nCompiled file=large.chm\nContents file=large.hhc\n"
               "Default topic=topics/t0.htm\nTitle=A large help file\n\n[FILES]\n";
    for (int t = 0; t < kTopics; ++t)
        project << "topics/t" << t << ".htm\n";
    project.close();
    const std::string command = "cd '" + kFolder.string() +
                                "' && " HUMO_CHMCMD " --no-html-scan large.hhp > chmcmd.log 2>&1";
    std::cerr << "bench_help: compiling a help file of " << kTopics << " topics once...\n";
    if (std::system(command.c_str()) != 0 || !fs::exists(kFile))
        throw std::runtime_error("chmcmd could not compile " + (kFolder / "large.hhp").string());
    std::ofstream(kCompiled) << "ok\n";
}

// Resident memory of a process, in megabytes, from /proc.
double resident_megabytes(const std::string& pid) {
    std::ifstream status("/proc/" + pid + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024;
    }
    return 0;
}

// The reader's memory: the children of this process.
double children_megabytes() {
    double total = 0;
    for (const auto& task : fs::directory_iterator("/proc/self/task")) {
        std::ifstream children(task.path() / "children");
        for (std::string pid; children >> pid;)
            total += resident_megabytes(pid);
    }
    return total;
}

double seconds_to_default_topic = 0;
double extra_megabytes = 0;

void BM_OpenLargeHelpFileAtItsDefaultTopic(benchmark::State& state) {
    for (auto _ : state) {
        const double before = resident_megabytes("self");
        const auto start = std::chrono::steady_clock::now();
        const help::Outcome<help::HelpFile> file = help::HelpFile::open(kFile.string());
        if (!file.ok()) {
            state.SkipWithError(file.error().message.c_str());
            return;
        }
        const help::Outcome<std::string> topic = file.value().default_topic();
        const std::optional<std::string> page =
            topic.ok() ? file.value().read(topic.value()) : std::nullopt;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!page) {
            state.SkipWithError("the default topic cannot be read");
            return;
        }
        const double megabytes = resident_megabytes("self") - before + children_megabytes();
        state.SetIterationTime(seconds);
        if (seconds_to_default_topic == 0 || seconds < seconds_to_default_topic)
            seconds_to_default_topic = seconds;
        extra_megabytes = std::max(extra_megabytes, megabytes);
    }
}
BENCHMARK(BM_OpenLargeHelpFileAtItsDefaultTopic)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace humo::bench

int main(int argc, char** argv) {
    humo::bench::make_large_help_file();
    std::cout << "Help file: " << humo::bench::kFile << ", "
              << std::filesystem::file_size(humo::bench::kFile) / (1024.0 * 1024.0) << " MB\n";
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    using humo::bench::kMegabytesGoal;
    using humo::bench::kSecondsGoal;
    const double seconds = humo::bench::seconds_to_default_topic;
    const double megabytes = humo::bench::extra_megabytes;
    if (seconds == 0) {
        std::printf("\nThe default topic was not shown: the goals are not measured.\n");
        return 1;
    }
    std::printf("\nDefault topic shown after %.3f s (goal %.1f s): %s\n", seconds, kSecondsGoal,
                seconds < kSecondsGoal ? "met" : "missed");
    std::printf("Extra memory, program and reader: %.1f MB (goal %.0f MB): %s\n", megabytes,
                kMegabytesGoal, megabytes < kMegabytesGoal ? "met" : "missed");
    return 0;
}
