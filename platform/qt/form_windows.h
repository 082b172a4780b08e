#pragma once

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <functional>

namespace humo::qt {

// The window system's close box asks the model, which decides whether and how the form
// unloads; the renderer then removes the window itself.
using CloseRequest = std::function<void()>;

// The frame window: a main window whose client area is the workspace of the child windows.
class FrameWindow : public QMainWindow {
public:
    explicit FrameWindow(CloseRequest close_request);
    QMdiArea* workspace() const { return workspace_; }
    // Grows the window so that a child of `size` fits into the workspace, as far as the
    // screen allows; beyond that the workspace scrolls.
    void make_room_for(const QSize& size);
    void allow_close() { close_allowed_ = true; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QMdiArea* workspace_;
    CloseRequest close_request_;
    bool close_allowed_ = false;
};

// A child window inside the frame.
class ChildWindow : public QMdiSubWindow {
public:
    explicit ChildWindow(CloseRequest close_request);
    void allow_close() { close_allowed_ = true; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CloseRequest close_request_;
    bool close_allowed_ = false;
};

// A form with a window of its own, outside the frame.
class TopLevelWindow : public QWidget {
public:
    explicit TopLevelWindow(CloseRequest close_request);
    void allow_close() { close_allowed_ = true; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CloseRequest close_request_;
    bool close_allowed_ = false;
};

}  // namespace humo::qt
