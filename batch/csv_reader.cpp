#include "csv_reader.h"

#include <csv.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace humo::batch {
namespace {

constexpr size_t kReadSize = 1 << 20;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Nothing around an unquoted field is trimmed: a cell reaches the output as it was written.
int no_space(unsigned char) { return 0; }

// Sixteen bytes compared at once: a line is a hundred bytes or more, and a search call per
// field cost more than the searching itself.
using Chunk = unsigned char __attribute__((vector_size(16)));

// The bytes a comparison of chunks found: bit i for byte i.
uint32_t found_bytes(Chunk comparison) {
#if defined(__SSE2__)
    __m128i bytes;
    std::memcpy(&bytes, &comparison, sizeof bytes);
    return static_cast<uint32_t>(_mm_movemask_epi8(bytes));
#else
    std::array<uint64_t, 2> words;
    std::memcpy(words.data(), &comparison, sizeof words);
    uint32_t found = 0;
    for (size_t half = 0; half < words.size(); ++half) {
        uint64_t word = words[half];
        if constexpr (std::endian::native == std::endian::big)
            word = __builtin_bswap64(word);
        // Gathers the high bit of each byte into the top byte, the first byte lowest.
        constexpr uint64_t kHighBits = 0x8080808080808080ull;
        constexpr uint64_t kGather = 0x0002040810204081ull;
        found |= static_cast<uint32_t>(((word & kHighBits) * kGather) >> 56) << (8 * half);
    }
    return found;
#endif
}

std::string on_line(int64_t line, const std::string& what) {
    return "line " + std::to_string(line) + ": " + what;
}

}  // namespace

char guess_delimiter(std::string_view header_line) {
    size_t commas = 0;
    size_t semicolons = 0;
    size_t tabs = 0;
    bool quoted = false;
    for (char c : header_line) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted)
            commas += c == ',', semicolons += c == ';', tabs += c == '\t';
    }
    if (commas > 0 || (semicolons == 0 && tabs == 0))
        return ',';
    return tabs > semicolons ? '\t' : ';';
}

// libcsv and the record it is in the middle of.
struct CsvReader::Parser {
    csv_parser csv;
    std::vector<std::string> fields;
    std::deque<Finished>* finished = nullptr;
    // A record has begun and not yet ended: its lines go to libcsv until it does.
    bool in_record = false;
    bool record_ended = false;
    int64_t record_line = 0;
    int64_t current_line = 0;
    size_t record_bytes = 0;

    static void field(void* text, size_t size, void* data) {
        auto* parser = static_cast<Parser*>(data);
        parser->fields.emplace_back(static_cast<const char*>(text), size);
        parser->record_ended = false;
    }
    static void record(int, void* data) {
        auto* parser = static_cast<Parser*>(data);
        parser->finished->push_back({parser->record_line, std::move(parser->fields)});
        parser->fields.clear();
        parser->record_ended = true;
        // What follows on the same line is the next record.
        parser->record_line = parser->current_line;
        parser->record_bytes = 0;
    }
};

CsvReader::CsvReader(ReadBytes read)
    : read_(std::move(read)), buffer_(CsvReader::kMaxRecordBytes + kReadSize) {
    while (end_ < kByteOrderMark.size() && fill()) {
    }
    std::string_view start(buffer_.data() + begin_, end_ - begin_);
    if (start.starts_with(kByteOrderMark)) {
        byte_order_mark_ = true;
        begin_ += kByteOrderMark.size();
    }
    // The first line decides; a line too long to see here is caught when it is read.
    for (;;) {
        std::string_view data(buffer_.data() + begin_, end_ - begin_);
        const size_t newline = data.find('\n');
        if (newline != std::string_view::npos || at_end_ || data.size() >= kMaxRecordBytes) {
            std::string_view first = data.substr(0, std::min(newline, data.size()));
            crlf_ = newline != std::string_view::npos && first.ends_with('\r');
            delimiter_ = guess_delimiter(first);
            break;
        }
        fill();
    }

    parser_ = std::make_unique<Parser>();
    csv_init(&parser_->csv, CSV_STRICT | CSV_STRICT_FINI);
    csv_set_delim(&parser_->csv, static_cast<unsigned char>(delimiter_));
    csv_set_space_func(&parser_->csv, no_space);
    parser_->finished = &finished_;
}

CsvReader::~CsvReader() { csv_free(&parser_->csv); }

bool CsvReader::fill() {
    if (at_end_)
        return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    const size_t got = read_(buffer_.data() + end_, std::min(kReadSize, buffer_.size() - end_));
    if (got == 0) {
        at_end_ = true;
        return false;
    }
    end_ += got;
    bytes_read_ += static_cast<int64_t>(got);
    return true;
}

std::optional<std::string_view> CsvReader::next_line() {
    size_t searched = 0;
    for (;;) {
        const char* data = buffer_.data() + begin_;
        const size_t available = end_ - begin_;
        const void* newline = std::memchr(data + searched, '\n', available - searched);
        if (newline) {
            const size_t length = static_cast<const char*>(newline) - data + 1;
            begin_ += length;
            ++line_;
            return std::string_view(data, length);
        }
        if (available >= kMaxRecordBytes) {
            throw CsvError(on_line(line_ + 1, "a line longer than 1 MiB; is this a CSV file?"));
        }
        searched = available;
        if (!fill()) {
            if (end_ == begin_)
                return std::nullopt;
            // The last line, without a line ending.
            const std::string_view last(buffer_.data() + begin_, end_ - begin_);
            begin_ = end_;
            ++line_;
            return last;
        }
    }
}

const CsvRecord* CsvReader::next() {
    for (;;) {
        if (take_pending())
            return &record_;
        std::optional<std::string_view> line = next_line();
        if (!line) {
            if (!parser_->in_record)
                return nullptr;
            finish_quoted();
            continue;
        }
        if (!parser_->in_record) {
            std::string_view content = *line;
            if (content.ends_with('\n'))
                content.remove_suffix(1);
            if (content.ends_with('\r'))
                content.remove_suffix(1);
            if (content.empty())
                continue;
            if (split_plain(content))
                return &record_;
            parser_->record_line = line_;
        }
        parse_quoted(*line);
    }
}

bool CsvReader::split_plain(std::string_view content) {
    const char* const begin = content.data();
    const size_t size = content.size();
    const unsigned char delimiter = static_cast<unsigned char>(delimiter_);
    std::vector<std::string_view>& fields = record_.fields;
    fields.clear();
    size_t field = 0;
    // Bytes beyond ASCII, or NUL, which the row's checks must look at.
    uint32_t unusual = 0;
    // A short line is one chunk; a longer line's last chunk is its last sixteen bytes, those
    // seen before left out.
    for (size_t at = 0; at < size; at += sizeof(Chunk)) {
        Chunk chunk{};
        uint32_t unseen = 0xFFFF;
        if (size < sizeof chunk) {
            std::memcpy(&chunk, begin, size);
            unseen = (1u << size) - 1;
        } else {
            if (at + sizeof chunk > size) {
                unseen = 0xFFFFu << (at + sizeof chunk - size) & 0xFFFF;
                at = size - sizeof chunk;
            }
            std::memcpy(&chunk, begin + at, sizeof chunk);
        }
        // A quote or a carriage return leaves the line to libcsv.
        if (found_bytes((chunk == '"') | (chunk == '\r')) & unseen)
            return false;
        unusual |= found_bytes((chunk >= 0x80) | (chunk == 0)) & unseen;
        for (uint32_t found = found_bytes(chunk == delimiter) & unseen; found; found &= found - 1) {
            const size_t end = at + static_cast<size_t>(std::countr_zero(found));
            fields.emplace_back(begin + field, end - field);
            field = end + 1;
        }
    }
    fields.emplace_back(begin + field, size - field);
    record_.line = line_;
    record_.plain = content;
    record_.plain_ascii = unusual == 0;
    return true;
}

void CsvReader::parse_quoted(std::string_view line) {
    Parser& parser = *parser_;
    parser.current_line = line_;
    parser.record_bytes += line.size();
    if (parser.record_bytes > kMaxRecordBytes) {
        throw CsvError(on_line(parser.record_line,
                               "a record longer than 1 MiB starts here; is a quote left open?"));
    }
    parser.record_ended = false;
    if (csv_parse(&parser.csv, line.data(), line.size(), Parser::field, Parser::record, &parser) !=
        line.size()) {
        throw CsvError(on_line(line_,
                               "a quote out of place: a quote may only open a field, close it, "
                               "or be doubled inside a quoted field"));
    }
    if (!line.ends_with('\n')) {
        // The input's last line, without a line ending: whatever it began ends here.
        finish_quoted();
        return;
    }
    // A line that ends inside quotes leaves its record open for the next line.
    parser.in_record = !parser.record_ended;
}

void CsvReader::finish_quoted() {
    Parser& parser = *parser_;
    if (csv_fini(&parser.csv, Parser::field, Parser::record, &parser) != 0) {
        throw CsvError(
            on_line(parser.record_line, "a quoted field that starts here is never closed"));
    }
    parser.in_record = false;
}

bool CsvReader::take_pending() {
    if (finished_.empty())
        return false;
    taken_ = std::move(finished_.front());
    finished_.pop_front();
    record_.line = taken_.line;
    record_.plain.reset();
    record_.plain_ascii = false;
    record_.fields.assign(taken_.fields.begin(), taken_.fields.end());
    return true;
}

}  // namespace humo::batch
