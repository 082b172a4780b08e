// humo-dbcheck: checks a humo_tool database for everything the calculator relies on, and
// converts Access databases of older installations.
//
//   humo-dbcheck [[--database] FILE]       check FILE (default: the database the tool opens)
//   humo-dbcheck --import FILE.mdb OUT     write the Access database FILE.mdb as SQLite to OUT
//
// Exit status: 0 when the database is sound (or the import worked), 1 when the check found
// something, 2 when a file cannot be read or written or the command line is wrong.

#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>

#include "access_import.h"
#include "database_check.h"
#include "database_format.h"
#include "file_locations.h"

namespace {

namespace fs = std::filesystem;

constexpr int kClean = 0;
constexpr int kFindings = 1;
constexpr int kUnusable = 2;

const char* const kUsage =
    "usage: humo-dbcheck [[--database] FILE]\n"
    "       humo-dbcheck --import FILE.mdb OUT.sqlite\n"
    "\n"
    "Checks a humo_tool database (default: the one humo_tool opens: the database beside this\n"
    "program, else your own copy in ~/.local/share/humo_tool) for everything the calculator\n"
    "relies on and prints one line per finding, grouped and counted. An Access database is\n"
    "checked through a converted copy; the file itself is not changed.\n"
    "\n"
    "--import converts an Access (Jet) database to a new SQLite file OUT.sqlite, which must not\n"
    "exist yet.\n"
    "\n"
    "Exit status: 0 sound, 1 findings, 2 a file cannot be read or written.\n";

// The database the tool itself would open.
std::string default_database() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return humo::db::locate_files((error ? fs::current_path() : program.parent_path()).string(),
                                  std::nullopt)
        .database;
}

long total_rows(const humo::db::ImportResult& result) {
    long rows = 0;
    for (const auto& table : result.tables)
        rows += table.rows;
    return rows;
}

int import(const std::string& source, const std::string& output) {
    if (humo::db::database_format(source) != humo::db::DatabaseFormat::kAccess) {
        std::cerr << "humo-dbcheck: " << source << " is not an Access database\n";
        return kUnusable;
    }
    if (fs::exists(output)) {
        std::cerr << "humo-dbcheck: " << output << " exists already; nothing was written\n";
        return kUnusable;
    }
    try {
        const auto result = humo::db::import_access_database(source, output);
        std::cout << "Wrote " << output << " from " << source << " ("
                  << humo::db::access_version(source) << "): " << result.tables.size()
                  << " tables, " << total_rows(result) << " rows"
                  << (result.own_tables ? ", the tool's tables in the current schema" : "")
                  << ".\n";
        for (const auto& table : result.tables)
            std::cout << "  " << table.name << ": " << table.rows << " rows\n";
        return kClean;
    } catch (const std::exception& error) {
        std::cerr << "humo-dbcheck: " << error.what() << "; nothing was written\n";
        return kUnusable;
    }
}

// An Access file is checked through a converted copy in a temporary directory.
class CheckedCopy {
public:
    explicit CheckedCopy(const std::string& access_path) {
        std::string pattern = (fs::temp_directory_path() / "humo-dbcheck-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary directory");
        directory_ = pattern;
        path_ = (directory_ / "humo_tool.sqlite").string();
        humo::db::import_access_database(access_path, path_);
    }
    ~CheckedCopy() {
        std::error_code ignored;
        fs::remove_all(directory_, ignored);
    }
    const std::string& path() const { return path_; }

private:
    fs::path directory_;
    std::string path_;
};

int check(const std::string& path) {
    std::cout << "Checking " << path << "\n";
    try {
        switch (humo::db::database_format(path)) {
            case humo::db::DatabaseFormat::kMissing:
                std::cerr << "humo-dbcheck: " << path << " cannot be read\n";
                return kUnusable;
            case humo::db::DatabaseFormat::kAccess: {
                std::cout << "It is an Access database (" << humo::db::access_version(path)
                          << "): checking a converted copy; the file is not changed.\n";
                CheckedCopy copy(path);
                const auto findings = humo::db::check_database(copy.path());
                std::cout << humo::db::format_report(findings);
                return findings.empty() ? kClean : kFindings;
            }
            default: {
                const auto findings = humo::db::check_database(path);
                std::cout << humo::db::format_report(findings);
                return findings.empty() ? kClean : kFindings;
            }
        }
    } catch (const std::exception& error) {
        std::cerr << "humo-dbcheck: " << error.what() << "\n";
        return kUnusable;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "--help" || first == "-h") {
        std::cout << kUsage;
        return kClean;
    }
    if (first == "--import" && argc == 4)
        return import(argv[2], argv[3]);
    if (first == "--database" && argc == 3)
        return check(argv[2]);
    if (argc > 2 || (!first.empty() && first[0] == '-')) {
        std::cerr << kUsage;
        return kUnusable;
    }
    return check(argc == 2 ? first : default_database());
}
