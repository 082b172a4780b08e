#pragma once

#include <map>

#include "form.h"
#include "form_view.h"
#include "form_windows.h"
#include "program.h"

namespace humo::qt {

// Turns the program's forms into windows: the frame as a main window with a workspace, child
// forms as windows inside it, other forms as windows of their own. No form has widget code of
// its own; every window is built from its form's controls.
class QtRenderer : public forms::ProgramObserver, public forms::ActionObserver {
public:
    explicit QtRenderer(forms::Program& program);
    ~QtRenderer() override;

    FrameWindow* frame_window() const { return frame_window_; }
    FormView* view_of(const forms::Form& form) const;
    // The window a form lives in: the frame, a child window or a top-level window.
    QWidget* window_of(const forms::Form& form) const;

    void form_loaded(forms::Form& form) override;
    void form_shown(forms::Form& form) override;
    void form_unloaded(forms::Form& form) override;
    void form_refreshed(forms::Form& form) override;
    void focus_changed(forms::Form& form) override;
    // Shows the control's What's This note beside it.
    void whats_this_requested(forms::Control& control) override;

    // The widgets follow the model once per user action, and before a message box.
    void action_finished() override { sync_queue_.flush(); }
    void modal_wait() override { sync_queue_.flush(); }

private:
    struct Window {
        FormView* view = nullptr;
        QWidget* window = nullptr;
        // A window of its own, not owned by the frame.
        bool top_level = false;
    };
    void close_requested(forms::Form& form);

    forms::Program& program_;
    SyncQueue sync_queue_{program_};
    FrameWindow* frame_window_ = nullptr;
    std::map<const forms::Form*, Window> windows_;
};

}  // namespace humo::qt
