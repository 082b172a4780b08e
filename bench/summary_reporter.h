#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace humo::bench {

// One line of the closing table: a cascade benchmark, the bare SQL benchmark it is compared
// with, and the median the cascade must stay under. A cascade drawn in windows has a time goal
// only: its ratio to the bare SQL is shown, not judged.
struct Comparison {
    std::string label;
    std::string cascade;
    std::string bare_sql;
    double limit_us;
    bool ratio_goal = true;
};

// The console output as usual, plus a table of medians per pick and database at the end, with
// each goal marked met or missed.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    static constexpr double kMaxRatio = 1.5;

    explicit SummaryReporter(OutputOptions options) : ConsoleReporter(options) {}

    void ReportRuns(const std::vector<Run>& runs) override;
    // Returns false when a benchmark failed; a missed goal is only reported.
    bool print_summary(std::ostream& out, const std::vector<Comparison>& comparisons) const;

private:
    std::map<std::string, double> median_us_;
    std::map<std::string, std::string> failures_;
};

}  // namespace humo::bench
