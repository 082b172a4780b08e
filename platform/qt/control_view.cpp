#include "control_view.h"

#include <algorithm>

#include "twips.h"

namespace humo::qt {

void apply_control_look(QWidget& widget, const forms::Control& control) {
    widget.setObjectName(QString::fromStdString(control.name()));
    place(widget, control);
    widget.setFont(qt_font(control.font()));
    if (control.back_colour()) {
        const forms::Rgb rgb = *control.back_colour();
        QPalette palette = widget.palette();
        palette.setColor(QPalette::Window, QColor(rgb.red, rgb.green, rgb.blue));
        widget.setPalette(palette);
        widget.setAutoFillBackground(true);
    }
    if (control.fore_colour()) {
        const forms::Rgb rgb = *control.fore_colour();
        const QColor colour(rgb.red, rgb.green, rgb.blue);
        QPalette palette = widget.palette();
        // Active and inactive only: a disabled control keeps the greyed text of the style.
        for (auto group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::WindowText, colour);
            palette.setColor(group, QPalette::Text, colour);
            palette.setColor(group, QPalette::ButtonText, colour);
        }
        widget.setPalette(palette);
    }
    if (!control.accessible_name().empty()) {
        widget.setAccessibleName(QString::fromStdString(control.accessible_name()));
    }
    widget.setEnabled(control.enabled());
    widget.setHidden(!control.visible());
}

void place(QWidget& widget, const forms::Control& control) {
    const QRect rect = pixel_rect(control.rect());
    if (widget.geometry() != rect)
        widget.setGeometry(rect);
}

ControlView::~ControlView() { stop_syncing(); }

void ControlView::model_changed() {
    if (queue_) {
        queue_->request(*this);
    } else {
        sync();
    }
}

void ControlView::stop_syncing() {
    if (queue_)
        queue_->forget(*this);
    queue_ = nullptr;
}

void SyncQueue::request(ControlView& view) {
    if (!program_.in_user_action()) {
        view.sync();
        return;
    }
    if (std::find(pending_.begin(), pending_.end(), &view) == pending_.end())
        pending_.push_back(&view);
}

void SyncQueue::forget(ControlView& view) { std::erase(pending_, &view); }

void SyncQueue::flush() {
    // Taken first: bringing a view up to date may start another action, which flushes too.
    const std::vector<ControlView*> views = std::move(pending_);
    pending_.clear();
    for (ControlView* view : views)
        view->sync();
}

}  // namespace humo::qt
