#pragma once

#include <sys/resource.h>

#include <csignal>
#include <optional>
#include <stdexcept>
#include <string>

namespace humo::testing {

// The message of the failure `action` throws, or nothing when it succeeds.
template <typename Action>
std::optional<std::string> failure_of(Action action) {
    try {
        action();
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return std::nullopt;
}

// As `failure_of`, with no file able to grow beyond `limit` bytes, as on a disk that fills up.
template <typename Action>
std::optional<std::string> failure_on_a_full_disk(rlim_t limit, Action action) {
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old_limit{};
    ::getrlimit(RLIMIT_FSIZE, &old_limit);
    const rlimit full{limit, old_limit.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &full);
    auto failure = failure_of(action);
    ::setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    return failure;
}

}  // namespace humo::testing
