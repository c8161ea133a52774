#pragma once

#include "coefficients/CoefficientChart.h"

#include <QString>
#include <functional>

namespace widgets {
class Canvas;
}

namespace coefficients {

// What the chart against heat output and the chart against T12 write differently.
struct ChartTexts {
    TickLabels abscissaLabels; // under the grid lines; an empty label writes nothing
    QString abscissaTitle;
    CountStyle counts = CountStyle::Printed;
    char decimalSeparator = '.';
};

// Width of a text in the canvas's user units at a font size in points.
using TextWidth = std::function<double(const QString& text, double pointSize)>;

// Paints the bands with their counts, then the axes, then the required and operating curves, in
// the chart's user scale (0..1000 both ways, y up).
void DrawChart(widgets::Canvas& canvas, const Chart& chart, const ChartTexts& texts,
               const TextWidth& textWidth);

// The grid over the plot square (origin, side), the tick labels, the abscissa title, the caption
// of the band counts and the legend line of the two curves.
void DrawAxes(widgets::Canvas& canvas, int origin, int length, const Chart& chart,
              const ChartTexts& texts, const TextWidth& textWidth);

} // namespace coefficients
