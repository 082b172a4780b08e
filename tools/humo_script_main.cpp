// humo-script: runs the program headless from a scenario script.
//
//   humo-script [--dir DIR] [--database FILE] [--decimal-separator C] [SCRIPT]
//
// DIR is the program directory, where the database and the help file are looked up first; it
// defaults to the directory of this executable. FILE is a database to work on instead. Without
// SCRIPT the script is read from standard input. Each event (message box, beep, end of the program)
// is written as a line.

#include <QGuiApplication>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>

#include "file_locations.h"
#include "module1.h"
#include "program.h"
#include "recording_host.h"
#include "script.h"

namespace {

int usage() {
    std::cerr << "usage: humo-script [--dir DIR] [--database FILE] [--decimal-separator C] "
                 "[SCRIPT]\n";
    return 2;
}

std::string executable_directory() {
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : path.parent_path().string();
}

}  // namespace

int main(int argc, char** argv) {
    std::string directory = executable_directory();
    humo::numbers::DecimalSeparator separator;
    std::string script_path;
    std::optional<std::string> database;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--dir" && i + 1 < argc) {
            directory = argv[++i];
        } else if (argument == "--database" && i + 1 < argc) {
            database = argv[++i];
        } else if (argument == "--decimal-separator" && i + 1 < argc) {
            const std::string value = argv[++i];
            if (value.size() != 1)
                return usage();
            separator.character = value[0];
        } else if (!argument.empty() && argument[0] != '-' && script_path.empty()) {
            script_path = argument;
        } else {
            return usage();
        }
    }

    std::vector<humo::script::Command> commands;
    try {
        if (script_path.empty()) {
            commands = humo::script::parse_script(std::cin);
        } else {
            std::ifstream in(script_path);
            if (!in) {
                std::cerr << "humo-script: cannot read " << script_path << "\n";
                return 2;
            }
            commands = humo::script::parse_script(in);
        }
    } catch (const humo::script::ScriptError& error) {
        std::cerr << "humo-script: " << error.what() << "\n";
        return 2;
    }

    // A report is drawn with Qt's PDF writer, which needs a GUI application, without windows.
    std::optional<QGuiApplication> gui;
    if (humo::script::needs_gui(commands)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        gui.emplace(argc, argv);
    }

    const humo::db::FileLocations locations = humo::db::locate_files(directory, database);
    try {
        humo::db::make_user_copy(locations);
    } catch (const std::runtime_error& error) {
        std::cerr << "humo-script: " << error.what() << "\n";
        return 2;
    }
    humo::forms::RecordingHost host(locations, separator);
    host.write_events_to(std::cout);
    humo::forms::Program program(host, "humo_tool");
    humo::app::Module1 module(program);
    humo::script::run_script(commands, module, std::cout);
    return 0;
}
