#include "picture_view.h"

#include <QPixmap>

namespace humo::qt {

PictureView::PictureView(forms::PictureBox& picture, QWidget* parent) : BoundView(picture, parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setPixmap(QPixmap(QString::fromStdString(picture.picture())));
}

}  // namespace humo::qt
