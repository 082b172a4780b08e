#include "file_in_place.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <vector>

#include "temporary_files.h"

namespace humo::files {
namespace {

namespace fs = std::filesystem;

// Each finished stretch of a long file starts on its way to the disk at once, so that the
// flush at the end waits for the last stretch, not for the whole file.
constexpr off_t kStretch = 4 << 20;
// More symbolic links in a row than this are a loop.
constexpr int kMostLinks = 40;

std::string reason() { return std::strerror(errno); }

std::string directory_of(const std::string& path) {
    const fs::path directory = fs::path(path).parent_path();
    return directory.empty() ? "." : directory.string();
}

// A renamed file is only sure to be found after a power cut once its directory is on the disk.
// Some file systems cannot flush a directory; the file is in place all the same.
void flush_directory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

struct UsedFile {
    dev_t device;
    ino_t inode;
};
std::mutex used_mutex;
std::vector<UsedFile> used_files;

bool used(const struct stat& status) {
    const std::lock_guard lock(used_mutex);
    for (const UsedFile& file : used_files) {
        if (file.device == status.st_dev && file.inode == status.st_ino)
            return true;
    }
    return false;
}

std::atomic<unsigned> next_temporary{0};

}  // namespace

std::string link_target(const std::string& path) {
    fs::path at = path;
    for (int links = 0; links < kMostLinks; ++links) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(at, error)))
            break;
        const fs::path next = fs::read_symlink(at, error);
        if (error)
            break;
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    return at.string();
}

FileInPlace::FileInPlace(std::string path, InUse in_use) : path_(std::move(path)) {
    target_ = link_target(path_);
    struct stat status {};
    if (::stat(target_.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode))
            fail("it is a directory");
        if (in_use == InUse::kRefuse && used(status))
            fail("it is the database in use");
        if (S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode)) {
            fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
            if (fd_ < 0)
                fail(reason());
            return;
        }
        if (!S_ISREG(status.st_mode))
            fail("it is not a regular file");
        mode_ = status.st_mode & 07777;
        keeps_mode_ = true;
    } else if (errno != ENOENT) {
        fail(reason());
    }
    for (;;) {
        std::string temporary = target_ + ".part-" + std::to_string(::getpid()) + "-" +
                                std::to_string(next_temporary++);
        fd_ = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            temporary_ = std::move(temporary);
            register_temporary(temporary_);
            return;
        }
        if (errno != EEXIST)
            fail(reason());
    }
}

FileInPlace::~FileInPlace() { discard(); }

void FileInPlace::write(std::string_view bytes) {
    const char* data = bytes.data();
    size_t size = bytes.size();
    while (size > 0) {
        const ssize_t written = ::write(fd_, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail(reason());
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    written_ += static_cast<off_t>(bytes.size());
    if (!temporary_.empty() && written_ - started_ >= kStretch) {
        ::sync_file_range(fd_, started_, written_ - started_, SYNC_FILE_RANGE_WRITE);
        started_ = written_;
    }
}

void FileInPlace::commit(bool keep_existing) {
    if (temporary_.empty()) {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            fail(reason());
        return;
    }
    if (keeps_mode_ && ::fchmod(fd_, mode_) != 0)
        fail(reason());
    if (::fsync(fd_) != 0)
        fail(reason());
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        fail(reason());
    const int flags = keep_existing ? RENAME_NOREPLACE : 0;
    if (::renameat2(AT_FDCWD, temporary_.c_str(), AT_FDCWD, target_.c_str(), flags) != 0) {
        if (keep_existing && errno == EEXIST) {
            discard();
            return;
        }
        fail(reason());
    }
    forget_temporary(temporary_);
    temporary_.clear();
    flush_directory(directory_of(target_));
}

const std::string& FileInPlace::temporary_path() {
    if (temporary_.empty())
        fail("it is not a regular file");
    return temporary_;
}

void FileInPlace::fail(const std::string& why) {
    discard();
    throw FileError("cannot write " + path_ + ": " + why);
}

void FileInPlace::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        // What a library that wrote the file by its name may have left beside it.
        ::unlink((temporary_ + "-journal").c_str());
        forget_temporary(temporary_);
        temporary_.clear();
    }
}

void write_whole(const std::string& path, std::string_view bytes) {
    FileInPlace file(path);
    file.write(bytes);
    file.commit();
}

void copy_whole(const std::string& source, const std::string& target, bool keep_existing,
                FileInPlace::InUse in_use) {
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        throw FileError("cannot read " + source + ": " + reason());
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{in};
    FileInPlace out(target, in_use);
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw FileError("cannot read " + source + ": " + reason());
        }
        out.write({buffer.data(), static_cast<size_t>(got)});
    }
    out.commit(keep_existing);
}

FileInUse::FileInUse(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return;
    device_ = status.st_dev;
    inode_ = status.st_ino;
    registered_ = true;
    const std::lock_guard lock(used_mutex);
    used_files.push_back({device_, inode_});
}

FileInUse::~FileInUse() {
    if (!registered_)
        return;
    const std::lock_guard lock(used_mutex);
    for (auto it = used_files.begin(); it != used_files.end(); ++it) {
        if (it->device == device_ && it->inode == inode_) {
            used_files.erase(it);
            return;
        }
    }
}

}  // namespace humo::files
