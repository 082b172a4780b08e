// humo-mkdb: builds humo_tool.mdb from the default data.
//
//   humo-mkdb DATA_DIR OUTPUT           build OUTPUT, replacing it
//   humo-mkdb --keep-existing DATA_DIR OUTPUT
//                                       build OUTPUT only if it does not exist yet, so values a
//                                       user edited survive a rebuild of the program

#include <filesystem>
#include <iostream>
#include <string>

#include "default_database.h"

int main(int argc, char** argv) {
    bool keep_existing = false;
    int first = 1;
    if (argc > 1 && std::string(argv[1]) == "--keep-existing") {
        keep_existing = true;
        first = 2;
    }
    if (argc - first != 2) {
        std::cerr << "usage: humo-mkdb [--keep-existing] DATA_DIR OUTPUT\n";
        return 2;
    }
    const std::string data_directory = argv[first];
    const std::string output = argv[first + 1];
    if (keep_existing && std::filesystem::exists(output)) return 0;
    try {
        humo::db::create_default_database(output, data_directory);
    } catch (const std::exception& error) {
        std::cerr << "humo-mkdb: " << error.what() << "\n";
        return 1;
    }
    std::cout << "humo-mkdb: wrote " << output << "\n";
    return 0;
}
