#pragma once

#include <string>
#include <vector>

namespace humo::bench {

// How a program's run went, measured from outside.
struct ChildRun {
    double seconds = 0;
    // User and system time: on a machine shared with other work, the time the run itself took.
    double cpu_seconds = 0;
    double peak_megabytes = 0;
};

// Runs a program to its end, its standard input from a file and its standard output to one
// (or nowhere), and measures it. Throws when it fails.
ChildRun run_child(const std::vector<std::string>& arguments, const std::string& input = {},
                   const std::string& output = {});

// Keeps the fastest run: on a machine shared with other work, the slower ones measure the other
// work too.
void keep_fastest(ChildRun& fastest, const ChildRun& run);

}  // namespace humo::bench
