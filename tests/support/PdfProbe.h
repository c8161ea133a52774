#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <memory>
#include <optional>

class QPdfDocument;

namespace testsupport {

// A page rendered to an image, addressed in PDF points from the page's top-left corner.
struct PageImage {
    QImage image;
    double dpi = 0;

    QPointF ToPixel(QPointF points) const;
    // Dark: every colour channel below `threshold` (0..255).
    bool IsDark(QPointF points, int threshold = 128) const;
    // Fraction of the pixels along the segment that have a dark pixel within `band` points
    // across the segment.
    double DarkFraction(QPointF from, QPointF to, double band = 1.0) const;
    // Number of separate dark runs along the segment (1 for a solid line, more for a dashed one).
    int DarkRuns(QPointF from, QPointF to, double band = 1.0) const;
    // The y (points) of the pixel row inside `area` whose dark fraction over the area's width is
    // highest, provided it reaches `minFraction`: a rule drawn across the area.
    std::optional<double> HorizontalRule(const QRectF& area, double minFraction = 0.9) const;
    // Number of dark pixels inside an area, for comparing the weight of two words.
    int DarkPixels(const QRectF& area) const;
};

// Reads a PDF file for checks: pages, text with positions in points, pixels.
class PdfProbe {
public:
    explicit PdfProbe(const QString& path);
    ~PdfProbe();
    PdfProbe(const PdfProbe&) = delete;
    PdfProbe& operator=(const PdfProbe&) = delete;

    bool IsOpen() const;
    int PageCount() const;
    QSizeF PageSize(int page = 0) const; // points
    QString Text(int page = 0) const;
    // The bounding box in points (origin top-left) of the `occurrence`-th (0-based) appearance
    // of `text` on the page; nothing when it is not there.
    std::optional<QRectF> Find(const QString& text, int occurrence = 0, int page = 0) const;
    // How often `text` appears on the page.
    int Count(const QString& text, int page = 0) const;
    PageImage Render(int page = 0, double dpi = 150) const;

private:
    std::unique_ptr<QPdfDocument> doc_;
    bool open_ = false;
};

} // namespace testsupport
