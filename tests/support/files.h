#pragma once

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace humo::testing {

// A file's bytes, as another program would read them; empty when it cannot be read.
inline std::string bytes_of(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void write_bytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The names in a directory, sorted: what a user listing it would see.
inline std::vector<std::string> file_names(const std::filesystem::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct ProgramRun {
    int status = -1;
    std::string output;
};

// Runs a shell command line and keeps what it prints on standard output and how it ended.
inline ProgramRun run_program(const std::string& command) {
    ProgramRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    while (size_t got = fread(buffer, 1, sizeof buffer, pipe))
        run.output.append(buffer, got);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace humo::testing
