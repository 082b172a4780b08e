#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace humo::batch {

// Fills the buffer with the next bytes of the input; returns how many, 0 at its end.
using ReadBytes = std::function<size_t(char* buffer, size_t size)>;

// Input that is no CSV past some point; the message names the line.
class CsvError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The delimiter a header line uses: ';' or a tab where the line has those and no commas
// (whichever it has more of), else ','.
char guess_delimiter(std::string_view header_line);

// One record of the input.
struct CsvRecord {
    // The line it starts on, counting from 1.
    int64_t line = 0;
    std::vector<std::string_view> fields;
    // The record as written, without its line ending, when it is one line without quotes:
    // its fields joined by the delimiter, ready to be written out again as they stand.
    std::optional<std::string_view> plain;
    // The plain line is ASCII without NUL bytes: nothing in it needs checking.
    bool plain_ascii = false;
};

// The delimiter of a file whose first line this is: a comma wherever the line has one outside
// quotes, else a tab or a semicolon, whichever it has more of.
char guess_delimiter(std::string_view header_line);

// Reads RFC 4180 records as a stream: quoted fields, doubled quotes, line breaks inside
// quotes; UTF-8 with or without a byte order mark; LF or CRLF. Quoted records go through
// libcsv; a line without quotes, the usual case, is split where it lies, which keeps a large
// file fast. Blank lines are skipped. A record may be 1 MiB long at most, so memory stays
// bounded whatever the input.
class CsvReader {
public:
    static constexpr size_t kMaxRecordBytes = 1 << 20;

    // Reads the first line to learn the delimiter, the line ending and the byte order mark.
    explicit CsvReader(ReadBytes read);
    ~CsvReader();
    CsvReader(const CsvReader&) = delete;
    CsvReader& operator=(const CsvReader&) = delete;

    char delimiter() const { return delimiter_; }
    bool crlf() const { return crlf_; }
    bool byte_order_mark() const { return byte_order_mark_; }

    // The next record, valid until the next call; nothing at the end of the input. Throws
    // CsvError where the input stops being CSV.
    const CsvRecord* next();

    // Bytes of the input read so far.
    int64_t bytes_read() const { return bytes_read_; }

private:
    struct Parser;

    bool fill();
    std::optional<std::string_view> next_line();
    // Splits a line without quotes into the record; false when it has some.
    bool split_plain(std::string_view content);
    void parse_quoted(std::string_view line);
    void finish_quoted();
    bool take_pending();

    ReadBytes read_;
    std::vector<char> buffer_;
    size_t begin_ = 0;
    size_t end_ = 0;
    bool at_end_ = false;
    int64_t bytes_read_ = 0;
    int64_t line_ = 0;

    char delimiter_ = ',';
    bool crlf_ = false;
    bool byte_order_mark_ = false;

    std::unique_ptr<Parser> parser_;
    CsvRecord record_;
    // Records libcsv has finished, with the lines they started on.
    struct Finished {
        int64_t line;
        std::vector<std::string> fields;
    };
    std::deque<Finished> finished_;
    Finished taken_;
};

}  // namespace humo::batch
