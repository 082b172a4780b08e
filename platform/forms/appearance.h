#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace humo::forms {

// Positions and sizes are in twips (1/1440 inch), relative to the form's client area or to the
// frame that contains the control.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Size {
    int width = 0;
    int height = 0;
};

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kDarkGreen{0, 64, 0};

struct Font {
    std::string name = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
};

enum class Alignment { kLeft, kRight, kCenter };

}  // namespace humo::forms
