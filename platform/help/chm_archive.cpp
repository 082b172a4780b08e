#include "chm_archive.h"

#include <chm_lib.h>

namespace humo::help {
namespace {

// No topic, picture or table of contents comes near this; a directory entry claiming more
// is damaged, and believing it would only exhaust memory.
constexpr LONGUINT64 kLargestObject = 64ull << 20;

int collect_path(chmFile*, chmUnitInfo* unit, void* context) {
    static_cast<std::vector<std::string>*>(context)->emplace_back(unit->path);
    return CHM_ENUMERATOR_CONTINUE;
}

}  // namespace

std::unique_ptr<ChmArchive> ChmArchive::open(const std::string& path) {
    chmFile* file = chm_open(path.c_str());
    if (!file)
        return nullptr;
    return std::unique_ptr<ChmArchive>(new ChmArchive(file));
}

ChmArchive::~ChmArchive() { chm_close(file_); }

bool ChmArchive::contains(const std::string& path) const {
    chmUnitInfo unit;
    return path.size() <= CHM_MAX_PATHLEN &&
           chm_resolve_object(file_, path.c_str(), &unit) == CHM_RESOLVE_SUCCESS;
}

std::optional<std::string> ChmArchive::read(const std::string& path) const {
    chmUnitInfo unit;
    if (path.size() > CHM_MAX_PATHLEN ||
        chm_resolve_object(file_, path.c_str(), &unit) != CHM_RESOLVE_SUCCESS ||
        unit.length > kLargestObject)
        return std::nullopt;
    std::string data(unit.length, '\0');
    if (unit.length == 0)
        return data;
    const LONGINT64 length = static_cast<LONGINT64>(unit.length);
    const LONGINT64 got =
        chm_retrieve_object(file_, &unit, reinterpret_cast<unsigned char*>(data.data()), 0, length);
    if (got != length)
        return std::nullopt;
    return data;
}

std::vector<std::string> ChmArchive::object_paths() const {
    std::vector<std::string> paths;
    chm_enumerate(file_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collect_path, &paths);
    return paths;
}

}  // namespace humo::help
