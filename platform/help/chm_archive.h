#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace humo::help {

// The objects of a compiled help file, read with chmlib. chmlib crashes on some damaged files,
// so it runs in a child process that lives as long as the archive: it lists the file's objects
// once, then reads each object when it is asked for, so that even a large file shows its first
// topic at once and costs no more memory than the objects shown. A child that crashes, or
// hangs, is stopped and the file reads nothing from then on: the program goes on.
class ChmArchive {
public:
    // Nothing when the file cannot be read as a compiled help file.
    static std::unique_ptr<ChmArchive> open(const std::string& path);
    ~ChmArchive();
    ChmArchive(const ChmArchive&) = delete;
    ChmArchive& operator=(const ChmArchive&) = delete;

    // Object paths are compared without regard to case, as the help system does.
    bool contains(const std::string& path) const;
    // The whole object, or nothing when it is missing or cannot be read in full.
    std::optional<std::string> read(const std::string& path) const;
    // The paths of the file's objects that chmlib lists ("/topics/country.htm", "/#SYSTEM").
    std::vector<std::string> object_paths() const;
    // The reader crashed or hung on a damaged part of the file: nothing more is read.
    bool stopped() const { return child_ < 0; }

private:
    ChmArchive() = default;
    // Sends the child a request and returns the first byte of its answer; nothing when it
    // crashed or did not answer in time, and is stopped.
    std::optional<std::uint64_t> ask(char kind, const std::string& path,
                                     std::chrono::steady_clock::time_point deadline) const;
    void stop() const;

    // The child that reads the file, and the socket to it; none once it was stopped.
    mutable pid_t child_ = -1;
    mutable int channel_ = -1;
};

}  // namespace humo::help
