#pragma once

#include <QColor>
#include <QLine>
#include <QWidget>

#include "control_view.h"
#include "line.h"

namespace humo::qt {

// A straight line drawn on the form, beneath the other controls; it takes no input.
class LineView : public BoundView<QWidget, forms::Line> {
public:
    LineView(forms::Line& line, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLine local_line_;
    int pen_width_;
    QColor colour_;
};

}  // namespace humo::qt
