#include "library_messages.h"

#include <unistd.h>

#include <stdexcept>

namespace humo::db {

LibraryMessages::LibraryMessages() {
    std::fflush(stderr);
    caught_ = std::tmpfile();
    if (!caught_)
        return;
    standard_error_ = ::dup(STDERR_FILENO);
    if (standard_error_ < 0 || ::dup2(::fileno(caught_), STDERR_FILENO) < 0) {
        std::fclose(caught_);
        caught_ = nullptr;
    }
}

LibraryMessages::~LibraryMessages() { finish(); }

std::string LibraryMessages::finish() {
    if (!caught_)
        return {};
    std::fflush(stderr);
    ::dup2(standard_error_, STDERR_FILENO);
    ::close(standard_error_);
    std::string text;
    std::rewind(caught_);
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, caught_)) > 0;)
        text.append(buffer, got);
    std::fclose(caught_);
    caught_ = nullptr;
    return text;
}

void LibraryMessages::require_no_error(const std::string& path) {
    const std::string text = finish();
    const size_t error = text.find("error:");
    if (error == std::string::npos) {
        std::fputs(text.c_str(), stderr);
        return;
    }
    // The refusal quotes the error; the lines before it only repeat it in the reader's terms.
    std::string said = text.substr(error, text.find('\n', error) - error);
    while (!said.empty() && (said.back() == '.' || said.back() == '\r'))
        said.pop_back();
    throw std::runtime_error(path + " cannot be read (" + said + ")");
}

}  // namespace humo::db
