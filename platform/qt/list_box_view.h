#pragma once

#include <QListWidget>

#include "control_view.h"
#include "list_box.h"

namespace humo::qt {

// A list box. Only real user selections (mouse, keyboard, or an assistive technology) reach
// the model; the view's own updates run with signals blocked.
class ListBoxView : public QListWidget, public ControlView {
public:
    ListBoxView(forms::ListBox& list, QWidget* parent);

    forms::Control* control() const override { return list_; }
    void detach() override;

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void model_changed(forms::Change change);
    void user_selection_changed();
    void show_model_selection();

    forms::ListBox* list_;
};

}  // namespace humo::qt
