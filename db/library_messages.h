#pragma once

#include <cstdio>
#include <string>

namespace humo::db {

// What a library writes on standard error while this lives is caught instead. The Access reader
// says only there that a page could not be read, and then goes on as if the data ended: the
// caller asks whether it said so, and refuses the file instead of reading it in part.
class LibraryMessages {
public:
    LibraryMessages();
    ~LibraryMessages();
    LibraryMessages(const LibraryMessages&) = delete;
    LibraryMessages& operator=(const LibraryMessages&) = delete;

    // Stops catching and fails naming `path` and the error when the library said it hit one;
    // otherwise passes on what it said.
    void require_no_error(const std::string& path);

private:
    std::string finish();

    std::FILE* caught_ = nullptr;
    int standard_error_ = -1;
};

}  // namespace humo::db
