// libFuzzer target: a whole help file, read as the help viewer reads it. Seed it with a real
// compiled help file.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "help_file.h"
#include "topic_links.h"

using namespace humo::help;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    // chmlib reads from a named file; an in-memory one spares the disk.
    const int fd = memfd_create("help", 0);
    if (fd < 0)
        return 0;
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n = write(fd, bytes + written, size - written);
        if (n <= 0)
            break;
        written += static_cast<std::size_t>(n);
    }
    const Outcome<HelpFile> opened = HelpFile::open("/proc/self/fd/" + std::to_string(fd));
    if (opened.ok()) {
        const HelpFile& file = opened.value();
        if (const auto topic = file.default_topic(); topic.ok())
            file.read(topic.value().substr(0, topic.value().find('#')));
        for (std::uint32_t number = 1000; number <= 1009; ++number)
            file.topic_for_context(number);
        for (const ContentsEntry& entry : file.contents())
            file.resolve(entry.local);
        broken_links(file);
    }
    close(fd);
    return 0;
}
