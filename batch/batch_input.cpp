#include "batch_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "batch_run.h"

namespace humo::batch {
namespace {

std::string reason() { return std::strerror(errno); }

bool is_regular_file(int fd) {
    struct stat status;
    return ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

InputFile::InputFile(const std::string& path) : name_(path == "-" ? "standard input" : path) {
    fd_ = path == "-" ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        throw BatchFailure("cannot read " + name_ + ": " + reason());
    struct stat status;
    if (::fstat(fd_, &status) == 0 && S_ISDIR(status.st_mode)) {
        close();
        throw BatchFailure("cannot read " + name_ + ": it is a directory");
    }
    if (::fstat(fd_, &status) == 0 && S_ISREG(status.st_mode))
        size_ = status.st_size;
}

InputFile::~InputFile() { close(); }

void InputFile::close() {
    if (fd_ > STDIN_FILENO)
        ::close(fd_);
    fd_ = -1;
}

size_t InputFile::read(char* buffer, size_t size) {
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, size);
        if (got >= 0)
            return static_cast<size_t>(got);
        if (errno != EINTR)
            throw BatchFailure("cannot read " + name_ + ": " + reason());
    }
}

void InputFile::make_rereadable() {
    if (is_regular_file(fd_)) {
        start_ = ::lseek(fd_, 0, SEEK_CUR);
        if (start_ >= 0) {
            size_ -= start_;
            return;
        }
    }
    const std::filesystem::path directory = std::filesystem::temp_directory_path();
    std::string path = (directory / "humo-batch-XXXXXX").string();
    const int copy = ::mkostemp(path.data(), O_CLOEXEC);
    const std::string copy_name = "a copy of " + name_ + " in " + directory.string();
    if (copy < 0)
        throw BatchFailure("cannot write " + copy_name + ": " + reason());
    // Unnamed at once, so that nothing is left behind however the run ends.
    ::unlink(path.c_str());
    try {
        std::vector<char> buffer(1 << 20);
        size_ = 0;
        while (const size_t got = read(buffer.data(), buffer.size())) {
            write_all(copy, buffer.data(), got, copy_name);
            size_ += static_cast<int64_t>(got);
        }
    } catch (const BatchFailure&) {
        ::close(copy);
        throw;
    }
    close();
    fd_ = copy;
    name_ = copy_name;
    start_ = 0;
    rewind();
}

void InputFile::rewind() {
    if (::lseek(fd_, start_, SEEK_SET) < 0)
        throw BatchFailure("cannot read " + name_ + " again: " + reason());
}

void write_all(int fd, const char* data, size_t size, const std::string& name) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw BatchFailure("cannot write " + name + ": " + reason());
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
}

}  // namespace humo::batch
