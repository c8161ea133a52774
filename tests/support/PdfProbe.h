#pragma once

#include <QImage>
#include <QPdfDocument>
#include <QRectF>
#include <optional>
#include <utility>
#include <vector>

namespace testsupport {

// A page rendered to an image, addressed in PDF points from the page's top-left corner.
struct PageImage {
    QImage image;
    double dpi = 0;

    // Along the row y from x0 to x1: the fraction of pixel columns with a dark pixel within `band`
    // points of the row, and the separate dark runs (1 for a solid line, more for a dashed one).
    std::pair<double, int> Row(double y, double x0, double x1, double band = 1.0) const;
    // The y of the first pixel row inside `area` that is at least `minFraction` dark: a rule.
    std::optional<double> HorizontalRule(const QRectF& area, double minFraction = 0.9) const;
};

// Reads a PDF file for checks: pages, text with boxes in points (origin top-left), pixels.
class PdfProbe {
public:
    explicit PdfProbe(const QString& path)
        : open_(doc_.load(path) == QPdfDocument::Error::None),
          text_(open_ ? doc_.getAllText(0).text() : QString()) {}

    bool IsOpen() const { return open_; }
    int PageCount() const { return open_ ? doc_.pageCount() : 0; }
    const QString& Text() const { return text_; }
    QString PageText(int page) const { return open_ ? doc_.getAllText(page).text() : QString(); }
    int Count(const QString& text) const { return static_cast<int>(Text().count(text)); }
    // The box of the `occurrence`-th (0-based) appearance of `text` on the first page.
    std::optional<QRectF> Find(const QString& text, int occurrence = 0) const;
    // The boxes of the first `limit` appearances of `text` on the first page.
    std::vector<QRectF> FindAll(const QString& text, int limit = 1 << 30) const;
    PageImage Render(int page = 0, double dpi = 150) const;

private:
    mutable QPdfDocument doc_;
    bool open_;
    QString text_; // of the first page
};

} // namespace testsupport
