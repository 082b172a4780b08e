// humo-mkdb: builds a humo_tool database.
//
//   humo-mkdb DATA_DIR OUTPUT           the default database from DATA_DIR/*.csv, replacing OUTPUT
//   humo-mkdb --keep-existing DATA_DIR OUTPUT
//                                       the same, only if OUTPUT does not exist yet, so values a
//                                       user edited survive a rebuild of the program
//   humo-mkdb --sql FILE OUTPUT         the empty tables plus the rows FILE inserts (fixtures)

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "default_database.h"

namespace {

int usage() {
    std::cerr << "usage: humo-mkdb [--keep-existing] DATA_DIR OUTPUT\n"
                 "       humo-mkdb --sql FILE OUTPUT\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string option = argc == 4 ? argv[1] : "";
    if (argc != 3 && !(argc == 4 && (option == "--keep-existing" || option == "--sql"))) {
        return usage();
    }
    const std::string source = argv[argc - 2];
    const std::string output = argv[argc - 1];
    if (option == "--keep-existing" && std::filesystem::exists(output))
        return 0;
    try {
        if (option == "--sql") {
            std::ifstream in(source);
            if (!in)
                throw std::runtime_error("cannot read " + source);
            std::stringstream sql;
            sql << in.rdbuf();
            humo::db::create_database(output, sql.str());
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
