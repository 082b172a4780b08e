// humo-helpcheck: checks a compiled help file before it ships.
//
//   humo-helpcheck FILE CONTEXT_NUMBER...
//
// The file must have a default topic, a topic for each context number given, and every topic
// its table of contents and its links name. Each fault is printed; the exit status is 1 when
// there is one, 0 when there is none.

#include <charconv>
#include <iostream>

#include "help_file.h"
#include "topic_links.h"

namespace {

int faults = 0;

void fault(const std::string& text) {
    std::cerr << "humo-helpcheck: " << text << "\n";
    ++faults;
}

// The topic must be in the file and readable in full.
void check_topic(const humo::help::HelpFile& file, const humo::help::Outcome<std::string>& topic) {
    if (!topic.ok()) {
        fault(topic.error().message);
        return;
    }
    const std::string path = topic.value().substr(0, topic.value().find('#'));
    if (!file.read(path))
        fault("The help file " + file.path() + " cannot read its topic " + path + ".");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: humo-helpcheck FILE CONTEXT_NUMBER...\n";
        return 2;
    }
    const auto opened = humo::help::HelpFile::open(argv[1]);
    if (!opened.ok()) {
        fault(opened.error().message);
        return 1;
    }
    const humo::help::HelpFile& file = opened.value();
    check_topic(file, file.default_topic());
    for (int i = 2; i < argc; ++i) {
        const std::string_view word = argv[i];
        std::uint32_t number = 0;
        auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
        if (error != std::errc() || end != word.data() + word.size()) {
            std::cerr << "humo-helpcheck: not a context number: " << word << "\n";
            return 2;
        }
        check_topic(file, file.topic_for_context(number));
    }
    if (file.contents().empty())
        fault("The help file " + file.path() + " has no table of contents.");
    for (const humo::help::ContentsEntry& entry : file.contents()) {
        if (entry.local.empty())
            continue;
        if (auto topic = file.resolve(entry.local))
            check_topic(file, *topic);
        else
            fault("The contents line \"" + entry.name + "\" names " + entry.local +
                  ", which is not in the help file.");
    }
    for (const std::string& link : humo::help::broken_links(file))
        fault("A link leads nowhere: " + link + ".");
    return faults == 0 ? 0 : 1;
}
