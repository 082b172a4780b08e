#pragma once

#include <QColor>
#include <QLine>
#include <QWidget>

#include "control_view.h"
#include "line.h"

namespace humo::qt {

// A straight line drawn on the form, beneath the other controls; it takes no input.
class LineView : public QWidget, public ControlView {
public:
    LineView(forms::Line& line, QWidget* parent);

    forms::Control* control() const override { return line_; }
    void detach() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    forms::Line* line_;
    QLine local_line_;
    int pen_width_;
    QColor colour_;
};

}  // namespace humo::qt
