#include "qt_renderer.h"

#include <QTimer>
#include <QVBoxLayout>
#include <QWhatsThis>

#include "twips.h"

namespace humo::qt {

QtRenderer::QtRenderer(forms::Program& program) : program_(program) {
    program_.set_observer(this);
    program_.add_action_observer(*this);
}

QtRenderer::~QtRenderer() {
    program_.set_observer(nullptr);
    program_.remove_action_observer(*this);
    for (auto& [form, window] : windows_) {
        if (window.view)
            window.view->detach();
    }
    for (auto& [form, window] : windows_) {
        if (window.top_level)
            delete window.window;
    }
    delete frame_window_;
}

FormView* QtRenderer::view_of(const forms::Form& form) const {
    auto found = windows_.find(&form);
    return found == windows_.end() ? nullptr : found->second.view;
}

QWidget* QtRenderer::window_of(const forms::Form& form) const {
    auto found = windows_.find(&form);
    return found == windows_.end() ? nullptr : found->second.window;
}

void QtRenderer::close_requested(forms::Form& form) {
    if (program_.ended())
        return;
    // What is still being typed into a cell belongs to the row the closing form writes.
    if (FormView* view = view_of(form))
        view->commit_open_editors();
    form.user_close();
}

void QtRenderer::form_loaded(forms::Form& form) {
    const QString caption = QString::fromStdString(form.caption());
    auto close_request = [this, &form] { close_requested(form); };
    Window window;
    switch (form.style()) {
        case forms::FormStyle::kMdiFrame: {
            frame_window_ = new FrameWindow(close_request);
            frame_window_->setObjectName(QString::fromStdString(form.name()));
            frame_window_->setWindowTitle(caption);
            frame_window_->resize(pixel_size(form.client_size()));
            window.window = frame_window_;
            break;
        }
        case forms::FormStyle::kMdiChild:
            if (frame_window_) {
                auto* child = new ChildWindow(close_request);
                window.view = new FormView(form, sync_queue_);
                child->setWidget(window.view);
                child->setWindowTitle(caption);
                child->setObjectName(QString::fromStdString(form.name()) + "Window");
                frame_window_->workspace()->addSubWindow(child);
                child->setFixedSize(child->sizeHint());
                child->hide();
                window.window = child;
                break;
            }
            [[fallthrough]];
        case forms::FormStyle::kTopLevel: {
            auto* top = new TopLevelWindow(close_request);
            window.view = new FormView(form, sync_queue_, top);
            top->setWindowTitle(caption);
            top->setObjectName(QString::fromStdString(form.name()) + "Window");
            if (form.border_style() == forms::BorderStyle::kSizable) {
                auto* layout = new QVBoxLayout(top);
                layout->setContentsMargins(0, 0, 0, 0);
                layout->addWidget(window.view);
                top->resize(window.view->size());
            } else {
                if (form.border_style() == forms::BorderStyle::kFixedDialog)
                    top->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
                top->setFixedSize(window.view->size());
            }
            window.window = top;
            window.top_level = true;
            break;
        }
    }
    windows_[&form] = window;
}

void QtRenderer::form_shown(forms::Form& form) {
    auto found = windows_.find(&form);
    if (found == windows_.end())
        return;
    QWidget* window = found->second.window;
    if (auto* child = dynamic_cast<ChildWindow*>(window)) {
        frame_window_->make_room_for(child->size());
        child->move(0, 0);
    }
    window->show();
    window->raise();
    window->activateWindow();
    if (auto* child = dynamic_cast<ChildWindow*>(window)) {
        frame_window_->workspace()->setActiveSubWindow(child);
    }
    if (found->second.view)
        found->second.view->show_model_focus();
}

void QtRenderer::form_unloaded(forms::Form& form) {
    auto found = windows_.find(&form);
    if (found == windows_.end())
        return;
    Window window = found->second;
    windows_.erase(found);
    if (window.view)
        window.view->detach();
    if (auto* child = dynamic_cast<ChildWindow*>(window.window))
        child->allow_close();
    if (auto* top = dynamic_cast<TopLevelWindow*>(window.window))
        top->allow_close();
    if (window.window == frame_window_) {
        frame_window_->allow_close();
        frame_window_ = nullptr;
    }
    window.window->hide();
    // Later: the unload may run inside a handler of one of this window's own widgets.
    window.window->deleteLater();
}

void QtRenderer::form_refreshed(forms::Form& form) {
    if (QWidget* window = window_of(form))
        window->repaint();
}

void QtRenderer::focus_changed(forms::Form& form) {
    if (FormView* view = view_of(form))
        view->show_model_focus();
}

void QtRenderer::whats_this_requested(forms::Control& control) {
    FormView* view = view_of(control.form());
    QWidget* widget = view ? view->widget_for(control) : nullptr;
    if (!widget || control.whats_this().empty())
        return;
    QWhatsThis::showText(widget->mapToGlobal(widget->rect().center()),
                         QString::fromStdString(control.whats_this()), widget);
}

}  // namespace humo::qt
