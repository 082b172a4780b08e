#include "twips.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace humo::qt {
namespace {

constexpr double kTwipsPerInch = 1440;

double logical_dpi() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

}  // namespace

int pixels(int twips) {
    return static_cast<int>(std::lround(twips * logical_dpi() / kTwipsPerInch));
}

QRect pixel_rect(const forms::Rect& rect) {
    return {pixels(rect.left), pixels(rect.top), pixels(rect.width), pixels(rect.height)};
}

QSize pixel_size(const forms::Size& size) { return {pixels(size.width), pixels(size.height)}; }

int twips(int pixels) {
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / logical_dpi()));
}

forms::Size twips_size(const QSize& size) { return {twips(size.width()), twips(size.height())}; }

QFont qt_font(const forms::Font& font) {
    QFont result = font.name == "Arial" ? QFont("Liberation Sans")
                                        : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    result.setPointSizeF(font.points);
    result.setBold(font.bold);
    return result;
}

}  // namespace humo::qt
