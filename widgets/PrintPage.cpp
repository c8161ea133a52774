#include "widgets/PrintPage.h"

namespace widgets {

struct PrintPage::Impl {
    double scaleW = 1000, scaleH = 1400;
    double x = 0, y = 0;
};

PrintPage::PrintPage() : d(std::make_unique<Impl>()) {}
PrintPage::~PrintPage() = default;

void PrintPage::SetFontName(const QString&) {}
void PrintPage::SetFontSize(double) {}
void PrintPage::SetBold(bool) {}
void PrintPage::SetItalic(bool) {}
void PrintPage::SetUnderline(bool) {}
void PrintPage::SetStrikethrough(bool) {}
void PrintPage::Print(const QString&, int, bool) {}
void PrintPage::NewLine(int) {}
void PrintPage::SetScale(double width, double height) {
    d->scaleW = width;
    d->scaleH = height;
}
double PrintPage::CurrentX() const {
    return d->x;
}
double PrintPage::CurrentY() const {
    return d->y;
}
void PrintPage::SetCurrentX(double x) {
    d->x = x;
}
void PrintPage::SetCurrentY(double y) {
    d->y = y;
}
void PrintPage::Line(QPointF, QPointF, const QColor&, double, Qt::PenStyle) {}
void PrintPage::FillRect(const QRectF&, const QColor&) {}
void PrintPage::Text(QPointF, const QString&, double, const QColor&) {}
void PrintPage::EndDoc() {}
void PrintPage::RedirectToPdf(const QString&) {}
void PrintPage::SimulateMissingPrinter(bool) {}

} // namespace widgets
