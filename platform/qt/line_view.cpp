#include "line_view.h"

#include <QPainter>

#include "twips.h"

namespace humo::qt {

LineView::LineView(forms::Line& line, QWidget* parent)
    : BoundView(line, parent), pen_width_(line.border_width()) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    const forms::Rgb rgb = line.fore_colour().value_or(forms::Rgb{});
    colour_ = QColor(rgb.red, rgb.green, rgb.blue);
    // The widget covers the line's bounding box, widened by the pen on every side.
    const QPoint from(pixels(line.from().x), pixels(line.from().y));
    const QPoint to(pixels(line.to().x), pixels(line.to().y));
    const QRect box =
        QRect(from, to).normalized().adjusted(-pen_width_, -pen_width_, pen_width_, pen_width_);
    setGeometry(box);
    local_line_ = QLine(from - box.topLeft(), to - box.topLeft());
}

void LineView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(colour_, pen_width_, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(local_line_);
}

}  // namespace humo::qt
