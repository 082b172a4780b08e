#include "csv_writer.h"

#include <algorithm>

namespace humo::batch {
namespace {

constexpr size_t kFlushSize = 1 << 20;

}  // namespace

CsvWriter::CsvWriter(WriteBytes write, char delimiter, bool crlf)
    : write_(std::move(write)),
      delimiter_(delimiter),
      line_ending_(crlf ? "\r\n" : "\n"),
      buffer_(kFlushSize + (1 << 16)) {
    for (char c : {delimiter, '"', '\n', '\r'})
        quoted_[static_cast<unsigned char>(c)] = true;
}

void CsvWriter::grow(size_t size) { buffer_.resize(std::max(buffer_.size() * 2, used_ + size)); }

void CsvWriter::append(std::string_view text) {
    std::copy(text.begin(), text.end(), room_for(text.size()));
    used_ += text.size();
}

void CsvWriter::byte_order_mark() { append("\xEF\xBB\xBF"); }

void CsvWriter::field(std::string_view text) {
    // Room for the delimiter, the quotes and every character doubled.
    char* out = room_for(2 * text.size() + 3);
    if (record_started_)
        *out++ = delimiter_;
    record_started_ = true;
    const bool needs_quotes = std::any_of(text.begin(), text.end(), [this](char c) {
        return quoted_[static_cast<unsigned char>(c)];
    });
    if (!needs_quotes) {
        out = std::copy(text.begin(), text.end(), out);
    } else {
        *out++ = '"';
        for (char c : text) {
            if (c == '"')
                *out++ = '"';
            *out++ = c;
        }
        *out++ = '"';
    }
    used_ = static_cast<size_t>(out - buffer_.data());
}

void CsvWriter::end_record() {
    append(line_ending_);
    record_started_ = false;
    if (used_ >= kFlushSize)
        flush();
}

void CsvWriter::flush() {
    if (used_ > 0)
        write_(buffer_.data(), used_);
    used_ = 0;
}

}  // namespace humo::batch
