#include "form_windows.h"

#include <QScreen>

namespace humo::qt {

FrameWindow::FrameWindow(CloseRequest close_request)
    : ModelClosedWindow(std::move(close_request)), workspace_(new QMdiArea(this)) {
    workspace_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    workspace_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    workspace_->setObjectName("workspace");
    setCentralWidget(workspace_);
}

void FrameWindow::make_room_for(const QSize& size) {
    const QSize viewport = workspace_->viewport()->size();
    const QSize extra(std::max(0, size.width() - viewport.width()),
                      std::max(0, size.height() - viewport.height()));
    if (extra.width() == 0 && extra.height() == 0)
        return;
    QSize wanted = this->size() + extra;
    if (QScreen* screen = this->screen()) {
        const QSize decoration = frameGeometry().size() - this->size();
        wanted = wanted.boundedTo(screen->availableGeometry().size() - decoration);
    }
    resize(wanted);
}

ChildWindow::ChildWindow(CloseRequest close_request) : ModelClosedWindow(std::move(close_request)) {
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
}

}  // namespace humo::qt
