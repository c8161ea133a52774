#pragma once

#include "panel/OperatingPoint.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The transfer-coefficient chart as numbers, without widgets: 801 samples of the required and the
// operating coefficient (kW/(m²·K)) and the number of exchangers against an abscissa (heat output
// in kW, or the outlet temperature T12 in °C), the exchanger-count bands, the coefficient axis and
// the curve pieces. Positions are in the chart's user scale: x and y 0..1000, y up, the plot
// square from 100 to 900 both ways.
namespace coefficients {

inline constexpr int kLastSample = 800; // samples i = 0..800, drawn at x = 100 + i
inline constexpr int kSampleCount = kLastSample + 1;
inline constexpr int kOrigin = 100; // plot square: origin and side
inline constexpr int kLength = 800;
inline constexpr int kTicks = 10; // grid divisions each way

// The swept quantity: sample i has low + i / 800 · (high − low).
struct Abscissa {
    double low = 0, high = 0;
    double At(int i) const;
};

// Heat output 10..1000 kW.
inline constexpr Abscissa kHeatOutputSweep{10, 1000};

// T12 (°C) from the T21 slider position + 5 to the T11 slider position − 10; when that is empty
// the range becomes low .. low + 1.
Abscissa OutletSweep(int t21Position, int t11Position);

// One evaluation: required and operating coefficient, kW/(m²·K), and the number of exchangers.
struct Evaluation {
    double kw = 0, ke = 0;
    int count = 0;
};
using Evaluator = std::function<Evaluation(double abscissa)>;

enum class Swept { HeatOutput, HeatingOutlet };

// EvaluateExchanger for model m (0..3) at the point, without extra exchangers, with Q or T12 set to
// the sample's abscissa.
Evaluator ExchangerEvaluator(int model, const panel::OperatingPoint& point, Swept swept);

struct Sample {
    double abscissa = 0, kw = 0, ke = 0;
    int count = 0;
};

// A vertical band of one exchanger count, x1 .. x2, its count written above it at LabelX().
struct Band {
    int x1 = 0, x2 = 0;
    int n = 0;
    double LabelX() const { return (x1 + x2) / 2.0; }
};

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};
struct Segment {
    Point from, to;
    bool operator==(const Segment&) const = default;
};

struct Chart {
    std::vector<Sample> samples; // 801
    std::vector<Band> bands;     // left to right
    double min = 0, max = 1;     // ends of the coefficient axis, MIN and MAX
    // The curve pieces in drawing order; required[k] and operating[k] join the same two samples.
    std::vector<Segment> required, operating;
};

// Evaluates the 801 samples once and derives the bands, the axis and the curves from them. Nothing
// when an evaluation, the axis or a coordinate is not a finite number (or a coordinate leaves the
// 16-bit range): such a chart cannot be drawn.
std::optional<Chart> ComputeChart(const Abscissa& abscissa, const Evaluator& evaluate);

// How a band's count is written: as a printed number (one blank for the sign, " 2"), or as plain
// digits ("2", "12").
enum class CountStyle { Printed, Digits };
std::string BandLabel(int n, CountStyle style);

using TickLabels = std::array<std::string, kTicks + 1>;

// The coefficient axis labels, MIN + j · (MAX − MIN) / 10 with "#0.##" (the separator is kept:
// "0." and "1.").
TickLabels CoefficientLabels(double min, double max, char decimalSeparator);
// Round heat outputs under the grid lines, 100 · j with "####" (nothing at j = 0).
TickLabels HeatOutputLabels();
// The swept T12 under the grid lines, low + j · (high − low) / 10 with "##0".
TickLabels OutletLabels(const Abscissa& sweep);

} // namespace coefficients
