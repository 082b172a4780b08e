#include "pdf_page.h"

#include <QBuffer>
#include <QFont>
#include <QPageSize>
#include <stdexcept>

#include "file_in_place.h"

namespace humo::report {
namespace {

constexpr int kResolution = 600;
constexpr double kMarginMm = 20;

}  // namespace

PdfPage::PdfPage(QPdfWriter& writer) : writer_(writer), painter_(&writer) {
    width_ = mm_of(writer.width()) - 2 * kMarginMm;
    height_ = mm_of(writer.height()) - 2 * kMarginMm;
}

double PdfPage::device(double mm) { return mm * kResolution / 25.4; }
double PdfPage::mm_of(double device) { return device * 25.4 / kResolution; }

void PdfPage::font(double points, bool bold) {
    QFont font("Liberation Sans");
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    painter_.setFont(font);
}

double PdfPage::text(const std::string& text, double indent, double width, bool advance,
                     Qt::Alignment align) {
    const double available = width > 0 ? width : width_ - indent;
    const QRectF box(device(kMarginMm + indent), device(kMarginMm + y_), device(available),
                     device(height_));
    QRectF used;
    painter_.drawText(box, Qt::TextWordWrap | align | Qt::AlignTop, QString::fromStdString(text),
                      &used);
    const double height = mm_of(used.height());
    if (advance)
        y_ += height;
    return height;
}

void PdfPage::new_page() {
    writer_.newPage();
    y_ = 0;
}

QRectF PdfPage::rest() const {
    return {device(kMarginMm), device(kMarginMm + y_), device(width_), device(height_ - y_)};
}

void write_pdf(const std::string& title, const std::string& path,
               const std::function<void(PdfPage& page)>& lay_out) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(kResolution);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(QString::fromStdString(title));
        writer.setCreator("humo_tool");
        PdfPage page(writer);
        if (!page.active())
            throw std::runtime_error("cannot write " + path + ": the page cannot be drawn");
        lay_out(page);
    }
    files::write_whole(
        path, std::string_view(pdf.data().constData(), static_cast<size_t>(pdf.data().size())));
}

}  // namespace humo::report
