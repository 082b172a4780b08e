#pragma once

#include <QWidget>
#include <map>
#include <vector>

#include "control_view.h"
#include "form.h"

namespace humo::qt {

// The client area of one form: a widget per control, placed as the model says, with the
// form's tab order. Focus, keys and mouse releases on any of its widgets go to the model.
class FormView : public QWidget {
public:
    // Changes made during a user action reach the widgets through `queue`.
    FormView(forms::Form& form, SyncQueue& queue, QWidget* parent = nullptr);

    forms::Form* form() const { return form_; }
    QWidget* widget_for(const forms::Control& control) const;
    // Stops every widget from touching the model; called when the form unloads.
    void detach();
    // Moves the keyboard focus to the model's active control.
    void show_model_focus();
    // Hands text still being typed into a grid cell to the grid, before the form closes.
    void commit_open_editors();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* create_view(forms::Control& control, QWidget* parent);
    void watch(QObject* target, forms::Control* control);

    forms::Form* form_;
    SyncQueue& queue_;
    std::map<const forms::Control*, QWidget*> widgets_;
    std::vector<ControlView*> views_;
    std::vector<class GridView*> grids_;
    // The widgets (and list viewports) whose events belong to a control.
    std::map<QObject*, forms::Control*> targets_;
};

}  // namespace humo::qt
