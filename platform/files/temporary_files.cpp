#include "temporary_files.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>
#include <mutex>

namespace humo::files {
namespace {

// Fixed slots, so that the signal handler reads them without allocating or locking.
struct Slot {
    std::atomic<bool> used{false};
    char path[PATH_MAX] = {};
};
std::array<Slot, 64> slots;
std::mutex slots_mutex;

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};

void remove_temporaries_and_end(int signal) {
    for (Slot& slot : slots) {
        if (slot.used.load())
            ::unlink(slot.path);
    }
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

void install_handlers() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        for (int signal : kSignals) {
            struct sigaction current {};
            if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
                continue;
            struct sigaction action {};
            action.sa_handler = remove_temporaries_and_end;
            sigemptyset(&action.sa_mask);
            ::sigaction(signal, &action, nullptr);
        }
    });
}

}  // namespace

void register_temporary(const std::string& path) {
    if (path.size() >= PATH_MAX)
        return;
    install_handlers();
    const std::lock_guard lock(slots_mutex);
    for (Slot& slot : slots) {
        if (!slot.used.load()) {
            std::memcpy(slot.path, path.c_str(), path.size() + 1);
            slot.used.store(true);
            return;
        }
    }
}

void forget_temporary(const std::string& path) {
    const std::lock_guard lock(slots_mutex);
    for (Slot& slot : slots) {
        if (slot.used.load() && path == slot.path) {
            slot.used.store(false);
            return;
        }
    }
}

}  // namespace humo::files
