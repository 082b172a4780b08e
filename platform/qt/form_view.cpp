#include "form_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <set>
#include <QTimer>

#include "button_view.h"
#include "frame_view.h"
#include "grid_view.h"
#include "key_codes.h"
#include "label_view.h"
#include "line_view.h"
#include "list_box_view.h"
#include "picture_view.h"
#include "program.h"
#include "text_box_view.h"
#include "twips.h"

namespace humo::qt {

FormView::FormView(forms::Form& form, SyncQueue& queue, QWidget* parent)
    : QWidget(parent), form_(&form), queue_(queue) {
    setObjectName(QString::fromStdString(form.name()));
    // A form that can be sized follows its window; the others keep their designed size.
    if (form.border_style() == forms::BorderStyle::kSizable &&
        form.style() != forms::FormStyle::kMdiFrame) {
        resize(pixel_size(form.client_size()));
        setMinimumSize(1, 1);
    } else {
        setFixedSize(pixel_size(form.client_size()));
    }
    setAccessibleName(QString::fromStdString(form.caption()));
    watch(this, nullptr);

    // Lines lie beneath everything; frames and panels exist before the controls they contain.
    std::set<const forms::Control*> containers;
    for (const forms::Control* control : form.controls()) {
        if (control->container())
            containers.insert(control->container());
    }
    auto is_line = [](const forms::Control* c) { return c->kind() == forms::ControlKind::kLine; };
    auto is_container = [&containers](const forms::Control* c) { return containers.count(c) > 0; };
    for (auto pass : {0, 1, 2}) {
        for (forms::Control* control : form.controls()) {
            const bool wanted = pass == 0   ? is_line(control)
                                : pass == 1 ? is_container(control)
                                            : !is_line(control) && !is_container(control);
            if (!wanted)
                continue;
            QWidget* parent_widget =
                control->container() ? widgets_.at(control->container()) : this;
            widgets_[control] = create_view(*control, parent_widget);
        }
    }

    QWidget* previous = nullptr;
    for (const forms::Control* control : form.tab_order()) {
        QWidget* widget = widget_for(*control);
        if (previous && widget)
            QWidget::setTabOrder(previous, widget);
        if (widget)
            previous = widget;
    }
}

QWidget* FormView::create_view(forms::Control& control, QWidget* parent) {
    QWidget* widget = nullptr;
    ControlView* view = nullptr;
    auto make = [&](auto* created) {
        widget = created;
        view = created;
    };
    switch (control.kind()) {
        case forms::ControlKind::kList:
            make(new ListBoxView(static_cast<forms::ListBox&>(control), parent));
            watch(static_cast<ListBoxView*>(widget)->viewport(), &control);
            break;
        case forms::ControlKind::kTextBox:
            make(new TextBoxView(static_cast<forms::TextBox&>(control), parent));
            break;
        case forms::ControlKind::kLabel:
            make(new LabelView(static_cast<forms::Label&>(control), parent));
            break;
        case forms::ControlKind::kButton:
            make(new ButtonView(static_cast<forms::CommandButton&>(control), parent));
            break;
        case forms::ControlKind::kFrame:
            make(new FrameView(static_cast<forms::Frame&>(control), parent));
            break;
        case forms::ControlKind::kLine:
            make(new LineView(static_cast<forms::Line&>(control), parent));
            break;
        case forms::ControlKind::kPicture:
            make(new PictureView(static_cast<forms::PictureBox&>(control), parent));
            break;
        case forms::ControlKind::kGrid:
            make(new GridView(static_cast<forms::DataGrid&>(control), parent));
            grids_.push_back(static_cast<GridView*>(widget));
            watch(static_cast<GridView*>(widget)->viewport(), &control);
            break;
    }
    if (!widget)
        return nullptr;
    view->set_sync_queue(&queue_);
    views_.push_back(view);
    watch(widget, &control);
    if (control.focusable_kind()) {
        widget->setFocusPolicy(Qt::StrongFocus);
    }
    return widget;
}

void FormView::watch(QObject* target, forms::Control* control) {
    targets_[target] = control;
    target->installEventFilter(this);
}

QWidget* FormView::widget_for(const forms::Control& control) const {
    auto found = widgets_.find(&control);
    return found == widgets_.end() ? nullptr : found->second;
}

void FormView::commit_open_editors() {
    for (GridView* grid : grids_)
        grid->commit_open_editor();
}

void FormView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The user sized a window of a form that can be sized; a fixed one never changes.
    if (form_ && form_->border_style() == forms::BorderStyle::kSizable && !form_->program().ended())
        form_->user_resize(twips_size(event->size()));
}

void FormView::detach() {
    for (ControlView* view : views_)
        view->detach();
    form_ = nullptr;
}

void FormView::show_model_focus() {
    if (!form_ || !form_->active_control())
        return;
    QWidget* widget = widget_for(*form_->active_control());
    if (widget && !widget->hasFocus())
        widget->setFocus(Qt::OtherFocusReason);
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
    if (!form_ || form_->program().ended())
        return false;
    auto target = targets_.find(watched);
    if (target == targets_.end())
        return false;
    forms::Control* control = target->second;

    switch (event->type()) {
        case QEvent::FocusIn:
            if (!control || control->has_focus())
                break;
            // Only the left button moves the focus: a right-click asks for help on the control
            // that has the focus, not on itself.
            if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason &&
                !(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
                QTimer::singleShot(0, this, [this] { show_model_focus(); });
                break;
            }
            control->user_focus();
            break;
        case QEvent::MouseButtonPress:
            // Nor does another button select a list item.
            return control && static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton;
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            // Only where the key arrived, not again as it travels up to the parents.
            QWidget* focus = QApplication::focusWidget();
            const bool arrived_here = watched == focus || (watched == this && !control &&
                                                           (!focus || !isAncestorOf(focus)));
            auto* key = static_cast<QKeyEvent*>(event);
            if (!arrived_here)
                break;
            const int code = virtual_key_code(key->key());
            const int shift = shift_state(key->modifiers());
            if (event->type() == QEvent::KeyPress) {
                bool consumed = false;
                form_->user_key_down(code, shift, &consumed);
                // The form acted on the key: the control must not act on it again.
                return consumed;
            }
            if (!key->isAutoRepeat())
                form_->user_key_up(code, shift);
            break;
        }
        case QEvent::MouseButtonRelease:
            if (control) {
                auto* mouse = static_cast<QMouseEvent*>(event);
                control->user_mouse_up(mouse_button_code(mouse->button()),
                                       shift_state(mouse->modifiers()));
            }
            break;
        case QEvent::MouseButtonDblClick:
            if (!control || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
                return control != nullptr;
            control->user_double_click();
            break;
        default:
            break;
    }
    return false;
}

}  // namespace humo::qt
