#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "appearance.h"

namespace humo::forms {

class Form;
class Frame;

enum class ControlKind { kList, kTextBox, kLabel, kButton, kFrame, kLine, kPicture, kGrid };

// What changed in a control, for the views that mirror it.
enum class ChangeKind {
    kText,
    kEnabled,
    kVisible,
    kItemAdded,
    kItemsCleared,
    kSelection,
    kRefresh,
    kGeometry,
    // A data grid's rows, current row or one cell; `row` and `column` say which.
    kRows,
    kCurrentRow,
    kCell,
};

struct ControlChange {
    ChangeKind kind;
    int row = -1;
    int column = -1;
};

using ChangeListener = std::function<void(const ControlChange&)>;

// Why a user action could not happen; empty when it happened.
using Refusal = std::optional<std::string>;

// A control owned by a form. Controls register with their form when constructed, so a form's
// control list is in declaration order.
class Control {
public:
    Control(Form& form, std::string name, ControlKind kind, Rect rect);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    ControlKind kind() const { return kind_; }
    Form& form() const { return form_; }
    const Rect& rect() const { return rect_; }

    void set_rect(Rect rect);

    // The frame or panel a control sits in; its position is then relative to it, and it can
    // only be used while its container can.
    Control* container() const { return container_; }
    void set_container(Control& container) { container_ = &container; }
    // Enabled and visible, and so is every container it sits in.
    bool usable() const;

    bool enabled() const { return enabled_; }
    void set_enabled(bool enabled);
    bool visible() const { return visible_; }
    void set_visible(bool visible);

    int help_context_id() const { return help_context_id_; }
    void set_help_context_id(int id) { help_context_id_ = id; }
    // The short note the window system shows when asked for the control's What's This help.
    const std::string& whats_this() const { return whats_this_; }
    void set_whats_this(std::string text) { whats_this_ = std::move(text); }
    // Asks the window system to show the What's This help of the control.
    void show_whats_this();
    const std::optional<Rgb>& fore_colour() const { return fore_colour_; }
    void set_fore_colour(Rgb colour) { fore_colour_ = colour; }
    const std::optional<Rgb>& back_colour() const { return back_colour_; }
    void set_back_colour(Rgb colour) { back_colour_ = colour; }
    const Font& font() const { return font_; }
    void set_font(Font font) { font_ = std::move(font); }
    // The name a screen reader announces: a button's caption, or the caption of the label
    // that names a list or box.
    const std::string& accessible_name() const { return accessible_name_; }
    void set_accessible_name(std::string name) { accessible_name_ = std::move(name); }

    // The text a user reads in the control: a caption, a box's text, a list's selection. A
    // reference to the control's own state: copy it to keep it across a change.
    virtual const std::string& text() const;
    virtual bool focusable_kind() const { return false; }
    // Enabled and visible on a loaded form, and of a kind that takes the keyboard focus.
    bool can_take_focus() const;
    // Gives the control the keyboard focus; a control that cannot take it keeps things as
    // they are.
    void set_focus();
    bool has_focus() const;
    // Repaints the control at once; the state does not change.
    void refresh() { notify({ChangeKind::kRefresh}); }

    // Views of the control are told after every change, in the order they started listening.
    int add_listener(ChangeListener listener);
    void remove_listener(int id);

    // Event handlers the form's code assigns.
    std::function<void(int button, int shift)> MouseUp;
    std::function<void()> DblClick;

    // User actions on the control.
    Refusal user_focus();
    Refusal user_mouse_up(int button, int shift);
    Refusal user_double_click();

protected:
    void notify(const ControlChange& change) const;
    // Why the user cannot act on this control now; empty when they can.
    Refusal user_refusal() const;

private:
    Form& form_;
    std::string name_;
    ControlKind kind_;
    Rect rect_;
    Control* container_ = nullptr;
    bool enabled_ = true;
    bool visible_ = true;
    int help_context_id_ = 0;
    std::string whats_this_;
    std::optional<Rgb> fore_colour_;
    std::optional<Rgb> back_colour_;
    Font font_;
    std::string accessible_name_;
    std::vector<std::pair<int, ChangeListener>> listeners_;
    int next_listener_id_ = 0;
};

// Enables or disables controls that go together, such as a box with its caption and unit.
inline void set_enabled(std::initializer_list<Control*> controls, bool enabled) {
    for (Control* control : controls)
        control->set_enabled(enabled);
}

}  // namespace humo::forms
