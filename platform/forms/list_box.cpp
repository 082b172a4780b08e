#include "list_box.h"

#include <algorithm>

#include "failure.h"
#include "form.h"
#include "program.h"

namespace humo::forms {
namespace {

Failure invalid_property_value() { return {380, "Invalid property value", kRuntimeSource}; }

}  // namespace

void ListBox::clear() {
    items_.clear();
    index_ = -1;
    notify({ChangeKind::kItemsCleared});
}

void ListBox::add_item(std::string item) {
    items_.push_back(std::move(item));
    notify({ChangeKind::kItemAdded, list_count() - 1});
}

const std::string& ListBox::text() const {
    static const std::string nothing_selected;
    return index_ >= 0 ? items_[index_] : nothing_selected;
}

void ListBox::set_list_index(int index) {
    if (index == index_)
        return;
    if (index < -1 || index >= list_count())
        throw invalid_property_value();
    if (index == -1) {
        index_ = -1;
        notify({ChangeKind::kSelection, -1});
        return;
    }
    select(index);
}

void ListBox::set_selected(int index, bool selected) {
    if (index < 0 || index >= list_count())
        throw invalid_property_value();
    if (selected) {
        set_list_index(index);
    } else if (index == index_) {
        set_list_index(-1);
    }
}

void ListBox::set_text(std::string_view text) {
    if (text.empty()) {
        set_list_index(-1);
        return;
    }
    auto found = std::find(items_.begin(), items_.end(), text);
    if (found != items_.end())
        set_list_index(static_cast<int>(found - items_.begin()));
}

void ListBox::select(int index) {
    index_ = index;
    notify({ChangeKind::kSelection, index});
    // Last statement: the handler may clear or refill this very list.
    if (Click)
        Click();
}

Refusal ListBox::user_select(int index) {
    return form().program().run_user_action([this, index]() -> Refusal {
        if (auto refusal = user_refusal())
            return refusal;
        if (index < 0 || index >= list_count())
            return "no such item";
        set_focus();
        set_list_index(index);
        return std::nullopt;
    });
}

}  // namespace humo::forms
