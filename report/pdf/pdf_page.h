#pragma once

#include <QPainter>
#include <QPdfWriter>
#include <QRectF>
#include <functional>
#include <string>

namespace humo::report {

// Lays a document out down A4 pages, in millimetres from the top margin.
class PdfPage {
public:
    explicit PdfPage(QPdfWriter& writer);
    bool active() const { return painter_.isActive(); }
    QPainter& painter() { return painter_; }

    static double device(double mm);
    static double mm_of(double device);

    void font(double points, bool bold = false);
    // Writes text from `indent` on, wrapped within `width` (the rest of the line by default),
    // at the current line; returns the height it took.
    double text(const std::string& text, double indent = 0, double width = 0, bool advance = true,
                Qt::Alignment align = Qt::AlignLeft);
    void space(double mm) { y_ += mm; }
    double remaining() const { return height_ - y_; }
    double width() const { return width_; }
    void new_page();
    // The rest of the page as a rectangle in device units.
    QRectF rest() const;

private:
    QPdfWriter& writer_;
    QPainter painter_;
    double width_ = 0;
    double height_ = 0;
    double y_ = 0;
};

// Writes a PDF that `lay_out` draws, in memory first, then as every file of the program is
// written: whole or not at all. Needs a QGuiApplication; throws std::runtime_error naming the
// file and the reason when it cannot be written.
void write_pdf(const std::string& title, const std::string& path,
               const std::function<void(PdfPage& page)>& lay_out);

}  // namespace humo::report
