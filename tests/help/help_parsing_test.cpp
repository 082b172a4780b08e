#include <gtest/gtest.h>

#include <set>

#include "context_map.h"
#include "sitemap.h"
#include "system_records.h"
#include "topic_links.h"
#include "topic_names.h"

namespace humo::help {
namespace {

std::string le16(unsigned value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}
std::string le32(std::uint32_t value) { return le16(value & 0xFFFF) + le16(value >> 16); }
std::string record(unsigned code, const std::string& data) {
    return le16(code) + le16(static_cast<unsigned>(data.size())) + data;
}

// The contents as "depth name -> local", one line per entry.
std::vector<std::string> lines(const std::vector<ContentsEntry>& entries) {
    std::vector<std::string> shown;
    for (const ContentsEntry& entry : entries)
        shown.push_back(std::to_string(entry.depth) + " " + entry.name + " -> " + entry.local);
    return shown;
}

TEST(SystemRecords, ReadTheirNamesAndKeepWhatPrecedesARecordThatRunsPastTheEnd) {
    const std::string data = le32(3) + record(9, "HHA Version 4.74") +
                             record(0, std::string("help.hhc\0", 9)) +
                             record(2, std::string("topics/index.htm\0", 17)) +
                             record(3, std::string("A Title\0", 8)) + record(13, "xyz");
    SystemRecords records = parse_system_records(data);
    EXPECT_FALSE(records.damaged);
    EXPECT_EQ(records.contents_file, "help.hhc");
    EXPECT_EQ(records.default_topic, "topics/index.htm");
    EXPECT_EQ(records.title, "A Title");
    const std::string good = le32(3) + record(2, std::string("a.htm\0", 6));
    records = parse_system_records(good + le16(3) + le16(40) + "short");
    EXPECT_TRUE(records.damaged);
    EXPECT_EQ(records.default_topic, "a.htm");
    EXPECT_FALSE(records.title);
    records = parse_system_records("ab");
    EXPECT_TRUE(records.damaged);
    EXPECT_FALSE(records.default_topic);
    // An empty name names nothing; a record of exactly the remaining length is whole.
    records = parse_system_records(le32(3) + record(2, std::string("\0", 1)) + record(3, "T"));
    EXPECT_FALSE(records.damaged);
    EXPECT_FALSE(records.default_topic);
    EXPECT_EQ(records.title, "T");
}

TEST(ContextMap, MapsEachNumberToItsNameAndKeepsWhatItCanReadOfADamagedMap) {
    const std::string strings = std::string("\0/b/topics/a.htm\0topics\\b.htm\0", 30);
    const std::string ivb = le32(16) + le32(1000) + le32(1) + le32(4294967295u) + le32(17);
    ContextMap map = parse_context_map(ivb, strings);
    EXPECT_FALSE(map.damaged);
    EXPECT_EQ(map.names, (std::map<std::uint32_t, std::string>{{1000, "/b/topics/a.htm"},
                                                               {4294967295u, "topics\\b.htm"}}));
    EXPECT_EQ(parse_context_map("", "").names.size(), 0u);
    EXPECT_FALSE(parse_context_map("", "").damaged);
    EXPECT_FALSE(parse_context_map(le32(0), "").damaged);
    const std::string names = std::string("\0a.htm\0b.htm", 12);
    // A count beyond the data, an offset beyond the names, a name without its end.
    map = parse_context_map(le32(64) + le32(1) + le32(1), names);
    EXPECT_TRUE(map.damaged);
    EXPECT_EQ(map.names, (std::map<std::uint32_t, std::string>{{1, "a.htm"}}));
    map = parse_context_map(le32(24) + le32(1) + le32(1) + le32(2) + le32(99) + le32(3) + le32(7),
                            names);
    EXPECT_TRUE(map.damaged);
    EXPECT_EQ(map.names, (std::map<std::uint32_t, std::string>{{1, "a.htm"}}));
    map = parse_context_map(le32(12) + le32(1) + le32(1) + le32(5), names);
    EXPECT_TRUE(map.damaged);
    EXPECT_EQ(map.names.size(), 1u);
    EXPECT_TRUE(parse_context_map("abc", names).damaged);
    EXPECT_TRUE(parse_context_map(le32(8) + le32(1) + le32(0), names).damaged);
}

TEST(TopicNames, ResolveToTheLongestTrailingPartInTheFile) {
    const std::set<std::string> objects = {"/topics/a.htm", "/a.htm", "/help/topics/b.htm",
                                           "/topics/b.htm", "/c d.htm"};
    auto exists = [&objects](const std::string& path) { return objects.count(path) > 0; };
    auto resolve = [&exists](std::string_view name) { return resolve_topic_name(name, exists); };
    // As the compiler on this system writes them: the build directory's absolute path.
    EXPECT_EQ(resolve("/work/build/help/staging/topics/a.htm"), "/topics/a.htm");
    EXPECT_EQ(resolve("/build/help/topics/b.htm"), "/help/topics/b.htm");
    // As Windows compilers write them: relative to the root, either slash.
    EXPECT_EQ(resolve("topics\\a.htm"), "/topics/a.htm");
    EXPECT_EQ(resolve("topics/b.htm"), "/topics/b.htm");
    EXPECT_EQ(resolve("a.htm"), "/a.htm");
    EXPECT_EQ(resolve("c d.htm"), "/c d.htm");
    // A place in the topic stays with it; a link into a named file gives its topic.
    EXPECT_EQ(resolve("topics/a.htm#part"), "/topics/a.htm#part");
    EXPECT_EQ(resolve("ms-its:other.chm::/topics/a.htm"), "/topics/a.htm");
    EXPECT_EQ(resolve("ms-its:other.chm::a.htm"), "/a.htm");
    EXPECT_EQ(resolve("mk:@MSITStore:C:\\Help\\x.chm::/a.htm"), "/a.htm");
    // Only whole parts count, and nothing is made up.
    EXPECT_EQ(resolve("/x/ztopics/a.htm"), "/a.htm");
    EXPECT_EQ(resolve("/x/missing.htm"), std::nullopt);
    EXPECT_EQ(resolve(""), std::nullopt);
    EXPECT_EQ(resolve("///"), std::nullopt);
    EXPECT_EQ(resolve(std::string(5000, 'a') + "/a.htm"), "/a.htm");
}

TEST(Sitemap, ReadsNestedEntriesWithTheirLevelsAndWhatItCanOfMalformedText) {
    const std::string hhc = R"(<HTML><BODY>
<OBJECT type="text/site properties"><param name="Window Styles" value="0x800025"></OBJECT>
<!-- <ul><li><object type="text/sitemap"><param name="Name" value="Hidden"></object> -->
<UL>
  <LI> <OBJECT type="text/sitemap">
      <param name="Name" value="Start &amp; overview">
      <param name="Local" value="topics/index.htm">
      <param name="Name" value="Second name">
    </OBJECT>
  <UL>
    <li><object type='TEXT/SITEMAP'><param name=Name value=Country><param name="local" value="topics/country.htm#top"></object>
    <li><object type="text/sitemap"><param name="Font" value="Arial,8,0"><param name="Name" value="Caf&#233; &#x263A; &lt;x&gt;&#xDFFF;"></object>
    <li><object type="text/sitemop"><param name="Name" value="Not an entry"></object>
  </UL>
  <LI><OBJECT type="text/sitemap"><param name="Name" value="Last"><param name="Local" value="last.htm"></OBJECT>
</UL></BODY></HTML>)";
    EXPECT_EQ(lines(parse_sitemap(hhc)),
              (std::vector<std::string>{
                  "0 Start & overview -> topics/index.htm", "1 Country -> topics/country.htm#top",
                  "1 Caf\xC3\xA9 \xE2\x98\xBA <x>\xEF\xBF\xBD -> ", "0 Last -> last.htm"}));
    EXPECT_TRUE(parse_sitemap("").empty());
    EXPECT_TRUE(parse_sitemap("<<<>>></ul></ul><object").empty());
    // An object ends once; a stray end adds no second line.
    EXPECT_EQ(lines(parse_sitemap("<object type=text/sitemap><param name=Name value=A></object>"
                                  "<param name=Local value=b.htm></object>")),
              std::vector<std::string>{"0 A -> "});
    // A line needs a name or a topic.
    EXPECT_EQ(
        lines(parse_sitemap("<object type=text/sitemap><param name=Local value=x.htm></object>"
                            "<object type=text/sitemap><param name=ImageNumber value=1></object>")),
        std::vector<std::string>{"0  -> x.htm"});
    // A list closed once too often: the next list is the top level again.
    EXPECT_EQ(lines(parse_sitemap("<ul></ul></ul><ul><li><object type=text/sitemap>"
                                  "<param name=Name value=A></object>")),
              std::vector<std::string>{"0 A -> "});
    EXPECT_EQ(lines(parse_sitemap(
                  "</ul><object type=text/sitemap><param name=Name value='A &bogus; &#;'></object>"
                  "<object type=\"text/sitemap\"><param name=\"Name\" value=\"unterminated")),
              std::vector<std::string>{"0 A &bogus; &#; -> "});
}

TEST(TopicLinks, FindLinksAndWhereTheyLead) {
    EXPECT_EQ(links_in(R"(<a href="b.htm">b</a> <img SRC='../i.png'> <a name="x">)"
                       R"(<link rel="stylesheet" href="../help.css"> <a href="">)"),
              (std::vector<std::string>{"b.htm", "../i.png", "../help.css"}));
    EXPECT_EQ(link_target("/topics/a.htm", "b.htm"), "/topics/b.htm");
    EXPECT_EQ(link_target("/topics/a.htm", "../help.css"), "/help.css");
    EXPECT_EQ(link_target("/topics/a.htm", "./sub/../c.htm#part"), "/topics/c.htm");
    EXPECT_EQ(link_target("/topics/a.htm", "/images/x.png"), "/images/x.png");
    EXPECT_EQ(link_target("/a.htm", "../../b.htm"), "/b.htm");
    EXPECT_EQ(link_target("/topics/a.htm", "#part"), std::nullopt);
    EXPECT_EQ(link_target("/topics/a.htm", "https://example.org/x.htm"), std::nullopt);
    EXPECT_EQ(link_target("/topics/a.htm", "mailto:someone@example.org"), std::nullopt);
}

}  // namespace
}  // namespace humo::help
