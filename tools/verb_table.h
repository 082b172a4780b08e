#pragma once

#include <ostream>
#include <string_view>
#include <vector>

#include "control.h"
#include "script.h"

namespace humo::forms {
class Form;
}

namespace humo::script {

// What one word after a verb may be.
enum class ArgKind {
    kForm,           // FORM
    kControl,        // FORM.CONTROL
    kFormOrControl,  // FORM | FORM.CONTROL
    kWholeNumber,    // 12
    kText,           // "TEXT", a JSON string
    kOptionalText,   // "TEXT" or nothing, last only
    kTextOrIndex,    // "TEXT" | #N
    kWord,           // a fixed word, such as row
};

struct Arg {
    Arg(ArgKind kind, std::string_view name = {}) : kind(kind), name(name) {}
    ArgKind kind;
    // The fixed word, or what a whole number is called in messages (N, COL).
    std::string_view name;
};

inline Arg word(std::string_view fixed) { return {ArgKind::kWord, fixed}; }
inline Arg number(std::string_view called) { return {ArgKind::kWholeNumber, called}; }

// What a verb's handler works on: the program, where its lines go, and the command's target
// (found and loaded) and arguments.
struct Call {
    app::Module1& module;
    std::ostream& out;
    forms::Form* form;        // null when the verb takes no target
    forms::Control* control;  // null when the command names a form only
    const std::vector<Argument>& arguments;
};

using Handler = forms::Refusal (*)(const Call& call);

// One shape of a verb and what it does. A verb with several shapes has a row for each, with
// the same target.
struct Verb {
    std::string_view name;
    // The words after the verb; a target, if any, comes first.
    std::vector<Arg> shape;
    Handler handler;
    // The verb draws with Qt.
    bool needs_gui = false;
};

const std::vector<Verb>& verbs();

}  // namespace humo::script
