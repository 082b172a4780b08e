#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace humo::help {

// The objects of a compiled help file, read with chmlib. chmlib crashes on some damaged files,
// so the whole file is read at once in a child process: a file that makes it crash, or hang,
// is refused like any other damaged file, and the program goes on.
class ChmArchive {
public:
    // Nothing when the file cannot be read as a compiled help file.
    static std::unique_ptr<ChmArchive> open(const std::string& path);

    // Object paths are compared without regard to case, as the help system does.
    bool contains(const std::string& path) const;
    // The whole object, or nothing when it is missing or cannot be read in full.
    std::optional<std::string> read(const std::string& path) const;
    // The paths of the file's objects ("/topics/country.htm", "/#SYSTEM").
    std::vector<std::string> object_paths() const;

private:
    struct Object {
        std::string path;
        std::optional<std::string> data;
    };
    // Keyed by the path in lower case.
    std::map<std::string, Object> objects_;
};

}  // namespace humo::help
