#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "control.h"

namespace humo::forms {

// An ordered, never sorted list of text items with at most one selected item.
//
// Whenever the selection changes, by the user or by the program, Click runs at once, inside
// the call that changed it, and the call returns after it. Re-selecting the selected item,
// clearing, or setting the text "" runs nothing. Handlers may re-enter the list, so no member
// touches the items after invoking Click.
class ListBox : public Control {
public:
    ListBox(Form& form, std::string name, Rect rect)
        : Control(form, std::move(name), ControlKind::kList, rect) {}

    void clear();
    void add_item(std::string item);
    int list_count() const { return static_cast<int>(items_.size()); }
    const std::string& item(int index) const { return items_.at(index); }
    const std::vector<std::string>& items() const { return items_; }

    // The selected index, -1 when nothing is selected.
    int list_index() const { return index_; }
    // Selects item `index` (-1 clears the selection without running Click).
    void set_list_index(int index);
    // Marks an item selected or not; marking the selected item unselected clears the selection.
    void set_selected(int index, bool selected);
    bool selected(int index) const { return index == index_ && index >= 0; }

    // The selected item's text, "" when none.
    const std::string& text() const override;
    // Selects the first item equal to `text`; "" clears the selection; a text that no item has
    // leaves the selection unchanged.
    void set_text(std::string_view text);

    bool focusable_kind() const override { return true; }

    std::function<void()> Click;

    // The user picks item `index`: the list takes the focus, then the selection changes.
    Refusal user_select(int index);

private:
    void select(int index);

    std::vector<std::string> items_;
    int index_ = -1;
};

}  // namespace humo::forms
