#include "summary_reporter.h"

#include <cstdio>

namespace humo::bench {
namespace {

constexpr double kMicrosecondsPerSecond = 1e6;

std::string microseconds(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%10.1f", value);
    return text;
}

}  // namespace

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        const std::string& name = run.run_name.function_name;
        if (run.error_occurred) {
            failures_[name] = run.error_message;
        } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
            median_us_[name] = run.GetAdjustedRealTime() /
                               benchmark::GetTimeUnitMultiplier(run.time_unit) *
                               kMicrosecondsPerSecond;
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

bool SummaryReporter::print_summary(std::ostream& out,
                                    const std::vector<Comparison>& comparisons) const {
    bool all_ran = true;
    out << "\nMedian real time per pick, microseconds\n"
        << "pick / database                  cascade    bare SQL   ratio   goals\n";
    for (const Comparison& comparison : comparisons) {
        const auto cascade = median_us_.find(comparison.cascade);
        const auto bare = median_us_.find(comparison.bare_sql);
        if (cascade == median_us_.end() || bare == median_us_.end()) {
            std::string why;
            for (const auto& name : {comparison.cascade, comparison.bare_sql}) {
                if (auto failure = failures_.find(name); failure != failures_.end()) {
                    why = name + ": " + failure->second;
                }
            }
            // Left out by a filter: nothing to say about it.
            if (why.empty())
                continue;
            out << comparison.label << "  FAILED: " << why << "\n";
            all_ran = false;
            continue;
        }
        const double ratio = cascade->second / bare->second;
        const bool fast = cascade->second < comparison.limit_us;
        const bool close = ratio <= kMaxRatio;
        const char* ratio_verdict = !comparison.ratio_goal ? "no ratio goal"
                                    : close                ? "ratio met"
                                                           : "RATIO MISSED";
        char line[160];
        std::snprintf(line, sizeof line, "%-30s %s  %s  %6.2f   %s, %s", comparison.label.c_str(),
                      microseconds(cascade->second).c_str(), microseconds(bare->second).c_str(),
                      ratio, fast ? "time met" : "TIME MISSED", ratio_verdict);
        out << line << "\n";
    }
    char limits[120];
    std::snprintf(limits, sizeof limits,
                  "goals: cascade under the database's limit, at most %.1fx the bare SQL\n",
                  kMaxRatio);
    out << limits;
    return all_ran;
}

}  // namespace humo::bench
