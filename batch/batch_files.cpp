#include "batch_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "edition_in_use.h"
#include "memory_tables.h"

namespace humo::batch {
namespace {

std::string reason() { return std::strerror(errno); }

class InputFile {
public:
    explicit InputFile(const std::string& path) : name_(path == "-" ? "standard input" : path) {
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
    ~InputFile() { close(); }

    size_t read(char* buffer, size_t size) {
        for (;;) {
            const ssize_t got = ::read(fd_, buffer, size);
            if (got >= 0)
                return static_cast<size_t>(got);
            if (errno != EINTR)
                throw BatchFailure("cannot read " + name_ + ": " + reason());
        }
    }
    int64_t size() const { return size_; }

private:
    void close() {
        if (fd_ > STDIN_FILENO)
            ::close(fd_);
        fd_ = -1;
    }

    std::string name_;
    int fd_ = -1;
    int64_t size_ = 0;
};

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

// The output file, written under a temporary name beside its place until it is complete.
class OutputFile {
public:
    explicit OutputFile(const std::string& path) : path_(path) {
        for (int attempt = 0;; ++attempt) {
            temporary_ =
                path + ".part-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
            fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0)
                return;
            if (errno != EEXIST)
                throw BatchFailure("cannot write " + path + ": " + reason());
        }
    }
    ~OutputFile() {
        if (fd_ >= 0) {
            ::close(fd_);
            std::remove(temporary_.c_str());
        }
    }

    void write(const char* data, size_t size) {
        write_all(fd_, data, size, path_);
        written_ += static_cast<off_t>(size);
        // Each finished stretch starts on its way to the disk at once, so that the sync at the
        // end waits for the last stretch, not for the whole file.
        if (written_ - started_ >= kStretch) {
            ::sync_file_range(fd_, started_, written_ - started_, SYNC_FILE_RANGE_WRITE);
            started_ = written_;
        }
    }

    // Puts the complete file in its place with one rename.
    void commit() {
        if (::fsync(fd_) != 0 || ::close(fd_) != 0) {
            const std::string why = reason();
            fd_ = -1;
            std::remove(temporary_.c_str());
            throw BatchFailure("cannot write " + path_ + ": " + why);
        }
        fd_ = -1;
        if (::rename(temporary_.c_str(), path_.c_str()) != 0) {
            const std::string why = reason();
            std::remove(temporary_.c_str());
            throw BatchFailure("cannot write " + path_ + ": " + why);
        }
    }

private:
    static constexpr off_t kStretch = 4 << 20;

    std::string path_;
    std::string temporary_;
    int fd_ = -1;
    off_t written_ = 0;
    off_t started_ = 0;
};

}  // namespace

BatchSummary run_batch(const BatchRequest& request, const ProgressReport& progress) {
    engine::MemoryTables tables;
    try {
        tables = engine::load_memory_tables(request.database, request.separator);
    } catch (const engine::DatabaseError& error) {
        throw BatchFailure(error.what());
    }
    const std::optional<db::EditionInUse> recorded = db::edition_in_use(request.database);
    const std::string edition = recorded ? recorded->title : "";
    InputFile input(request.input);
    auto read = [&input](char* buffer, size_t size) { return input.read(buffer, size); };
    if (request.output.empty()) {
        auto write = [](const char* data, size_t size) {
            write_all(STDOUT_FILENO, data, size, "standard output");
        };
        BatchSummary summary = run_batch_stream(read, write, tables, progress, input.size());
        summary.edition = edition;
        return summary;
    }
    OutputFile output(request.output);
    auto write = [&output](const char* data, size_t size) { output.write(data, size); };
    BatchSummary summary = run_batch_stream(read, write, tables, progress, input.size());
    output.commit();
    summary.edition = edition;
    return summary;
}

}  // namespace humo::batch
