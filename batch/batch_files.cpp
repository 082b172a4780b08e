#include "batch_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "edition_in_use.h"
#include "failure.h"
#include "file_in_place.h"
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

// Ranges without any published uncertainty are the values themselves: say why.
void note_published(const std::optional<engine::PublishedUncertainties>& published,
                    BatchSummary& summary) {
    if (!published || !published->empty())
        return;
    const std::string why = published->missing_reason().empty()
                                ? "the default values in use publish no uncertainty"
                                : published->missing_reason();
    summary.note += (summary.note.empty() ? "" : "; ") + why + ": every value is used as exact";
}

}  // namespace

BatchSummary run_batch(const BatchRequest& request, const ProgressReport& progress) {
    engine::MemoryTables tables;
    try {
        tables = engine::load_memory_tables(request.database, request.separator);
    } catch (const engine::DatabaseError& error) {
        throw BatchFailure(error.what());
    }
    std::optional<engine::PublishedUncertainties> published;
    std::optional<RangeOptions> ranges;
    if (request.ranges) {
        try {
            published = engine::PublishedUncertainties::read(request.database);
        } catch (const humo::Failure& failure) {
            throw BatchFailure(failure.description());
        }
        ranges.emplace(RangeOptions{*published, *request.ranges});
    }
    const RangeOptions* asked = ranges ? &*ranges : nullptr;
    const std::optional<db::EditionInUse> recorded = db::edition_in_use(request.database);
    const std::string edition = recorded ? recorded->title : "";
    InputFile input(request.input);
    auto read = [&input](char* buffer, size_t size) { return input.read(buffer, size); };
    // Whatever the output names, it is never the database the rows are computed on.
    const files::FileInUse database_in_use(request.database);
    if (request.output.empty() || request.output == "-") {
        bool started = false;
        auto write = [&started](const char* data, size_t size) {
            started = true;
            write_all(STDOUT_FILENO, data, size, "standard output");
        };
        try {
            BatchSummary summary =
                run_batch_stream(read, write, tables, progress, input.size(), asked, request.co2);
            summary.edition = edition;
            note_published(published, summary);
            return summary;
        } catch (const BatchFailure& failure) {
            throw BatchFailure(failure.what(), started);
        }
    }
    try {
        files::FileInPlace output(request.output);
        auto write = [&output](const char* data, size_t size) { output.write({data, size}); };
        BatchSummary summary =
            run_batch_stream(read, write, tables, progress, input.size(), asked, request.co2);
        output.commit();
        summary.edition = edition;
        note_published(published, summary);
        return summary;
    } catch (const files::FileError& error) {
        throw BatchFailure(error.what());
    }
}

}  // namespace humo::batch
