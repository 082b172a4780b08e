#include "form_windows.h"

#include <QCloseEvent>
#include <QScreen>

namespace humo::qt {
namespace {

void route_close(QCloseEvent* event, bool close_allowed, const CloseRequest& close_request) {
    if (close_allowed) {
        event->accept();
        return;
    }
    event->ignore();
    close_request();
}

}  // namespace

FrameWindow::FrameWindow(CloseRequest close_request)
    : workspace_(new QMdiArea(this)), close_request_(std::move(close_request)) {
    workspace_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    workspace_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    workspace_->setObjectName("workspace");
    setCentralWidget(workspace_);
}

void FrameWindow::make_room_for(const QSize& size) {
    const QSize viewport = workspace_->viewport()->size();
    const QSize extra(std::max(0, size.width() - viewport.width()),
                      std::max(0, size.height() - viewport.height()));
    if (extra.isEmpty() && extra.width() == 0 && extra.height() == 0)
        return;
    QSize wanted = this->size() + extra;
    if (QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        const QSize decoration = frameGeometry().size() - this->size();
        wanted = wanted.boundedTo(available.size() - decoration);
    }
    resize(wanted);
}

void FrameWindow::closeEvent(QCloseEvent* event) {
    route_close(event, close_allowed_, close_request_);
}

ChildWindow::ChildWindow(CloseRequest close_request) : close_request_(std::move(close_request)) {
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void ChildWindow::closeEvent(QCloseEvent* event) {
    route_close(event, close_allowed_, close_request_);
}

TopLevelWindow::TopLevelWindow(CloseRequest close_request)
    : close_request_(std::move(close_request)) {}

void TopLevelWindow::closeEvent(QCloseEvent* event) {
    route_close(event, close_allowed_, close_request_);
}

}  // namespace humo::qt
