#pragma once

#include <QListWidget>

#include "control_view.h"
#include "list_box.h"

namespace humo::qt {

// A list box. Only real user selections (mouse, keyboard, or an assistive technology) reach
// the model; the view's own updates run with signals blocked.
class ListBoxView : public BoundView<QListWidget, forms::ListBox> {
public:
    ListBoxView(forms::ListBox& list, QWidget* parent);
    void sync() override;

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void user_selection_changed();
    void show_model_items();
    void show_model_selection();

    // The items as last shown, to tell cheaply whether the model's have changed.
    std::vector<std::string> shown_items_;
};

}  // namespace humo::qt
