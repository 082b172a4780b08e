#include <algorithm>

#include "form.h"
#include "module1.h"
#include "program.h"
#include "script.h"
#include "verb_table.h"

namespace humo::script {
namespace {

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

    forms::Refusal execute(const Command& command) {
        forms::Form* form = nullptr;
        forms::Control* control = nullptr;
        if (!command.form.empty()) {
            form = loaded_form(command.form);
            if (!form)
                return "form not loaded";
        }
        if (!command.control.empty()) {
            control = form->control(command.control);
            if (!control)
                return "no such control";
        }
        return command.verb->handler({module_, out_, form, control, command.arguments});
    }

    app::Module1& module_;
    std::ostream& out_;
};

}  // namespace

bool needs_gui(const std::vector<Command>& commands) {
    return std::any_of(commands.begin(), commands.end(),
                       [](const Command& command) { return command.verb->needs_gui; });
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
