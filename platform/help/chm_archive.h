#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct chmFile;

namespace humo::help {

// The objects of a compiled help file, through chmlib.
class ChmArchive {
public:
    // Nothing when the file cannot be read as a compiled help file.
    static std::unique_ptr<ChmArchive> open(const std::string& path);
    ~ChmArchive();
    ChmArchive(const ChmArchive&) = delete;
    ChmArchive& operator=(const ChmArchive&) = delete;

    bool contains(const std::string& path) const;
    // The whole object, or nothing when it is missing or cannot be read in full.
    std::optional<std::string> read(const std::string& path) const;
    // The paths of the file's own objects ("/topics/country.htm"), without its internal ones.
    std::vector<std::string> object_paths() const;

private:
    explicit ChmArchive(chmFile* file) : file_(file) {}

    chmFile* file_;
};

}  // namespace humo::help
