#pragma once

#include <cstdint>
#include <string>

namespace humo::batch {

// The input a run reads: a file, or standard input for "-". Fails with BatchFailure naming it.
class InputFile {
public:
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Fills the buffer with the next bytes; 0 at the end.
    size_t read(char* buffer, size_t size);
    // The bytes it holds when that is known, else 0.
    int64_t size() const { return size_; }

    // Makes the input one that can be read again: standard input that is no file is copied to
    // a temporary file first, which goes when the input is closed.
    void make_rereadable();
    // Starts it again where it started, once it is rereadable.
    void rewind();

private:
    void close();

    std::string name_;
    int fd_ = -1;
    int64_t size_ = 0;
    // Where the input started: standard input may be a file read partly before.
    int64_t start_ = 0;
};

// Writes every byte to a descriptor; `name` says in a failure what it is.
void write_all(int fd, const char* data, size_t size, const std::string& name);

}  // namespace humo::batch
