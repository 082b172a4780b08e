#include "picture_view.h"

#include <QPixmap>

namespace humo::qt {

PictureView::PictureView(forms::PictureBox& picture, QWidget* parent) : BoundView(picture, parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A picture sits in a sunken border; a bare panel that holds controls has none.
    if (!picture.picture().empty()) {
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        setPixmap(QPixmap(QString::fromStdString(picture.picture())));
    }
}

}  // namespace humo::qt
