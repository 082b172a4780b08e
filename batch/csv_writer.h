#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace humo::batch {

// Takes the next bytes of the output; throws when they cannot be written.
using WriteBytes = std::function<void(const char* data, size_t size)>;

// Writes CSV records in the input's dialect: its delimiter and line ending, and quotes around
// a field only where it needs them. Output is gathered and handed on in large pieces.
class CsvWriter {
public:
    CsvWriter(WriteBytes write, char delimiter, bool crlf);

    void byte_order_mark();
    void field(std::string_view text);
    // Fields already joined by the delimiter and needing no quotes, as a plain input line is.
    void plain_fields(std::string_view text);
    void end_record();
    // Hands on whatever is gathered; call it before the output is closed.
    void flush();

private:
    void separate();

    WriteBytes write_;
    char delimiter_;
    std::string_view line_ending_;
    std::string buffer_;
    bool record_started_ = false;
};

}  // namespace humo::batch
