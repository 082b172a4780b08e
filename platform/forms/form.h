#pragma once

#include <string>
#include <vector>

#include "appearance.h"
#include "control.h"

namespace humo::forms {

class Program;

enum class FormStyle { kMdiFrame, kMdiChild, kTopLevel };
enum class BorderStyle { kFixedSingle, kSizable, kFixedDialog };

// A window of the program. Each form exists once; load() runs Form_Load once, show() makes it
// visible (loading it and, for a child window, the frame first), unload() runs Form_Unload and
// closes it.
class Form {
public:
    Form(Program& program, std::string name, std::string caption, Size client_size,
         FormStyle style);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Program& program() const { return program_; }
    const std::string& name() const { return name_; }
    const std::string& caption() const { return caption_; }
    Size client_size() const { return client_size_; }
    // Gives the form a new client size: bottom-aligned panels follow, then Form_Resize runs.
    void resize(Size client_size);
    FormStyle style() const { return style_; }
    BorderStyle border_style() const { return border_style_; }
    void set_border_style(BorderStyle style) { border_style_ = style; }
    bool key_preview() const { return key_preview_; }
    void set_key_preview(bool on) { key_preview_ = on; }

    bool loaded() const { return loaded_; }
    // True once the form has been unloaded after a load: its instance state is spent.
    bool spent() const { return spent_; }
    bool visible() const { return visible_; }
    void load();
    // Opens the form, loading it first; showing a form that is open brings it forward.
    void show();
    // Runs Form_Unload and closes the form, unless the handler cancels; true when it closed.
    bool unload();
    void refresh();

    const std::vector<Control*>& controls() const { return controls_; }
    Control* control(std::string_view name) const;

    // Tab order, first to last; controls not named here never take the focus by Tab.
    void set_tab_order(std::vector<Control*> order) { tab_order_ = std::move(order); }
    const std::vector<Control*>& tab_order() const { return tab_order_; }
    Control* active_control() const { return active_control_; }

    // User actions on the form. A key the form's handler consumed sets `consumed`: the control
    // with the focus does not act on it again.
    Refusal user_key_down(int key_code, int shift, bool* consumed = nullptr);
    Refusal user_key_up(int key_code, int shift);
    Refusal user_close();
    Refusal user_resize(Size client_size);

protected:
    virtual void Form_Load() {}
    // Setting `cancel` keeps the form open.
    virtual void Form_Unload(bool& /*cancel*/) {}
    virtual void Form_Resize() {}
    // Setting `key_code` to 0 consumes the key.
    virtual void Form_KeyDown(int& /*key_code*/, int /*shift*/) {}
    virtual void Form_KeyUp(int /*key_code*/, int /*shift*/) {}

private:
    friend class Control;

    void add_control(Control& control) { controls_.push_back(&control); }
    void take_focus(Control* control);
    void focus_first_control();
    // The control after `from` in tab order that can take the focus, or nullptr.
    Control* next_in_tab_order(const Control* from) const;
    void control_disabled(Control& control);
    void align_bottom_panels();

    Program& program_;
    std::string name_;
    std::string caption_;
    Size client_size_;
    FormStyle style_;
    BorderStyle border_style_ = BorderStyle::kFixedSingle;
    bool key_preview_ = false;
    bool loaded_ = false;
    bool spent_ = false;
    bool unloading_ = false;
    bool visible_ = false;
    std::vector<Control*> controls_;
    std::vector<Control*> tab_order_;
    Control* active_control_ = nullptr;
};

}  // namespace humo::forms
