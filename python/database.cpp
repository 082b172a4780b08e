#include "database.h"

#include <dlfcn.h>

#include <filesystem>

#include "database_choice.h"
#include "edition_in_use.h"
#include "file_locations.h"

namespace humo::python {
namespace {

namespace fs = std::filesystem;

// In a build tree or a portable copy the module sits beside the programs and their files;
// installed, it sits among the system's Python packages, and the programs in their own folder.
std::string program_directory() {
    Dl_info module{};
    if (::dladdr(reinterpret_cast<void*>(&program_directory), &module) == 0 || !module.dli_fname)
        return fs::current_path().string();
    const fs::path beside = fs::absolute(module.dli_fname).parent_path();
    if (fs::exists(db::defaults_file(beside.string())))
        return beside.string();
    return (beside / HUMO_PROGRAMS_FROM_MODULE).lexically_normal().string();
}

numbers::DecimalSeparator separator_of(const std::string& text) {
    if (!numbers::can_separate_decimals(text)) {
        throw std::invalid_argument(
            "the decimal separator must be one character that cannot be part of a number, such "
            "as . or ,");
    }
    return {text[0]};
}

}  // namespace

std::unique_ptr<Database> open_database(const std::optional<std::string>& database,
                                        const std::optional<std::string>& edition,
                                        const std::string& decimal_separator) {
    if (database && edition)
        throw std::invalid_argument("database and edition name two databases; give one");
    const numbers::DecimalSeparator separator = separator_of(decimal_separator);
    auto opened = std::make_unique<Database>();
    try {
        opened->path = db::choose_database(program_directory(), database, edition);
        opened->tables = engine::load_memory_tables(opened->path, separator);
    } catch (const std::runtime_error& error) {
        throw DatabaseUnusable(error.what());
    }
    if (const std::optional<db::EditionInUse> recorded = db::edition_in_use(opened->path))
        opened->edition = recorded->title;
    opened->calculator.emplace(opened->tables);
    return opened;
}

}  // namespace humo::python
