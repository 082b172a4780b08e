#include "child_run.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace humo::bench {
namespace {

double seconds_of(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

}  // namespace

ChildRun run_child(const std::vector<std::string>& arguments, const std::string& input,
                   const std::string& output) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (!input.empty()) {
            const int fd = open(input.c_str(), O_RDONLY);
            dup2(fd, STDIN_FILENO);
        }
        const int out = output.empty() ? open("/dev/null", O_WRONLY)
                                       : open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    ChildRun run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpu_seconds = seconds_of(usage.ru_utime) + seconds_of(usage.ru_stime);
    run.peak_megabytes = static_cast<double>(usage.ru_maxrss) / 1024;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(arguments[0] + " failed");
    return run;
}

void keep_fastest(ChildRun& fastest, const ChildRun& run) {
    if (fastest.seconds == 0 || run.seconds < fastest.seconds)
        fastest = run;
}

}  // namespace humo::bench
