#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "files.h"
#include "help_file.h"
#include "temp_dir.h"
#include "text_matchers.h"
#include "topic_links.h"

namespace humo::help {
namespace {

const std::string kBuiltFile = HUMO_BUILT_HELP_FILE;

using testing::bytes_of;
using testing::write_bytes;

std::string topic_path(const std::string& topic) { return topic.substr(0, topic.find('#')); }

TEST(BuiltHelpFile, OpensAtItsDefaultTopicWithATopicForEachContextNumberAndLinksWithin) {
    const auto opened = HelpFile::open(kBuiltFile);
    ASSERT_TRUE(opened.ok()) << opened.error().message;
    const HelpFile& file = opened.value();
    EXPECT_EQ(file.title(), "HUMO Soil Carbon Tool Help");
    const auto home = file.default_topic();
    ASSERT_TRUE(home.ok()) << home.error().message;
    EXPECT_EQ(home.value(), "/topics/index.htm");
    ASSERT_TRUE(file.read(home.value()));
    EXPECT_THAT(*file.read(home.value()), HasSubstr("<h1>HUMO Soil Carbon Tool</h1>"));
    std::istringstream headings(
        "Country\nClimate Region\nNative Soil Type\nLand Use Type\nManagement System and Factor\n"
        "Inputs and Input Factor\nLand Use Factor\nPredicted Carbon Stock\nExisting Carbon Stock\n"
        "Annual Carbon Stock Change");
    std::uint32_t context = 1000;
    for (std::string heading; std::getline(headings, heading); ++context) {
        const auto topic = file.topic_for_context(context);
        ASSERT_TRUE(topic.ok()) << topic.error().message;
        const auto html = file.read(topic_path(topic.value()));
        ASSERT_TRUE(html) << topic.value();
        EXPECT_THAT(*html, HasSubstr("<h1>" + heading + "</h1>")) << context;
    }
    EXPECT_EQ(context, 1010u);
    for (std::uint32_t number : {0u, 999u, 1010u, 4294967295u}) {
        const auto topic = file.topic_for_context(number);
        ASSERT_FALSE(topic.ok()) << number;
        EXPECT_EQ(topic.error().kind, HelpErrorKind::kUnknownContext);
        EXPECT_EQ(topic.error().message, "The help file " + kBuiltFile +
                                             " has no topic for context number " +
                                             std::to_string(number) + ".");
    }
    ASSERT_GE(file.contents().size(), 15u);
    EXPECT_EQ(file.contents()[0].name, "HUMO Soil Carbon Tool");
    EXPECT_EQ(file.contents()[4].name, "Country");
    EXPECT_EQ(file.contents()[4].depth, 1);
    for (const ContentsEntry& entry : file.contents()) {
        const auto topic = file.resolve(entry.local);
        ASSERT_TRUE(topic) << entry.name;
        EXPECT_TRUE(file.contains(topic_path(*topic))) << entry.name;
    }
    EXPECT_EQ(broken_links(file), std::vector<std::string>{});
    EXPECT_TRUE(file.read("/images/calculation.png"));
}

TEST(PlainHelpFile, WithoutDefaultTopicOrContentsItsContextNumbersStillWork) {
    const std::string plain = HUMO_PLAIN_HELP_FILE;
    const auto opened = HelpFile::open(plain);
    ASSERT_TRUE(opened.ok()) << opened.error().message;
    const HelpFile& file = opened.value();
    const auto home = file.default_topic();
    ASSERT_FALSE(home.ok());
    EXPECT_EQ(home.error().kind, HelpErrorKind::kNoDefaultTopic);
    EXPECT_EQ(home.error().message, "The help file " + plain + " names no default topic.");
    EXPECT_TRUE(file.contents().empty());
    ASSERT_TRUE(file.topic_for_context(7).ok());
    EXPECT_EQ(file.topic_for_context(7).value(), "/a.htm");
    EXPECT_EQ(broken_links(file), std::vector<std::string>{"/a.htm -> missing.htm"});
}

// Copies of the help file, whole or damaged, in a folder of their own.
class HelpFileErrors : public ::testing::Test {
protected:
    testing::TempDir dir;
    const std::string copy = dir.file("humo_tool.chm");
};

// A missing file: the help viewer's tests show its message.
TEST_F(HelpFileErrors, AFolderOrAFileThatIsNoHelpFileIsRefusedByName) {
    auto opened = HelpFile::open(dir.path().string());
    ASSERT_FALSE(opened.ok());
    EXPECT_EQ(opened.error().kind, HelpErrorKind::kNotHelpFile);
    write_bytes(copy, "");
    opened = HelpFile::open(copy);
    ASSERT_FALSE(opened.ok());
    EXPECT_EQ(opened.error().kind, HelpErrorKind::kNotHelpFile);
    EXPECT_EQ(opened.error().message,
              "The help file " + copy +
                  " cannot be read: it is not a compiled help file, or it is damaged.");
    write_bytes(copy, "<html>not a help file</html>");
    EXPECT_FALSE(HelpFile::open(copy).ok());
}

// A damaged copy is refused, or gives errors for what it cannot show; whatever topic it does
// give can be read in full.
void expect_clean(const std::string& path, const std::string& what) {
    const auto opened = HelpFile::open(path);
    if (!opened.ok()) {
        EXPECT_THAT(opened.error().message, HasSubstr(path)) << what;
        return;
    }
    const HelpFile& file = opened.value();
    std::vector<Outcome<std::string>> topics = {file.default_topic()};
    for (std::uint32_t number = 1000; number <= 1009; ++number)
        topics.push_back(file.topic_for_context(number));
    for (const auto& topic : topics) {
        if (topic.ok())
            EXPECT_TRUE(file.contains(topic_path(topic.value()))) << what;
        else
            EXPECT_THAT(topic.error().message, HasSubstr(path)) << what;
    }
    for (const ContentsEntry& entry : file.contents())
        file.resolve(entry.local);
    broken_links(file);
}

TEST_F(HelpFileErrors, TruncatedOrCorruptedCopiesAreRefusedCleanly) {
    const std::string whole = bytes_of(kBuiltFile);
    ASSERT_GT(whole.size(), 10000u);
    int unusable = 0;
    for (std::size_t length : {std::size_t{1}, std::size_t{40}, std::size_t{0x60},
                               std::size_t{0x200}, std::size_t{0x1000}, whole.size() / 4,
                               whole.size() / 2, whole.size() - 5000, whole.size() - 1}) {
        write_bytes(copy, whole.substr(0, length));
        expect_clean(copy, "cut at " + std::to_string(length));
        const auto opened = HelpFile::open(copy);
        unusable += opened.ok() && opened.value().default_topic().ok() ? 0 : 1;
    }
    EXPECT_GE(unusable, 4);
    // Every region of the file in turn: headers, directory, system data and compressed content.
    for (std::size_t start = 0; start < whole.size(); start += whole.size() / 97 + 1) {
        for (unsigned char pattern : {0x00, 0xFF, 0x5A}) {
            std::string damaged = whole;
            for (std::size_t i = start; i < std::min(start + 64, damaged.size()); ++i)
                damaged[i] = static_cast<char>(pattern);
            write_bytes(copy, damaged);
            expect_clean(copy, "damaged at " + std::to_string(start));
        }
    }
}

TEST_F(HelpFileErrors, ACopyThatCrashesTheChmLibraryIsRefusedCleanly) {
    // The fuzzer's first find: a compression reset table (version 2, entries of 8 bytes from
    // offset 40) whose block length is 0 makes chmlib divide by zero on the first read.
    std::string damaged = bytes_of(kBuiltFile);
    const std::string version("\x02\0\0\0", 4);
    const std::string layout("\x08\0\0\0\x28\0\0\0", 8);
    std::size_t table = damaged.find(version);
    while (table != std::string::npos && damaged.compare(table + 8, 8, layout) != 0)
        table = damaged.find(version, table + 1);
    ASSERT_NE(table, std::string::npos);
    EXPECT_EQ(damaged.substr(table + 32, 8), std::string("\0\x80\0\0\0\0\0\0", 8));
    damaged.replace(table + 32, 8, std::string(8, '\0'));
    write_bytes(copy, damaged);
    const auto opened = HelpFile::open(copy);
    ASSERT_FALSE(opened.ok());
    EXPECT_EQ(opened.error().kind, HelpErrorKind::kNotHelpFile);
}

TEST_F(HelpFileErrors, ACopyWithDamagedSystemDataSaysSoAndKeepsItsContextNumbers) {
    // The first record, the compiler's version, claims more bytes than the data has.
    std::string damaged = bytes_of(kBuiltFile);
    const std::size_t version = damaged.find("HHA Version");
    ASSERT_NE(version, std::string::npos);
    damaged.replace(version - 2, 2, "\xFF\xFF");
    write_bytes(copy, damaged);
    const auto opened = HelpFile::open(copy);
    ASSERT_TRUE(opened.ok()) << opened.error().message;
    const auto home = opened.value().default_topic();
    ASSERT_FALSE(home.ok());
    EXPECT_EQ(home.error().kind, HelpErrorKind::kDamaged);
    EXPECT_EQ(home.error().message,
              "The help file " + copy + " is damaged: its system data cannot be read.");
    EXPECT_EQ(opened.value().title(), "");
    EXPECT_TRUE(opened.value().topic_for_context(1000).ok());
}

// The reader that dies while the window is open (a damaged page read late) ends only itself:
// the program goes on, and what it can no longer read is said to be unreadable.
TEST(HelpFileReader, AReaderThatDiesMidSessionLeavesTheProgramRunning) {
    const auto opened = HelpFile::open(kBuiltFile);
    ASSERT_TRUE(opened.ok());
    const HelpFile& file = opened.value();
    const std::string topic = topic_path(file.default_topic().value());
    ASSERT_TRUE(file.read(topic));
    std::ifstream children("/proc/self/task/" + std::to_string(::gettid()) + "/children");
    int killed = 0;
    for (pid_t child; children >> child; ++killed)
        ::kill(child, SIGSEGV);
    ASSERT_EQ(killed, 1);
    EXPECT_FALSE(file.read(topic));
    EXPECT_TRUE(file.unreadable());
    EXPECT_FALSE(file.contains(topic));
}

}  // namespace
}  // namespace humo::help
