#include "control_view.h"

#include "twips.h"

namespace humo::qt {

void apply_control_look(QWidget& widget, const forms::Control& control) {
    widget.setObjectName(QString::fromStdString(control.name()));
    widget.setGeometry(pixel_rect(control.rect()));
    widget.setFont(qt_font(control.font()));
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

void apply_common_change(QWidget& widget, const forms::Control& control, forms::Change change) {
    switch (change) {
        case forms::Change::kEnabled:
            widget.setEnabled(control.enabled());
            break;
        case forms::Change::kVisible:
            widget.setHidden(!control.visible());
            break;
        case forms::Change::kRefresh:
            widget.repaint();
            break;
        default:
            break;
    }
}

}  // namespace humo::qt
