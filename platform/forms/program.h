#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control.h"
#include "host.h"

namespace humo::forms {

class Form;

// Told about every form that opens, closes, repaints or moves its focus, and every What's
// This request; the Qt renderer builds and removes windows from it.
class ProgramObserver {
public:
    virtual ~ProgramObserver() = default;
    virtual void form_loaded(Form&) {}
    virtual void form_shown(Form&) {}
    virtual void form_unloaded(Form&) {}
    virtual void form_refreshed(Form&) {}
    virtual void focus_changed(Form&) {}
    virtual void whats_this_requested(Control&) {}
};

// Told when a user action starts and ends (only the outermost, when actions nest), and before
// a modal message box makes the user wait in the middle of one.
class ActionObserver {
public:
    virtual ~ActionObserver() = default;
    virtual void action_started() {}
    virtual void action_finished() {}
    virtual void modal_wait() {}
};

// Asked before the user ends the program, so that nothing typed is lost: a guard that cannot
// let the program end (a change it could not save) says why to the user and answers false.
class EndGuard {
public:
    virtual ~EndGuard() = default;
    virtual bool ready_to_end() = 0;
};

// The running program: its host, its loaded forms, and its end. It runs as long as any of its
// forms is loaded.
class Program {
public:
    Program(Host& host, std::string application_title);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Host& host() const { return host_; }
    const std::string& application_title() const { return application_title_; }
    void set_observer(ProgramObserver* observer) { observer_ = observer; }
    void add_action_observer(ActionObserver& observer);
    void remove_action_observer(ActionObserver& observer);
    // True while a user action runs, handlers included.
    bool in_user_action() const { return action_depth_ > 0; }

    // The frame that holds the child windows; loading a child loads and shows it too.
    Form* mdi_frame() const { return mdi_frame_; }
    void set_mdi_frame(Form& frame) { mdi_frame_ = &frame; }

    // The application's help file, as the calculator records it on loading.
    const std::string& help_file() const { return help_file_; }
    void set_help_file(std::string path) { help_file_ = std::move(path); }

    const std::vector<Form*>& loaded_forms() const { return loaded_forms_; }

    // A modal message box; without a title of its own it carries the application's title.
    MsgBoxResult msg_box(const std::string& text, MsgBoxButtons buttons = MsgBoxButtons::kOk,
                         MsgBoxIcon icon = MsgBoxIcon::kNone,
                         const std::optional<std::string>& title = std::nullopt);

    // Ends the program at once: windows close without their unload handlers.
    void end();
    bool ended() const { return ended_; }
    // Ends the program at the user's request, once every guard is ready; true when it ended.
    bool request_end();
    void add_end_guard(EndGuard& guard) { end_guards_.push_back(&guard); }
    void remove_end_guard(EndGuard& guard) { std::erase(end_guards_, &guard); }

    // Runs one user action. A failure that no handler trapped is shown as a run-time error
    // and ends the program, as an unhandled error does.
    Refusal run_user_action(const std::function<Refusal()>& action);

    // Keeps an unloaded form's instance until the running user action has returned: the form
    // may have been unloaded by one of its own handlers, which is still running.
    void retire(std::unique_ptr<Form> form);

private:
    friend class Control;
    friend class Form;

    void form_loaded(Form& form);
    void form_shown(Form& form);
    void form_unloaded(Form& form);
    void form_refreshed(Form& form);
    void focus_changed(Form& form);
    void whats_this_requested(Control& control);

    Host& host_;
    std::string application_title_;
    void end_of_outermost_action();

    ProgramObserver* observer_ = nullptr;
    std::vector<ActionObserver*> action_observers_;
    std::vector<EndGuard*> end_guards_;
    int action_depth_ = 0;
    std::vector<std::unique_ptr<Form>> retired_forms_;
    Form* mdi_frame_ = nullptr;
    std::string help_file_;
    std::vector<Form*> loaded_forms_;
    bool ended_ = false;
};

}  // namespace humo::forms
