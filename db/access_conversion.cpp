#include "access_conversion.h"

#include <filesystem>

#include "access_file.h"
#include "access_import.h"
#include "database_format.h"
#include "failure.h"
#include "file_in_place.h"

namespace humo::db {
namespace {

namespace fs = std::filesystem;

// The classic number for a database file that cannot be used in the format it is in.
constexpr int32_t kUnusableDatabase = 3343;

fs::path free_name_for_original(const fs::path& path) {
    fs::path candidate = path.string() + ".jet";
    for (int n = 2; fs::exists(candidate); ++n)
        candidate = path.string() + "." + std::to_string(n) + ".jet";
    return candidate;
}

// A copy of the original under its new name, complete on disk before the original is replaced.
void keep_original(const fs::path& original, const fs::path& kept) {
    files::copy_whole(original.string(), kept.string(), true);
    fs::last_write_time(kept, fs::last_write_time(original));
}

std::string thousands(long number) {
    std::string digits = std::to_string(number);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<size_t>(i), ",");
    return digits;
}

std::string message(const fs::path& path, const std::string& version, const ImportResult& result,
                    const fs::path& kept) {
    long rows = 0;
    for (const ImportedTable& table : result.tables)
        rows += table.rows;
    std::string text = path.filename().string() + " was an Access database (" + version + ")";
    text += result.own_tables ? " from an older installation. " : ". ";
    text += "It has been converted for this version of the program: " +
            thousands(static_cast<long>(result.tables.size())) + " tables, " + thousands(rows) +
            " rows.";
    if (!result.own_tables)
        text += " It does not hold all the default tables that the calculator needs.";
    return text + "\r\n\r\nThe original file is kept unchanged as " + kept.filename().string() +
           ".";
}

}  // namespace

std::optional<std::string> convert_access_database(const std::string& path) {
    if (database_format(path) != DatabaseFormat::kAccess)
        return std::nullopt;
    const fs::path original(path);
    const fs::path kept = free_name_for_original(original);
    const std::string version = access_version(path);
    bool kept_made = false;
    try {
        files::FileInPlace converted(path);
        ImportResult result;
        {
            AccessFile source(path);
            result = write_sqlite_copy(source, converted.temporary_path());
        }
        keep_original(original, kept);
        kept_made = true;
        converted.commit();
        return message(original, version, result, kept);
    } catch (const std::exception& error) {
        std::error_code ignored;
        if (kept_made)
            fs::remove(kept, ignored);
        throw Failure(kUnusableDatabase,
                      original.filename().string() +
                          " is an Access database from an older installation and could not be "
                          "converted: " +
                          error.what() + ". The file was left as it was.",
                      kRuntimeSource);
    }
}

}  // namespace humo::db
