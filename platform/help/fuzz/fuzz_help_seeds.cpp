// fuzz_help_seeds: writes seed inputs for fuzz_help_parsing from a real help file.
//
//   fuzz_help_seeds FILE.chm OUTPUT_DIR

#include <fstream>
#include <iostream>

#include "chm_archive.h"
#include "fuzz_input.h"

using namespace humo::help;

namespace {

void write_seed(const std::string& path, fuzz::Parser parser, const std::string& data) {
    std::ofstream(path, std::ios::binary) << static_cast<char>(parser) << data;
}

std::string le32(std::size_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: fuzz_help_seeds FILE.chm OUTPUT_DIR\n";
        return 2;
    }
    const auto archive = ChmArchive::open(argv[1]);
    if (!archive) {
        std::cerr << "fuzz_help_seeds: cannot read " << argv[1] << "\n";
        return 1;
    }
    const std::string out = argv[2];
    const std::string system = archive->read("/#SYSTEM").value_or("");
    const std::string ivb = archive->read("/#IVB").value_or("");
    const std::string strings = archive->read("/#STRINGS").value_or("");
    write_seed(out + "/system", fuzz::Parser::kSystemRecords, system);
    write_seed(out + "/context-map", fuzz::Parser::kContextMap, le32(ivb.size()) + ivb + strings);
    write_seed(out + "/name", fuzz::Parser::kTopicName, "/build/help/staging/topics/a.htm#x");
    for (const std::string& path : archive->object_paths()) {
        const std::string name = path.substr(path.rfind('/') + 1);
        if (path.ends_with(".hhc"))
            write_seed(out + "/sitemap", fuzz::Parser::kSitemap, archive->read(path).value_or(""));
        else if (path.ends_with(".htm"))
            write_seed(out + "/links-" + name, fuzz::Parser::kTopicLinks,
                       archive->read(path).value_or(""));
    }
    return 0;
}
