// libFuzzer target: the help engine's parsers of the data inside a help file, one chosen by
// the input's first byte (fuzz_input.h).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "context_map.h"
#include "fuzz_input.h"
#include "sitemap.h"
#include "system_records.h"
#include "topic_links.h"
#include "topic_names.h"

using namespace humo::help;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string_view data(reinterpret_cast<const char*>(bytes) + 1, size - 1);
    switch (static_cast<fuzz::Parser>(bytes[0] % 5)) {
        case fuzz::Parser::kSystemRecords:
            parse_system_records(data);
            break;
        case fuzz::Parser::kContextMap: {
            if (data.size() < 4)
                break;
            const std::size_t length =
                std::min<std::size_t>(little_endian(data, 0, 4), data.size() - 4);
            parse_context_map(data.substr(4, length), data.substr(4 + length));
            break;
        }
        case fuzz::Parser::kSitemap:
            parse_sitemap(data);
            break;
        case fuzz::Parser::kTopicLinks:
            for (const std::string& link : links_in(data))
                link_target("/topics/a.htm", link);
            break;
        case fuzz::Parser::kTopicName:
            resolve_topic_name(data, [](const std::string& path) {
                return path == "/topics/a.htm" || path.size() % 7 == 3;
            });
            break;
    }
    return 0;
}
