#include "script.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "command_button.h"
#include "data_grid.h"
#include "editions.h"
#include "form.h"
#include "json_text.h"
#include "list_box.h"
#include "module1.h"
#include "program.h"
#include "results_commands.h"
#include "text_box.h"

namespace humo::script {
namespace {

// What each verb takes after its target.
enum class Shape {
    kNothing,        // start, forms
    kOptionalText,   // restore-defaults: ["TEXT"]
    kControl,        // click, focus, dblclick: FORM.CONTROL
    kControlChoice,  // select: FORM.CONTROL "TEXT" | #N
    kControlText,    // type: FORM.CONTROL "TEXT"
    kControlInt,     // mouseup: FORM.CONTROL BUTTON
    kFormTwoInts,    // keydown, keyup: FORM CODE SHIFT
    kForm,           // close: FORM
    kFormOrControl,  // dump: FORM | FORM.CONTROL
    kGrid,           // grid: FORM row N | FORM edit COL "TEXT"
    kTexts,          // report "PATH", copy-results, batch "IN" "OUT"
};

const std::map<std::string, Shape>& verbs() {
    static const std::map<std::string, Shape> table = {
        {"start", Shape::kNothing},
        {"forms", Shape::kNothing},
        {"click", Shape::kControl},
        {"focus", Shape::kControl},
        {"dblclick", Shape::kControl},
        {"select", Shape::kControlChoice},
        {"type", Shape::kControlText},
        {"mouseup", Shape::kControlInt},
        {"keydown", Shape::kFormTwoInts},
        {"keyup", Shape::kFormTwoInts},
        {"close", Shape::kForm},
        {"dump", Shape::kFormOrControl},
        {"grid", Shape::kGrid},
        {"report", Shape::kTexts},
        {"copy-results", Shape::kTexts},
        {"batch", Shape::kTexts},
        {"restore-defaults", Shape::kOptionalText},
    };
    return table;
}

struct Token {
    std::string value;
    bool quoted = false;
};

std::vector<Token> tokenize(std::string_view line, int line_number) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        if (line[i] == '"') {
            size_t length = 0;
            auto text = json::unquote(line.substr(i), length);
            if (!text) {
                throw ScriptError("line " + std::to_string(line_number) +
                                  ": malformed JSON string");
            }
            tokens.push_back({*text, true});
            i += length;
            continue;
        }
        size_t end = line.find_first_of(" \t\r", i);
        if (end == std::string_view::npos)
            end = line.size();
        tokens.push_back({std::string(line.substr(i, end - i)), false});
        i = end;
    }
    return tokens;
}

bool is_integer(const std::string& word) {
    int value = 0;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size();
}

int to_int(const std::string& word) {
    int value = 0;
    std::from_chars(word.data(), word.data() + word.size(), value);
    return value;
}

Command parse_line(const std::vector<Token>& tokens, int line_number) {
    auto fail = [line_number](const std::string& why) {
        return ScriptError("line " + std::to_string(line_number) + ": " + why);
    };
    Command command;
    command.line = line_number;
    command.verb = tokens[0].value;
    auto shape_entry = verbs().find(command.verb);
    if (tokens[0].quoted || shape_entry == verbs().end()) {
        throw fail("unknown command '" + tokens[0].value + "'");
    }
    const Shape shape = shape_entry->second;
    std::vector<Token> rest(tokens.begin() + 1, tokens.end());

    if (shape == Shape::kNothing) {
        if (!rest.empty())
            throw fail(command.verb + " takes no arguments");
        return command;
    }
    if (shape == Shape::kOptionalText) {
        if (rest.size() > 1 || (rest.size() == 1 && !rest[0].quoted))
            throw fail(command.verb + " takes at most one quoted text");
        if (!rest.empty())
            command.words.push_back(rest[0].value);
        return command;
    }
    if (shape == Shape::kTexts) {
        const size_t wanted = results_verb_texts(command.verb);
        if (rest.size() != wanted ||
            std::any_of(rest.begin(), rest.end(), [](const Token& t) { return !t.quoted; })) {
            throw fail(wanted == 0 ? command.verb + " takes no arguments"
                                   : command.verb + " needs " + std::to_string(wanted) +
                                         " \"TEXT\" argument" + (wanted == 1 ? "" : "s"));
        }
        for (const Token& token : rest)
            command.words.push_back(token.value);
        return command;
    }
    if (rest.empty() || rest[0].quoted)
        throw fail(command.verb + " needs a form or control");
    const std::string target = rest[0].value;
    const size_t dot = target.find('.');
    const bool wants_control = shape == Shape::kControl || shape == Shape::kControlChoice ||
                               shape == Shape::kControlText || shape == Shape::kControlInt;
    const bool wants_form =
        shape == Shape::kForm || shape == Shape::kFormTwoInts || shape == Shape::kGrid;
    if (dot == std::string::npos) {
        if (wants_control)
            throw fail(command.verb + " needs FORM.CONTROL");
        command.form = target;
    } else {
        if (wants_form)
            throw fail(command.verb + " needs a form, not a control");
        command.form = target.substr(0, dot);
        command.control = target.substr(dot + 1);
        if (command.form.empty() || command.control.empty()) {
            throw fail("malformed target '" + target + "'");
        }
    }
    rest.erase(rest.begin());

    auto words_only = [&](size_t count) {
        if (rest.size() != count)
            throw fail(command.verb + ": wrong number of arguments");
        for (const Token& token : rest) {
            if (token.quoted || !is_integer(token.value)) {
                throw fail(command.verb + ": expected a whole number, got '" + token.value + "'");
            }
            command.words.push_back(token.value);
        }
    };

    switch (shape) {
        case Shape::kControl:
        case Shape::kForm:
        case Shape::kFormOrControl:
            if (!rest.empty())
                throw fail(command.verb + ": unexpected arguments");
            break;
        case Shape::kControlChoice:
            if (rest.size() != 1)
                throw fail("select needs \"TEXT\" or #N");
            if (rest[0].quoted) {
                command.text = rest[0].value;
            } else if (rest[0].value.size() > 1 && rest[0].value[0] == '#' &&
                       is_integer(rest[0].value.substr(1))) {
                command.words.push_back(rest[0].value.substr(1));
            } else {
                throw fail("select needs \"TEXT\" or #N");
            }
            break;
        case Shape::kControlText:
            if (rest.size() != 1 || !rest[0].quoted)
                throw fail("type needs \"TEXT\"");
            command.text = rest[0].value;
            break;
        case Shape::kControlInt:
            words_only(1);
            break;
        case Shape::kFormTwoInts:
            words_only(2);
            break;
        case Shape::kGrid:
            if (rest.size() == 2 && !rest[0].quoted && rest[0].value == "row" && !rest[1].quoted &&
                is_integer(rest[1].value)) {
                command.words = {"row", rest[1].value};
            } else if (rest.size() == 3 && !rest[0].quoted && rest[0].value == "edit" &&
                       !rest[1].quoted && is_integer(rest[1].value) && rest[2].quoted) {
                command.words = {"edit", rest[1].value};
                command.text = rest[2].value;
            } else {
                throw fail("grid needs 'row N' or 'edit COL \"TEXT\"'");
            }
            break;
        case Shape::kNothing:
        case Shape::kOptionalText:
        case Shape::kTexts:
            break;
    }
    return command;
}

const char* kind_name(forms::ControlKind kind) {
    switch (kind) {
        case forms::ControlKind::kList:
            return "list";
        case forms::ControlKind::kTextBox:
            return "textbox";
        case forms::ControlKind::kLabel:
            return "label";
        case forms::ControlKind::kButton:
            return "button";
        case forms::ControlKind::kFrame:
            return "frame";
        case forms::ControlKind::kLine:
            return "line";
        case forms::ControlKind::kPicture:
            return "picture";
        case forms::ControlKind::kGrid:
            return "grid";
    }
    return "?";
}

std::string dump_line(const forms::Form& form, const forms::Control& control) {
    std::string line = form.name() + "." + control.name() + " kind=" + kind_name(control.kind()) +
                       " enabled=" + (control.enabled() ? "1" : "0") +
                       " visible=" + (control.visible() ? "1" : "0") +
                       " text=" + json::quote(control.text());
    if (auto* list = dynamic_cast<const forms::ListBox*>(&control)) {
        line +=
            " index=" + std::to_string(list->list_index()) + " items=" + json::array(list->items());
    }
    if (auto* grid = dynamic_cast<const forms::DataGrid*>(&control)) {
        // The current row counted from 1, as the status bar counts it; 0 when there is none.
        line += " position=" + std::to_string(grid->current_row() + 1) + " rows=[";
        for (long row = 0; row < grid->row_count(); ++row) {
            std::vector<std::string> cells;
            for (int column = 0; column < grid->column_count(); ++column)
                cells.push_back(grid->cell_text(row, column));
            line += (row ? "," : "") + json::array(cells);
        }
        line += "]";
    }
    return line;
}

// Runs the commands and, with no windows to show it, writes each What's This request as a line.
class Runner : public forms::ProgramObserver {
public:
    Runner(app::Module1& module, std::ostream& out) : module_(module), out_(out) {
        program().set_observer(this);
    }
    ~Runner() override { program().set_observer(nullptr); }

    void whats_this_requested(forms::Control& control) override {
        out_ << "whatsthis " << control.form().name() << "." << control.name() << "\n";
    }

    void run(const Command& command) {
        forms::Refusal refusal = execute(command);
        if (refusal)
            out_ << "refused " << *refusal << "\n";
    }

private:
    forms::Program& program() { return module_.program(); }

    forms::Form* loaded_form(const std::string& name) {
        for (forms::Form* form : program().loaded_forms()) {
            if (form->name() == name)
                return form;
        }
        return nullptr;
    }

    forms::Refusal execute(const Command& c) {
        if (c.verb == "start") {
            module_.Main();
            return std::nullopt;
        }
        if (c.verb == "forms") {
            for (forms::Form* form : program().loaded_forms()) {
                out_ << "form " << form->name() << " visible=" << (form->visible() ? 1 : 0)
                     << " caption=" << json::quote(form->caption()) << "\n";
            }
            return std::nullopt;
        }
        if (c.verb == "restore-defaults") {
            std::optional<std::string> edition;
            if (!c.words.empty()) {
                if (!db::find_edition(c.words[0]))
                    return "unknown edition \"" + c.words[0] + "\"; the editions are " +
                           db::edition_ids();
                edition = c.words[0];
            }
            const std::optional<std::string> backup = module_.restore_defaults(edition);
            if (!backup)
                return "defaults not restored";
            out_ << "restored " << *backup << "\n";
            return std::nullopt;
        }
        if (is_results_verb(c.verb))
            return run_results_command(c, module_, out_);
        forms::Form* form = loaded_form(c.form);
        if (!form)
            return "form not loaded";
        if (c.verb == "grid")
            return execute_on_grid(c, *form);
        if (c.control.empty())
            return execute_on_form(c, *form);
        forms::Control* control = form->control(c.control);
        if (!control)
            return "no such control";
        return execute_on_control(c, *form, *control);
    }

    // grid FORM row N (from 1) | grid FORM edit COLUMN "TEXT" (from 0, in the current row)
    static forms::Refusal execute_on_grid(const Command& c, forms::Form& form) {
        forms::DataGrid* grid = nullptr;
        for (forms::Control* control : form.controls()) {
            if (!grid)
                grid = dynamic_cast<forms::DataGrid*>(control);
        }
        if (!grid)
            return "no grid";
        if (c.words[0] == "row")
            return grid->user_select_row(to_int(c.words[1]) - 1);
        return grid->user_edit(to_int(c.words[1]), *c.text);
    }

    forms::Refusal execute_on_form(const Command& c, forms::Form& form) {
        if (c.verb == "close")
            return form.user_close();
        if (c.verb == "keydown")
            return form.user_key_down(to_int(c.words[0]), to_int(c.words[1]));
        if (c.verb == "keyup")
            return form.user_key_up(to_int(c.words[0]), to_int(c.words[1]));
        // dump FORM
        for (const forms::Control* control : form.controls()) {
            out_ << dump_line(form, *control) << "\n";
        }
        return std::nullopt;
    }

    forms::Refusal execute_on_control(const Command& c, forms::Form& form,
                                      forms::Control& control) {
        if (c.verb == "dump") {
            out_ << dump_line(form, control) << "\n";
            return std::nullopt;
        }
        if (c.verb == "focus")
            return control.user_focus();
        if (c.verb == "dblclick")
            return control.user_double_click();
        if (c.verb == "mouseup")
            return control.user_mouse_up(to_int(c.words[0]), 0);
        if (c.verb == "click") {
            auto* button = dynamic_cast<forms::CommandButton*>(&control);
            if (!button)
                return "not a button";
            return button->user_click();
        }
        if (c.verb == "type") {
            auto* box = dynamic_cast<forms::TextBox*>(&control);
            if (!box)
                return "not a text box";
            return box->user_type(*c.text);
        }
        // select
        auto* list = dynamic_cast<forms::ListBox*>(&control);
        if (!list)
            return "not a list";
        if (!c.text)
            return list->user_select(to_int(c.words[0]));
        const auto& items = list->items();
        for (size_t i = 0; i < items.size(); ++i) {
            if (items[i] == *c.text)
                return list->user_select(static_cast<int>(i));
        }
        return "no such item";
    }

    app::Module1& module_;
    std::ostream& out_;
};

}  // namespace

std::vector<Command> parse_script(std::istream& in) {
    std::vector<Command> commands;
    std::string line;
    int line_number = 0;
    while (std::getline(in, line)) {
        ++line_number;
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        commands.push_back(parse_line(tokenize(line, line_number), line_number));
    }
    return commands;
}

void run_script(const std::vector<Command>& commands, app::Module1& module, std::ostream& out) {
    Runner runner(module, out);
    for (const Command& command : commands) {
        if (module.program().ended())
            break;
        runner.run(command);
        out.flush();
    }
}

}  // namespace humo::script
