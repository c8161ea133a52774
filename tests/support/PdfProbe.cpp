#include "tests/support/PdfProbe.h"

#include <QPainter>
#include <QPdfSelection>
#include <cmath>

namespace testsupport {

std::pair<double, int> PageImage::Row(double y, double x0, double x1, double band) const {
    const double scale = dpi / 72.0;
    const int left = std::lround(x0 * scale), right = std::lround(x1 * scale);
    const int top = std::lround((y - band) * scale), bottom = std::lround((y + band) * scale);
    std::pair<double, int> trace;
    bool previous = false;
    for (int x = left; x <= right; ++x) {
        bool dark = false;
        for (int row = top; row <= bottom && !dark; ++row) {
            const QRgb c = image.valid(x, row) ? image.pixel(x, row) : qRgb(255, 255, 255);
            dark = qRed(c) < 128 && qGreen(c) < 128 && qBlue(c) < 128;
        }
        trace.first += dark / (right - left + 1.0);
        trace.second += dark && !previous;
        previous = dark;
    }
    return trace;
}

std::optional<double> PageImage::HorizontalRule(const QRectF& area, double minFraction) const {
    for (double y = area.top(); y <= area.bottom(); y += 72.0 / dpi)
        if (Row(y, area.left(), area.right(), 0).first >= minFraction)
            return y;
    return std::nullopt;
}

std::vector<QRectF> PdfProbe::FindAll(const QString& text, int limit) const {
    std::vector<QRectF> boxes;
    if (text.isEmpty() || !open_)
        return boxes;
    const QString& all = Text();
    for (qsizetype at = all.indexOf(text); at >= 0 && int(boxes.size()) < limit;
         at = all.indexOf(text, at + 1)) {
        const QPdfSelection found =
            doc_.getSelectionAtIndex(0, static_cast<int>(at), static_cast<int>(text.size()));
        if (found.isValid())
            boxes.push_back(found.boundingRectangle());
    }
    return boxes;
}

std::optional<QRectF> PdfProbe::Find(const QString& text, int occurrence) const {
    const std::vector<QRectF> boxes = FindAll(text, occurrence + 1);
    if (int(boxes.size()) <= occurrence)
        return std::nullopt;
    return boxes[static_cast<std::size_t>(occurrence)];
}

PageImage PdfProbe::Render(int page, double dpi) const {
    PageImage result{QImage(), dpi};
    if (!open_)
        return result;
    const QImage rendered = doc_.render(page, (doc_.pagePointSize(page) * (dpi / 72.0)).toSize());
    result.image = QImage(rendered.size(), QImage::Format_RGB32);
    result.image.fill(Qt::white); // transparent paper reads as white
    QPainter(&result.image).drawImage(0, 0, rendered);
    return result;
}

} // namespace testsupport
