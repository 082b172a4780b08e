#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

#include "appearance.h"

namespace humo::qt {

// Pixels for a length in twips at the screen's logical resolution.
int pixels(int twips);
QRect pixel_rect(const forms::Rect& rect);
QSize pixel_size(const forms::Size& size);
// Twips for a length in pixels, the other way round.
int twips(int pixels);
forms::Size twips_size(const QSize& size);

// The model's typefaces on this platform: Arial is drawn with the metric-compatible Liberation
// Sans, MS Sans Serif with the desktop's default sans serif face.
QFont qt_font(const forms::Font& font);

}  // namespace humo::qt
