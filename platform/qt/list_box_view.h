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

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void model_changed(forms::Change change);
    void user_selection_changed();
    void show_model_selection();
};

}  // namespace humo::qt
