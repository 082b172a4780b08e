#include "csv_writer.h"

namespace humo::batch {
namespace {

constexpr size_t kFlushSize = 1 << 20;

}  // namespace

CsvWriter::CsvWriter(WriteBytes write, char delimiter, bool crlf)
    : write_(std::move(write)), delimiter_(delimiter), line_ending_(crlf ? "\r\n" : "\n") {
    buffer_.reserve(kFlushSize + (1 << 16));
}

void CsvWriter::byte_order_mark() { buffer_ += "\xEF\xBB\xBF"; }

void CsvWriter::separate() {
    if (record_started_)
        buffer_ += delimiter_;
    record_started_ = true;
}

void CsvWriter::field(std::string_view text) {
    separate();
    bool needs_quotes = false;
    for (char c : text) {
        if (c == delimiter_ || c == '"' || c == '\n' || c == '\r') {
            needs_quotes = true;
            break;
        }
    }
    if (!needs_quotes) {
        buffer_ += text;
        return;
    }
    buffer_ += '"';
    for (char c : text) {
        if (c == '"')
            buffer_ += '"';
        buffer_ += c;
    }
    buffer_ += '"';
}

void CsvWriter::plain_fields(std::string_view text) {
    separate();
    buffer_ += text;
}

void CsvWriter::end_record() {
    buffer_ += line_ending_;
    record_started_ = false;
    if (buffer_.size() >= kFlushSize)
        flush();
}

void CsvWriter::flush() {
    if (!buffer_.empty())
        write_(buffer_.data(), buffer_.size());
    buffer_.clear();
}

}  // namespace humo::batch
