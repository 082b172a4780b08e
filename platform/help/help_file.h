#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chm_archive.h"
#include "context_map.h"
#include "help_error.h"
#include "sitemap.h"
#include "system_records.h"

namespace humo::help {

// An open compiled HTML help file (.chm): its default topic, the topics of its context
// numbers, its table of contents and the objects its topics show. Topics are object paths
// inside the file, "/topics/country.htm", with a "#fragment" when the file names one.
class HelpFile {
public:
    static Outcome<HelpFile> open(const std::string& path);

    const std::string& path() const { return path_; }
    // The title the file gives itself; empty when it has none.
    const std::string& title() const { return title_; }

    Outcome<std::string> default_topic() const;
    Outcome<std::string> topic_for_context(std::uint32_t number) const;
    // The table of contents; empty when the file has none.
    const std::vector<ContentsEntry>& contents() const { return contents_; }
    // The object a name in the file stands for ("topics\\a.htm", "/build/dir/topics/a.htm").
    std::optional<std::string> resolve(const std::string& name) const;

    bool contains(const std::string& object_path) const { return archive_->contains(object_path); }
    // A damaged part of the file stopped its reader: nothing more can be read from it.
    bool unreadable() const { return archive_->stopped(); }
    std::optional<std::string> read(const std::string& object_path) const {
        return archive_->read(object_path);
    }
    std::vector<std::string> object_paths() const { return archive_->object_paths(); }

private:
    HelpFile(std::string path, std::shared_ptr<ChmArchive> archive);
    HelpError error(HelpErrorKind kind, const std::string& what) const;
    std::vector<ContentsEntry> read_contents(const std::optional<std::string>& named) const;

    std::string path_;
    std::shared_ptr<ChmArchive> archive_;
    SystemRecords system_;
    ContextMap context_map_;
    std::string title_;
    std::vector<ContentsEntry> contents_;
};

}  // namespace humo::help
