#include "nomograms/ChartGrid.h"

#include "core/Drawing.h"
#include "core/Numbers.h"
#include "nomograms/OutputChart.h"
#include "widgets/Canvas.h"
#include "widgets/Environment.h"

#include <cmath>
#include <vector>

namespace nomograms {

namespace {

// The grid's values: 1..10 step 1, then 20..100 step 10.
std::vector<int> GridValues() {
    std::vector<int> v;
    for (int i = 1; i <= 10; ++i)
        v.push_back(i);
    for (int i = 20; i <= 100; i += 10)
        v.push_back(i);
    return v;
}

const QColor kForeground = Qt::black;
const QColor kDarkBlue(0, 0, 128);
constexpr double kLabelGap = 3; // chart units between neighbouring flow labels

} // namespace

std::string DropLabel(int v, char decimalSeparator) {
    return kod::FormatText(kod::GeneralForm(v, decimalSeparator), "@@@");
}

std::string OutputLabel(int v, char decimalSeparator) {
    return kod::FormatPattern(10.0 * v, "###0", decimalSeparator);
}

void DrawLogGrid(widgets::Canvas& canvas, int origin, int length, const GridStyle& style) {
    const double O = origin, L = length;
    auto p = [&](double v) { return O + L * std::log10(v) / 2; };
    const std::vector<int> values = GridValues();
    for (int v : values) {
        const double at = std::nearbyint(p(v));
        canvas.Line({O, at}, {O + L, at}, kForeground);
        canvas.Line({at, O}, {at, O + L}, kForeground);
    }

    const char sep = widgets::DecimalSeparator();
    auto text = [&](double x, double y, const std::string& s) {
        canvas.Text({x, y}, widgets::Q(s), style.labelSize, kForeground);
    };
    for (int v : values)
        text(O + style.leftLabelX, p(v) + 10, style.leftLabel(v, sep));
    // Flows of v / 10: below 1 without the leading zero, from 1 on with the blank of the sign; each
    // fits in before the next.
    for (int v = 1; v <= 100; v += v < 10 ? 1 : 10) {
        const std::string label = v < 10 ? kod::FormatPattern(v / 10.0, "#.#", sep)
                                         : std::string(" ").append(kod::GeneralForm(v / 10.0, sep));
        const int next = v < 10 ? v + 1 : v + 10;
        canvas.FittedText({p(v) - 10, O - 15}, widgets::Q(label), style.labelSize, kForeground,
                          next <= 100 ? p(next) - p(v) - kLabelGap : 2 * L);
    }

    for (const AxisTitle& t : style.titles)
        canvas.Text(t.at, t.text, t.size, t.colour);
}

GridStyle HydraulicScreenGrid() {
    GridStyle s;
    s.labelSize = 8.25;
    s.leftLabelX = -50;
    s.titles = {{{300, 50}, QStringLiteral("Natężenie przepływu wody G [kg/s]"), 12},
                {{10, 950}, QStringLiteral("Opór przepływu Dp [kPa]"), 12}};
    return s;
}

GridStyle HydraulicPageGrid() {
    GridStyle s;
    s.labelSize = 10;
    s.leftLabelX = -40;
    s.titles = {{{500, 50}, QStringLiteral("Natężenie przepływu wody G [kg/s]"), 12},
                {{10, 930}, QStringLiteral("Opór przepływu Dp [kPa]"), 12}};
    return s;
}

GridStyle OutputChartGrid() {
    GridStyle s;
    s.labelSize = 10;
    s.leftLabelX = -60;
    s.leftLabel = OutputLabel;
    s.titles = {{{300, 50}, QStringLiteral("Przepływ wody ogrzewanej G2 [kg/s]"), 10},
                {{20, 970}, QStringLiteral("l.wymienników:"), 8},
                {{10, 1000}, QStringLiteral("Moc cieplna [kW]"), 10, kDarkBlue}};
    return s;
}

void DrawOutputChart(widgets::Canvas& canvas, const OutputChartData& chart) {
    constexpr double kBandLabelSize = 10; // points
    constexpr double kBandLabelY = 950;
    for (const CountBand& band : chart.bands) {
        const kod::Rgb c = kod::BandColour(band.n);
        canvas.FillRect(QRectF(QPointF(band.x1, kOrigin), QPointF(band.x2, kOrigin + kSide)),
                        QColor(c.red, c.green, c.blue));
        const double x = band.x1 + (band.x2 - band.x1) / 2.0;
        canvas.Text({x, kBandLabelY},
                    widgets::Q(kod::FormatPattern(band.n, band.n >= 10 ? "00" : "0",
                                                  widgets::DecimalSeparator())),
                    kBandLabelSize, Qt::black);
    }
    DrawLogGrid(canvas, kOrigin, kSide, OutputChartGrid());
    for (const Segment& s : CurveSegments(chart.samples))
        canvas.Line(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2), QColor(128, 0, 0), 2);
}

} // namespace nomograms
