#pragma once

#include <sys/types.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace humo::files {

// A file that cannot be read, written or put in place. The message names the file and why.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes a file so that it ends up whole or stays as it was. The bytes go to a temporary file
// beside the target; commit() flushes it to the disk, gives it the permissions of the file it
// replaces and renames it into place, then flushes the directory. A symbolic link is written
// through to its target; a FIFO or a character device is written straight into, as standard
// output is, and never replaced. A directory, or a file the program has in use (its database),
// is refused. Until commit() the temporary file is removed on every failure, when the writer is
// destroyed and when the program is interrupted, terminated or hung up.
class FileInPlace {
public:
    // Whether a file in use may be replaced: only by the one who holds it locked, to restore it.
    enum class InUse { kRefuse, kReplace };

    explicit FileInPlace(std::string path, InUse in_use = InUse::kRefuse);
    ~FileInPlace();
    FileInPlace(const FileInPlace&) = delete;
    FileInPlace& operator=(const FileInPlace&) = delete;

    void write(std::string_view bytes);
    // Puts the file in place. With `keep_existing`, a file that appeared there meanwhile stays
    // and the new one is dropped: the first of several writers wins.
    void commit(bool keep_existing = false);

    const std::string& path() const { return path_; }
    // The temporary file the bytes go to, for a library that writes a file by its name (such as
    // an SQLite database, made there and closed before commit()). Fails for a FIFO or a device,
    // which no such file can be put into.
    const std::string& temporary_path();

private:
    [[noreturn]] void fail(const std::string& why);
    void discard();

    // As the user named it, for messages.
    std::string path_;
    // The file that is replaced: the end of a chain of symbolic links.
    std::string target_;
    // Empty when the bytes go straight into the target.
    std::string temporary_;
    int fd_ = -1;
    // The permissions of the file replaced, if there was one.
    mode_t mode_ = 0;
    bool keeps_mode_ = false;
    off_t written_ = 0;
    off_t started_ = 0;
};

// The file a path names once symbolic links are followed; the path itself when it is no link. A
// link that points nowhere names the file it would point to.
std::string link_target(const std::string& path);

// The whole of a file, written as FileInPlace writes it.
void write_whole(const std::string& path, std::string_view bytes);

// Copies a file whole or not at all, as FileInPlace writes it. With `keep_existing`, an existing
// target stays as it is.
void copy_whole(const std::string& source, const std::string& target, bool keep_existing = false,
                FileInPlace::InUse in_use = FileInPlace::InUse::kRefuse);

// While it lives, no FileInPlace replaces the file: the database a program works on.
class FileInUse {
public:
    explicit FileInUse(const std::string& path);
    ~FileInUse();
    FileInUse(const FileInUse&) = delete;
    FileInUse& operator=(const FileInUse&) = delete;

private:
    dev_t device_ = 0;
    ino_t inode_ = 0;
    bool registered_ = false;
};

}  // namespace humo::files
