#include "coefficients/ChartDrawing.h"

#include "core/Drawing.h"
#include "widgets/Canvas.h"
#include "widgets/Environment.h"

#include <cmath>

namespace coefficients {

namespace {

const QColor kForeground(0, 0, 0);
const QColor kRequiredColour(0, 0, 128);  // dark blue
const QColor kOperatingColour(128, 0, 0); // dark red
constexpr double kTextPoints = 10;
constexpr double kCaptionPoints = 8;
constexpr double kCurveWidth = 2;
constexpr double kCountsTop = 950; // band counts, above the plot square

QPointF At(Point p) {
    return QPointF(p.x, p.y);
}

} // namespace

void DrawChart(widgets::Canvas& canvas, const Chart& chart, const ChartTexts& texts,
               const TextWidth& textWidth) {
    for (const Band& band : chart.bands) {
        const kod::Rgb c = kod::BandColour(band.n);
        canvas.FillRect(QRectF(QPointF(band.x1, kOrigin), QPointF(band.x2, kOrigin + kLength)),
                        QColor(c.red, c.green, c.blue));
        canvas.Text(QPointF(band.LabelX(), kCountsTop), widgets::Q(BandLabel(band.n, texts.counts)),
                    kTextPoints, kForeground);
    }
    DrawAxes(canvas, kOrigin, kLength, chart, texts, textWidth);
    for (std::size_t k = 0; k < chart.required.size(); ++k) {
        canvas.Line(At(chart.required[k].from), At(chart.required[k].to), kRequiredColour,
                    kCurveWidth);
        canvas.Line(At(chart.operating[k].from), At(chart.operating[k].to), kOperatingColour,
                    kCurveWidth);
    }
}

void DrawAxes(widgets::Canvas& canvas, int origin, int length, const Chart& chart,
              const ChartTexts& texts, const TextWidth& textWidth) {
    auto along = [&](int j) { return static_cast<double>(j) / kTicks * length + origin; };
    for (int j = 0; j <= kTicks; ++j) {
        const double p = std::round(along(j));
        canvas.Line(QPointF(origin, p), QPointF(origin + length, p), kForeground);
        canvas.Line(QPointF(p, origin), QPointF(p, origin + length), kForeground);
    }
    const TickLabels coefficients = CoefficientLabels(chart.min, chart.max, texts.decimalSeparator);
    for (int j = 0; j <= kTicks; ++j)
        canvas.Text(QPointF(origin - 70, along(j) + 10),
                    widgets::Q(coefficients[static_cast<std::size_t>(j)]), kTextPoints,
                    kForeground);
    for (int j = 0; j <= kTicks; ++j) {
        const std::string& label = texts.abscissaLabels[static_cast<std::size_t>(j)];
        if (!label.empty())
            canvas.Text(QPointF(along(j) - 10, origin - 15), widgets::Q(label), kTextPoints,
                        kForeground);
    }
    canvas.Text(QPointF(300, 50), texts.abscissaTitle, kTextPoints, kForeground);
    canvas.Text(QPointF(origin - 80, 970), QStringLiteral("l.wymienników:"), kCaptionPoints,
                kForeground);

    // The legend's three pieces continue one another on one line.
    const std::pair<QString, QColor> legend[] = {
        {QStringLiteral("Współczynniki przenikania:"), kForeground},
        {QStringLiteral("wymagany"), kRequiredColour},
        {QStringLiteral(", eksploatacyjny"), kOperatingColour}};
    double x = 10;
    for (const auto& [text, colour] : legend) {
        canvas.Text(QPointF(x, 1000), text, kTextPoints, colour);
        x += textWidth(text, kTextPoints);
    }
}

} // namespace coefficients
