#pragma once

#include <QCloseEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <functional>

namespace humo::qt {

// The window system's close box asks the model, which decides whether and how the form
// unloads; the renderer then allows the close and removes the window itself.
using CloseRequest = std::function<void()>;

template <class Window>
class ModelClosedWindow : public Window {
public:
    explicit ModelClosedWindow(CloseRequest close_request)
        : close_request_(std::move(close_request)) {}
    void allow_close() { close_allowed_ = true; }

protected:
    void closeEvent(QCloseEvent* event) override {
        if (close_allowed_) {
            event->accept();
            return;
        }
        event->ignore();
        close_request_();
    }

private:
    CloseRequest close_request_;
    bool close_allowed_ = false;
};

// The frame window: a main window whose client area is the workspace of the child windows.
class FrameWindow : public ModelClosedWindow<QMainWindow> {
public:
    explicit FrameWindow(CloseRequest close_request);
    QMdiArea* workspace() const { return workspace_; }
    // Grows the window so that a child of `size` fits into the workspace, as far as the
    // screen allows; beyond that the workspace scrolls.
    void make_room_for(const QSize& size);

private:
    QMdiArea* workspace_;
};

// A child window inside the frame.
class ChildWindow : public ModelClosedWindow<QMdiSubWindow> {
public:
    explicit ChildWindow(CloseRequest close_request);
};

// A form with a window of its own, outside the frame.
using TopLevelWindow = ModelClosedWindow<QWidget>;

}  // namespace humo::qt
