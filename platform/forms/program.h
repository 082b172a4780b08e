#pragma once

#include <functional>
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

// The running program: its host, its loaded forms, and its end. It runs as long as any of its
// forms is loaded.
class Program {
public:
    Program(Host& host, std::string application_title);

    Host& host() const { return host_; }
    const std::string& application_title() const { return application_title_; }
    void set_observer(ProgramObserver* observer) { observer_ = observer; }

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

    // Runs one user action. A failure that no handler trapped is shown as a run-time error
    // and ends the program, as an unhandled error does.
    Refusal run_user_action(const std::function<Refusal()>& action);

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
    ProgramObserver* observer_ = nullptr;
    Form* mdi_frame_ = nullptr;
    std::string help_file_;
    std::vector<Form*> loaded_forms_;
    bool ended_ = false;
};

}  // namespace humo::forms
