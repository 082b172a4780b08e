// humo-mkdb: builds a humo_tool database.
//
//   humo-mkdb DATA_DIR OUTPUT           the tables from DATA_DIR/*.csv, replacing OUTPUT
//   humo-mkdb --edition ID DATA_DIR OUTPUT
//                                       the pristine database of an edition of the defaults,
//                                       assembled from the data folder DATA_DIR
//   humo-mkdb --keep-existing [--edition ID] DATA_DIR OUTPUT
//                                       the same, only if OUTPUT does not exist yet, so values a
//                                       user edited survive a rebuild of the program
//   humo-mkdb --sql FILE OUTPUT         the empty tables plus the rows FILE inserts (fixtures)

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "default_database.h"
#include "editions.h"

namespace {

int usage() {
    std::cerr << "usage: humo-mkdb [--keep-existing] [--edition ID] DATA_DIR OUTPUT\n"
                 "       humo-mkdb --sql FILE OUTPUT\n"
                 "editions: "
              << humo::db::edition_ids() << "\n";
    return 2;
}

void create_from_sql(const std::string& file, const std::string& output) {
    std::ifstream in(file);
    if (!in)
        throw std::runtime_error("cannot read " + file);
    std::stringstream sql;
    sql << in.rdbuf();
    humo::db::create_database(output, sql.str());
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    bool keep_existing = false;
    bool from_sql = false;
    const humo::db::Edition* edition = nullptr;
    size_t i = 0;
    for (; i < arguments.size() && arguments[i].starts_with("--"); ++i) {
        if (arguments[i] == "--keep-existing") {
            keep_existing = true;
        } else if (arguments[i] == "--sql") {
            from_sql = true;
        } else if (arguments[i] == "--edition" && i + 1 < arguments.size()) {
            edition = humo::db::find_edition(arguments[++i]);
            if (!edition) {
                std::cerr << "humo-mkdb: no edition " << arguments[i] << "\n";
                return usage();
            }
        } else {
            return usage();
        }
    }
    if (arguments.size() - i != 2 || (from_sql && (keep_existing || edition)))
        return usage();
    const std::string& source = arguments[i];
    const std::string& output = arguments[i + 1];
    if (keep_existing && std::filesystem::exists(output))
        return 0;
    try {
        if (from_sql) {
            create_from_sql(source, output);
        } else if (edition) {
            humo::db::create_edition_database(output, source, *edition);
        } else {
            humo::db::create_default_database(output, source);
        }
    } catch (const std::exception& error) {
        std::cerr << "humo-mkdb: " << error.what() << "\n";
        return 1;
    }
    std::cout << "humo-mkdb: wrote " << output << "\n";
    return 0;
}
