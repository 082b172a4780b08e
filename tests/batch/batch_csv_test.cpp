// What a batch makes of the CSV it is given: dialects, quoting, result columns of an earlier
// run, and input that is no CSV at all.

#include <functional>
#include <random>

#include "batch_harness.h"
#include "failure_of.h"

namespace humo::batch {
namespace {

using Strings = std::vector<std::string>;
using Records = std::vector<Strings>;

const std::string& kHeader = testing::kScenarioHeader;
const std::string& kKenya = testing::kKenya;

// A batch over the input on the shipped defaults, loaded once for each decimal separator.
testing::BatchOutput run(const std::string& input, char separator = '.') {
    static const testing::TempDir dir;
    static const std::string database = testing::shipped_database(dir);
    static const auto point = engine::load_memory_tables(database, {'.'});
    static const auto comma = engine::load_memory_tables(database, {','});
    return testing::run_on_text(input, separator == ',' ? comma : point);
}

std::string failure_of(const std::string& input) {
    return testing::failure_of([&] { run(input); }).value_or("no failure");
}

TEST(DelimiterTest, TheHeaderLineTellsTheDelimiter) {
    EXPECT_EQ(guess_delimiter("country,climate_region"), ',');
    EXPECT_EQ(guess_delimiter("country;climate_region;soil_type"), ';');
    EXPECT_EQ(guess_delimiter("country\tclimate_region"), '\t');
    // Commas win over anything else; then whichever there is more of.
    EXPECT_EQ(guess_delimiter("country;climate region,soil_type"), ',');
    EXPECT_EQ(guess_delimiter("a;b\tc\td"), '\t');
    EXPECT_EQ(guess_delimiter("a;b;c\td"), ';');
    // A comma inside quotes is part of a name.
    EXPECT_EQ(guess_delimiter("\"notes, mine\";country"), ';');
    EXPECT_EQ(guess_delimiter("country"), ',');
}

TEST(CsvReaderTest, QuotedFieldsDoubledQuotesAndLineBreaksWhateverTheReadSizes) {
    const std::string text =
        "\xEF\xBB\xBF"
        "a,b,c\r\n"
        "1,\"two, three\",\"say \"\"hi\"\"\"\r\n"
        "\r\n"
        "\"multi\nline\",,\"\"\r\n"
        "plain,row,here";
    const Records expected = {{"a", "b", "c"},
                              {"1", "two, three", "say \"hi\""},
                              {"multi\nline", "", ""},
                              {"plain", "row", "here"}};
    // However the input arrives, one byte at a time or all at once, the records are the same.
    for (size_t piece : {size_t{1}, size_t{3}, size_t{7}, text.size()}) {
        CsvReader reader(testing::reading(text, piece));
        EXPECT_TRUE(reader.byte_order_mark());
        EXPECT_TRUE(reader.crlf());
        EXPECT_EQ(reader.delimiter(), ',');
        Records records;
        std::vector<int64_t> lines;
        while (const CsvRecord* record = reader.next()) {
            records.emplace_back(record->fields.begin(), record->fields.end());
            lines.push_back(record->line);
        }
        EXPECT_EQ(records, expected) << "read " << piece << " bytes at a time";
        EXPECT_EQ(lines, (std::vector<int64_t>{1, 2, 4, 6}));
    }
}

// Reads a header line and these lines with one reader, handing on each record after the
// header with its number; returns how many there were.
size_t read_lines(const std::vector<std::string>& lines,
                  const std::function<void(size_t, const CsvRecord&)>& check) {
    std::string text = "a,b\n";
    for (const std::string& line : lines)
        text += line + "\n";
    CsvReader reader(testing::reading(text));
    reader.next();
    size_t count = 0;
    while (const CsvRecord* record = reader.next())
        check(count++, *record);
    return count;
}

// A line without quotes is split by the reader itself, many bytes at a time: wherever its
// delimiters, quotes, carriage returns and bytes beyond ASCII fall, and whatever its length,
// it reads as splitting it by hand does. Each line is one record, however the lines before it
// ended.
TEST(CsvReaderTest, PlainLinesSplitAlikeWhereverTheirDelimitersAndOddBytesFall) {
    struct Line {
        std::string text;
        std::vector<std::string> fields;  // none: only that the line is not plain ASCII
        bool plain = true;
    };
    std::vector<Line> lines;
    std::vector<std::string> returned_lines;
    std::mt19937 random(5);
    for (size_t length = 1; length <= 50; ++length) {
        for (int attempt = 0; attempt < 20; ++attempt) {
            Line line{std::string(length, 'x'), {""}};
            for (char& c : line.text)
                c = random() % 3 == 0 ? ',' : 'x';
            for (char c : line.text) {
                if (c == ',')
                    line.fields.emplace_back();
                else
                    line.fields.back() += c;
            }
            lines.push_back(line);
        }
        const std::string plain(length, 'x');
        for (size_t at = 0; at < length; ++at) {
            for (char odd : {'\xC3', '\0'}) {
                Line line{plain, {}};
                line.text[at] = odd;
                lines.push_back(line);
            }
            // A quoted field from here on, or a carriage return here: the line is no plain one.
            lines.push_back({plain.substr(0, at) + ",\"q\"", {plain.substr(0, at), "q"}, false});
            // At the end it is a line ending.
            if (at + 1 < length) {
                returned_lines.push_back(plain);
                returned_lines.back()[at] = '\r';
            }
        }
    }
    std::vector<std::string> texts;
    for (const Line& line : lines)
        texts.push_back(line.text);
    const size_t count = read_lines(texts, [&](size_t i, const CsvRecord& record) {
        const Line& line = lines.at(i);
        if (line.fields.empty()) {
            EXPECT_FALSE(record.plain_ascii) << "an odd byte in line " << i;
            return;
        }
        EXPECT_EQ(std::vector<std::string>(record.fields.begin(), record.fields.end()), line.fields)
            << line.text;
        EXPECT_EQ(record.plain,
                  line.plain ? std::optional<std::string_view>(line.text) : std::nullopt);
        EXPECT_EQ(record.plain_ascii, line.plain) << line.text;
    });
    EXPECT_EQ(count, lines.size());
    read_lines(returned_lines, [](size_t, const CsvRecord& record) {
        EXPECT_FALSE(record.plain) << "a line with a carriage return";
    });
}

TEST(BatchCsvTest, EveryInputColumnStaysAsItWasAndTheResultsFollow) {
    const std::string input = "id," + kHeader + ",notes\n" + "7," + kKenya +
                              ",\"a \"\"quoted\"\", comma note\"\n" + "8," + kKenya +
                              ",  blanks kept  \n";
    const testing::BatchOutput output = run(input);
    const std::string results =
        ",reference_stock,from_land_use_factor,from_management_factor,from_input_factor,from_stock,"
        "to_land_use_factor,to_management_factor,to_input_factor,to_stock,annual_change,error";
    EXPECT_EQ(output.header, testing::read_records("id," + kHeader + ",notes" + results).at(0));
    const std::string first_row = output.text.substr(output.text.find('\n') + 1);
    EXPECT_EQ(first_row.substr(0, first_row.find('\n')),
              "7," + kKenya +
                  ",\"a \"\"quoted\"\", comma note\",38,0.69,1,1,26.2,1,1.17,1.11,49.4,1.16,");
    EXPECT_EQ(output.rows[1].at("notes"), "  blanks kept  ");
    EXPECT_EQ(output.summary.summary_line(), "2 rows: 2 computed, 0 with errors");
}

TEST(BatchCsvTest, SemicolonsAndACommaSeparatorAsASpreadsheetWritesThem) {
    std::string header = kHeader;
    std::string row = kKenya;
    std::replace(header.begin(), header.end(), ',', ';');
    std::replace(row.begin(), row.end(), ',', ';');
    const testing::BatchOutput output = run(header + ";carbon_stock\r\n" + row + ";40,5\r\n", ',');
    EXPECT_EQ(output.text.substr(output.text.find("\r\n") + 2),
              row + ";40,5;40,5;0,69;1;1;27,9;1;1,17;1,11;52,6;1,24;\r\n");
}

TEST(BatchCsvTest, TabsKeepTheirByteOrderMarkAndLineEnding) {
    std::string header = kHeader;
    std::string row = kKenya;
    std::replace(header.begin(), header.end(), ',', '\t');
    std::replace(row.begin(), row.end(), ',', '\t');
    const testing::BatchOutput output = run("\xEF\xBB\xBF" + header + "\r\n" + row + "\r\n");
    EXPECT_TRUE(output.text.starts_with("\xEF\xBB\xBF" + header + "\treference_stock\t"));
    EXPECT_TRUE(output.text.ends_with("\t49.4\t1.16\t\r\n"));
}

TEST(BatchCsvTest, ARerunReplacesTheResultColumnsInPlace) {
    const testing::BatchOutput first = run(kHeader + ",area_ha\n" + kKenya + ",10\n");
    ASSERT_EQ(first.rows[0].at("total_annual_change"), "11.57");
    // The user changes the area and the soil in the output and runs it again.
    Records records = testing::read_records(first.text);
    records[1][2] = "Low clay activity mineral";
    records[1][9] = "20";
    const testing::BatchOutput second = run(testing::csv_text(records));
    EXPECT_EQ(second.header, first.header);
    EXPECT_EQ(second.rows[0].at("reference_stock"), "35");
    EXPECT_EQ(second.rows[0].at("total_annual_change"), "21.30");
    EXPECT_EQ(second.rows[0].at("error"), "");
    // A result column of an earlier run keeps its place among the user's own columns.
    const testing::BatchOutput moved = run("error,note," + kHeader + "\nold,n," + kKenya + "\n");
    EXPECT_EQ(Strings(moved.header.begin(), moved.header.begin() + 3),
              (Strings{"error", "note", "country"}));
    EXPECT_EQ(std::count(moved.header.begin(), moved.header.end(), "error"), 1);
    EXPECT_EQ(moved.rows[0].at("error"), "");
    EXPECT_EQ(moved.rows[0].at("to_stock"), "49.4");
}

TEST(BatchCsvTest, RowsThatAreNoScenarioKeepTheirCellsAndSayWhy) {
    const std::string input = kHeader + ",notes\n" + kKenya + ",bad \xC3\x28 byte\n" + kKenya +
                              std::string(",nul \0 byte\n", 12) + "Kenya,Tropical Dry\n" + kKenya +
                              ",x,y,\"z\"\n";
    const testing::BatchOutput output = run(input);
    ASSERT_EQ(output.rows.size(), 4u);
    EXPECT_EQ(output.rows[0].at("error"), "column \"notes\" is not UTF-8 text");
    EXPECT_EQ(output.rows[0].at("notes"), "bad \xC3\x28 byte");
    EXPECT_EQ(output.rows[1].at("error"), "column \"notes\" holds a NUL byte");
    EXPECT_EQ(output.rows[2].at("error"), "line 4 has 2 fields; the header has 10");
    EXPECT_EQ(output.rows[2].at("climate_region"), "Tropical Dry");
    EXPECT_EQ(output.rows[3].at("error"),
              "line 5 has 12 fields; the header has 10; the extra fields are \"y\", \"z\"");
    EXPECT_EQ(output.summary.with_errors, 4);
    EXPECT_EQ(BatchSummary::error_line(output.summary.first_errors[2]),
              "line 4 has 2 fields; the header has 10");
    EXPECT_EQ(BatchSummary::error_line(output.summary.first_errors[0]),
              "line 2: column \"notes\" is not UTF-8 text");
    // Well-formed characters beyond ASCII are text like any other.
    EXPECT_EQ(run(kHeader + ",notes\n" + kKenya + ",Côte d’Ivoire 🌍\n").rows[0].at("error"), "");
}

TEST(BatchCsvTest, InputThatIsNoScenarioFileStopsWithAClearMessage) {
    EXPECT_EQ(failure_of(""), "the input is empty; its first line must name the columns");
    EXPECT_EQ(failure_of("\n\n"), "the input is empty; its first line must name the columns");
    EXPECT_EQ(failure_of("country,climate_region\nKenya,Tropical Dry\n"),
              "line 1: the header has no column \"soil_type\"");
    EXPECT_EQ(
        failure_of("country,climate_region,soiltype\n"),
        "line 1: the header has no column \"soil_type\"; the column \"soiltype\" may be meant");
    EXPECT_EQ(failure_of(kHeader + ",Country\n"),
              "line 1: the header names the column \"country\" twice (columns 1 and 10)");
    EXPECT_EQ(failure_of("count\xFFry," + kHeader + "\n"), "line 1: the header is not UTF-8 text");
    EXPECT_EQ(failure_of(kHeader + "\n" + kKenya + "\n" + kKenya + ",\"unclosed\n" + kKenya + "\n"),
              "line 3: a quoted field that starts here is never closed");
    EXPECT_EQ(failure_of(kHeader + "\n" + kKenya + "\nKenya,Tropical \"Dry\"," + kKenya + "\n"),
              "line 3: a quote out of place: a quote may only open a field, close it, or be "
              "doubled inside a quoted field");
    const std::string big_field(10 << 20, 'x');
    EXPECT_EQ(failure_of(kHeader + ",notes\n" + kKenya + "," + big_field + "\n"),
              "line 2: a line longer than 1 MiB; is this a CSV file?");
    EXPECT_EQ(failure_of(kHeader + ",notes\n" + kKenya + ",\"" + big_field + "\"\n"),
              "line 2: a line longer than 1 MiB; is this a CSV file?");
    std::string long_record = kHeader + ",notes\n" + kKenya + ",\"";
    for (int i = 0; i < 30000; ++i)
        long_record += "a line of a quoted field that goes on and on\n";
    EXPECT_EQ(failure_of(long_record + "\"\n"),
              "line 2: a record longer than 1 MiB starts here; is a quote left open?");
}

TEST(BatchCsvTest, AHeaderAloneWritesTheHeaderAndSaysThereAreNoRows) {
    const testing::BatchOutput output = run(kHeader + "\n");
    EXPECT_EQ(output.summary.rows, 0);
    EXPECT_EQ(output.summary.note, "the input has a header and no rows");
    EXPECT_EQ(output.summary.exit_status(), 0);
    EXPECT_TRUE(output.text.starts_with(kHeader + ",reference_stock,"));
}

}  // namespace
}  // namespace humo::batch
