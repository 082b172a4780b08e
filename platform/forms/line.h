#pragma once

#include "control.h"

namespace humo::forms {

struct Point {
    int x = 0;
    int y = 0;
};

// A straight line drawn on the form, with no behaviour.
class Line : public Control {
public:
    Line(Form& form, std::string name, Point from, Point to, int border_width)
        : Control(form, std::move(name), ControlKind::kLine, bounds(from, to)),
          from_(from),
          to_(to),
          border_width_(border_width) {}

    Point from() const { return from_; }
    Point to() const { return to_; }
    int border_width() const { return border_width_; }

private:
    static Rect bounds(Point a, Point b) {
        int left = std::min(a.x, b.x);
        int top = std::min(a.y, b.y);
        return {left, top, std::max(a.x, b.x) - left, std::max(a.y, b.y) - top};
    }

    Point from_;
    Point to_;
    int border_width_;
};

}  // namespace humo::forms
