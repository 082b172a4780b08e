#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace humo::app {
class Module1;
}

namespace humo::script {

struct Verb;

// A word after a command's target, read as the verb's shape says: a text, a whole number, or
// for "TEXT" | #N one of the two.
struct Argument {
    std::optional<std::string> text;
    int number = 0;
};

// One line of a scenario script.
struct Command {
    int line = 0;
    const Verb* verb = nullptr;
    std::string form;                 // empty when the verb takes no target
    std::string control;              // empty when the command names a form only
    std::vector<Argument> arguments;  // what follows the target, fixed words left out
};

// A script line that cannot be read; the message names the line.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a whole script before anything runs, so a malformed script does nothing.
std::vector<Command> parse_script(std::istream& in);

// Some commands draw with Qt (a PDF), which needs a QGuiApplication in the running program.
bool needs_gui(const std::vector<Command>& commands);

// Runs commands against the program as a user would, writing one line per event to `out`.
// Stops at the end of the program.
void run_script(const std::vector<Command>& commands, app::Module1& module, std::ostream& out);

}  // namespace humo::script
