#include "tests/support/PdfProbe.h"

#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <algorithm>
#include <cmath>

namespace testsupport {

QPointF PageImage::ToPixel(QPointF points) const {
    return points * (dpi / 72.0);
}

bool PageImage::IsDark(QPointF points, int threshold) const {
    const QPointF p = ToPixel(points);
    const int x = static_cast<int>(std::floor(p.x()));
    const int y = static_cast<int>(std::floor(p.y()));
    if (!image.valid(x, y))
        return false;
    const QRgb c = image.pixel(x, y);
    return qRed(c) < threshold && qGreen(c) < threshold && qBlue(c) < threshold;
}

namespace {

// Whether the pixel at step i of the segment, or a neighbour within the band, is dark.
std::vector<bool> DarkProfile(const PageImage& img, QPointF from, QPointF to, double band) {
    const QPointF a = img.ToPixel(from);
    const QPointF b = img.ToPixel(to);
    const QPointF d = b - a;
    const double length = std::hypot(d.x(), d.y());
    const int steps = std::max(1, static_cast<int>(std::ceil(length)));
    const QPointF normal = length > 0 ? QPointF(-d.y() / length, d.x() / length) : QPointF(0, 1);
    const double bandPixels = band * img.dpi / 72.0;
    const int across = std::max(0, static_cast<int>(std::ceil(bandPixels)));
    const double toPoints = 72.0 / img.dpi;
    std::vector<bool> profile;
    profile.reserve(steps + 1);
    for (int i = 0; i <= steps; ++i) {
        const QPointF p = a + d * (static_cast<double>(i) / steps);
        bool dark = false;
        for (int k = -across; k <= across && !dark; ++k)
            dark = img.IsDark((p + normal * k) * toPoints);
        profile.push_back(dark);
    }
    return profile;
}

} // namespace

double PageImage::DarkFraction(QPointF from, QPointF to, double band) const {
    const std::vector<bool> profile = DarkProfile(*this, from, to, band);
    return static_cast<double>(std::count(profile.begin(), profile.end(), true)) /
           static_cast<double>(profile.size());
}

int PageImage::DarkRuns(QPointF from, QPointF to, double band) const {
    const std::vector<bool> profile = DarkProfile(*this, from, to, band);
    int runs = 0;
    bool previous = false;
    for (bool dark : profile) {
        if (dark && !previous)
            ++runs;
        previous = dark;
    }
    return runs;
}

std::optional<double> PageImage::HorizontalRule(const QRectF& area, double minFraction) const {
    const QRectF px(ToPixel(area.topLeft()), ToPixel(area.bottomRight()));
    const int x0 = std::max(0, static_cast<int>(std::floor(px.left())));
    const int x1 = std::min(image.width() - 1, static_cast<int>(std::ceil(px.right())));
    const int y0 = std::max(0, static_cast<int>(std::floor(px.top())));
    const int y1 = std::min(image.height() - 1, static_cast<int>(std::ceil(px.bottom())));
    if (x1 <= x0)
        return std::nullopt;
    double best = 0;
    int bestRow = -1;
    for (int y = y0; y <= y1; ++y) {
        int dark = 0;
        for (int x = x0; x <= x1; ++x) {
            const QRgb c = image.pixel(x, y);
            dark += qRed(c) < 128 && qGreen(c) < 128 && qBlue(c) < 128;
        }
        const double fraction = static_cast<double>(dark) / (x1 - x0 + 1);
        if (fraction > best) {
            best = fraction;
            bestRow = y;
        }
    }
    if (bestRow < 0 || best < minFraction)
        return std::nullopt;
    return (bestRow + 0.5) * 72.0 / dpi;
}

int PageImage::DarkPixels(const QRectF& area) const {
    const QRectF px(ToPixel(area.topLeft()), ToPixel(area.bottomRight()));
    int dark = 0;
    for (int y = static_cast<int>(px.top()); y <= static_cast<int>(px.bottom()); ++y) {
        for (int x = static_cast<int>(px.left()); x <= static_cast<int>(px.right()); ++x) {
            if (!image.valid(x, y))
                continue;
            const QRgb c = image.pixel(x, y);
            dark += qRed(c) < 128 && qGreen(c) < 128 && qBlue(c) < 128;
        }
    }
    return dark;
}

PdfProbe::PdfProbe(const QString& path) : doc_(std::make_unique<QPdfDocument>()) {
    open_ = doc_->load(path) == QPdfDocument::Error::None;
}

PdfProbe::~PdfProbe() = default;

bool PdfProbe::IsOpen() const {
    return open_;
}

int PdfProbe::PageCount() const {
    return open_ ? doc_->pageCount() : 0;
}

QSizeF PdfProbe::PageSize(int page) const {
    return open_ ? doc_->pagePointSize(page) : QSizeF();
}

QString PdfProbe::Text(int page) const {
    return open_ ? doc_->getAllText(page).text() : QString();
}

std::optional<QRectF> PdfProbe::Find(const QString& text, int occurrence, int page) const {
    if (!open_ || text.isEmpty())
        return std::nullopt;
    const QString all = Text(page);
    qsizetype at = -1;
    for (int i = 0; i <= occurrence; ++i) {
        at = all.indexOf(text, at + 1);
        if (at < 0)
            return std::nullopt;
    }
    const QPdfSelection selection =
        doc_->getSelectionAtIndex(page, static_cast<int>(at), static_cast<int>(text.size()));
    if (!selection.isValid())
        return std::nullopt;
    return selection.boundingRectangle();
}

int PdfProbe::Count(const QString& text, int page) const {
    return text.isEmpty() ? 0 : static_cast<int>(Text(page).count(text));
}

PageImage PdfProbe::Render(int page, double dpi) const {
    PageImage result;
    result.dpi = dpi;
    if (!open_)
        return result;
    const QSizeF points = doc_->pagePointSize(page);
    const QSize size(static_cast<int>(std::lround(points.width() * dpi / 72.0)),
                     static_cast<int>(std::lround(points.height() * dpi / 72.0)));
    QImage rendered = doc_->render(page, size);
    // Transparent paper reads as white.
    result.image = QImage(rendered.size(), QImage::Format_RGB32);
    result.image.fill(Qt::white);
    {
        QPainter painter(&result.image);
        painter.drawImage(0, 0, rendered);
    }
    return result;
}

} // namespace testsupport
