#pragma once

#include <ostream>
#include <string>

#include "control.h"
#include "script.h"

namespace humo::script {

// The script commands on the calculator's results and on batches, which do what the frame's
// menu does:
//   report "PATH"        writes the report PDF of the calculation shown
//   copy-results         prints: clipboard <the clipboard text as a JSON string>
//   batch "IN" "OUT"     runs a scenario file and prints: batch <summary line>
bool is_results_verb(const std::string& verb);
// How many quoted texts the verb takes.
size_t results_verb_texts(const std::string& verb);
// The report command writes a PDF, which needs a QGuiApplication in the running program.
bool needs_gui(const std::vector<Command>& commands);
forms::Refusal run_results_command(const Command& command, app::Module1& module, std::ostream& out);

}  // namespace humo::script
