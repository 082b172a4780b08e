#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace humo::app {
class Module1;
}

namespace humo::script {

// One line of a scenario script.
struct Command {
    int line = 0;
    std::string verb;
    std::string form;
    std::string control;              // empty when the command names a form only
    std::vector<std::string> words;   // plain arguments after the target
    std::optional<std::string> text;  // the JSON string argument, decoded
};

// A script line that cannot be read; the message names the line.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a whole script before anything runs, so a malformed script does nothing.
std::vector<Command> parse_script(std::istream& in);

// Runs commands against the program as a user would, writing one line per event to `out`.
// Stops at the end of the program.
void run_script(const std::vector<Command>& commands, app::Module1& module, std::ostream& out);

}  // namespace humo::script
