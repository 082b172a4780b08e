#include "help_file.h"

#include <filesystem>

#include "topic_names.h"

namespace humo::help {

Outcome<HelpFile> HelpFile::open(const std::string& path) {
    std::error_code ignored;
    const auto status = std::filesystem::status(path, ignored);
    if (!std::filesystem::exists(status)) {
        return HelpError{HelpErrorKind::kMissingFile, "The help file " + path + " does not exist."};
    }
    std::shared_ptr<ChmArchive> archive;
    if (std::filesystem::is_regular_file(status))
        archive = ChmArchive::open(path);
    if (!archive) {
        return HelpError{HelpErrorKind::kNotHelpFile,
                         "The help file " + path +
                             " cannot be read: it is not a compiled help file, or it is damaged."};
    }
    HelpFile file(path, archive);
    // Its own data reads as the first topic would: a reader that stops on it finds no more.
    if (archive->stopped()) {
        return HelpError{HelpErrorKind::kNotHelpFile,
                         "The help file " + path + " cannot be read: it is damaged."};
    }
    return file;
}

HelpFile::HelpFile(std::string path, std::shared_ptr<ChmArchive> archive)
    : path_(std::move(path)), archive_(std::move(archive)) {
    // Without its system data a file has no default topic, title or contents; its context
    // numbers may still work.
    system_ = parse_system_records(archive_->read("/#SYSTEM").value_or(""));
    title_ = system_.title.value_or("");
    const std::optional<std::string> ivb = archive_->read("/#IVB");
    const std::optional<std::string> strings = archive_->read("/#STRINGS");
    context_map_ = parse_context_map(ivb.value_or(""), strings.value_or(""));
    if (archive_->contains("/#IVB") && !ivb)
        context_map_.damaged = true;
    contents_ = read_contents(system_.contents_file);
}

// `what` completes "The help file PATH ...".
HelpError HelpFile::error(HelpErrorKind kind, const std::string& what) const {
    return HelpError{kind, "The help file " + path_ + " " + what + "."};
}

std::optional<std::string> HelpFile::resolve(const std::string& name) const {
    return resolve_topic_name(name, [this](const std::string& path) { return contains(path); });
}

Outcome<std::string> HelpFile::default_topic() const {
    if (!system_.default_topic && system_.damaged)
        return error(HelpErrorKind::kDamaged, "is damaged: its system data cannot be read");
    if (!system_.default_topic)
        return error(HelpErrorKind::kNoDefaultTopic, "names no default topic");
    if (auto topic = resolve(*system_.default_topic))
        return *topic;
    return error(HelpErrorKind::kMissingTopic,
                 "names the default topic " + *system_.default_topic + ", but does not contain it");
}

Outcome<std::string> HelpFile::topic_for_context(std::uint32_t number) const {
    const std::string number_text = std::to_string(number);
    auto found = context_map_.names.find(number);
    if (found == context_map_.names.end()) {
        if (context_map_.damaged) {
            return error(HelpErrorKind::kDamaged,
                         "is damaged: its map of context numbers cannot be read, so context "
                         "number " +
                             number_text + " cannot be looked up");
        }
        return error(HelpErrorKind::kUnknownContext,
                     "has no topic for context number " + number_text);
    }
    if (auto topic = resolve(found->second))
        return *topic;
    return error(HelpErrorKind::kMissingTopic, "names the topic " + found->second +
                                                   " for context number " + number_text +
                                                   ", but does not contain it");
}

std::vector<ContentsEntry> HelpFile::read_contents(const std::optional<std::string>& named) const {
    const std::optional<std::string> path = named ? resolve(*named) : std::nullopt;
    const std::optional<std::string> text = path ? archive_->read(*path) : std::nullopt;
    return text ? parse_sitemap(*text) : std::vector<ContentsEntry>{};
}

}  // namespace humo::help
