#include "picture_view.h"

#include <QPixmap>

namespace humo::qt {

PictureView::PictureView(forms::PictureBox& picture, QWidget* parent)
    : QLabel(parent), picture_(&picture) {
    apply_control_look(*this, picture);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setPixmap(QPixmap(QString::fromStdString(picture.picture())));
    picture.set_listener(
        [this](forms::Change change) { apply_common_change(*this, *picture_, change); });
}

void PictureView::detach() {
    if (picture_)
        picture_->set_listener(nullptr);
    picture_ = nullptr;
}

}  // namespace humo::qt
