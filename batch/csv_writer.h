#pragma once

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

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
    // A field known to need no quotes, such as a number whose decimal separator is not the
    // delimiter.
    void unquoted_field(std::string_view text) { plain_fields(text); }
    // Fields already joined by the delimiter and needing no quotes, as a plain input line is.
    void plain_fields(std::string_view text) {
        // Inline, with one reservation for the delimiter and the text: rows write a dozen
        // numbers each.
        char* out = room_for(text.size() + 1);
        if (record_started_)
            *out++ = delimiter_;
        record_started_ = true;
        out = std::copy(text.begin(), text.end(), out);
        used_ = static_cast<size_t>(out - buffer_.data());
    }
    void end_record();
    // Hands on whatever is gathered; call it before the output is closed.
    void flush();

private:
    // Where `size` more bytes can go, growing the buffer if a field is that long.
    char* room_for(size_t size) {
        if (used_ + size > buffer_.size())
            grow(size);
        return buffer_.data() + used_;
    }
    void grow(size_t size);
    void append(std::string_view text);

    WriteBytes write_;
    char delimiter_;
    // The bytes that make a field need quotes.
    std::array<bool, 256> quoted_{};
    std::string_view line_ending_;
    std::vector<char> buffer_;
    size_t used_ = 0;
    bool record_started_ = false;
};

// Whether the numbers a run writes need quotes: only when their decimal separator does.
inline bool numbers_need_quotes(char separator, char delimiter) {
    return separator == delimiter || separator == '"';
}

}  // namespace humo::batch
