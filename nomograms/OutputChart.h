#pragma once

#include "nomograms/HydraulicChart.h"
#include "panel/OperatingPoint.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// What the thermal output nomogram computes: for flows of the heated water from 0.1 to 10 kg/s,
// the heat output of the installation that the search finds and its number of exchangers.
// Flows kg/s, heat outputs kW, temperatures °C, pressure drops kPa, positions in chart units.
namespace nomograms {

// Heat output 10..1000 kW up the chart square.
double YOfOutput(double Q);

// Flows are sampled every 5 units across the square: 161 samples.
inline constexpr int kSampleStep = 5;
inline constexpr int kSampleCount = 161;
// The output at the top of the chart, kW.
inline constexpr double kTopOutput = 1000;

// The operating point as the window's panel holds it: texts parsed, sliders as they stand.
struct OutputChartInput {
    OutputChartInput() = default;
    // Model m at the point a panel reads.
    OutputChartInput(int model, const panel::SearchInput& s)
        : m(model), centralHeating(s.point.CentralHeating), Dp1(s.point.AllowedDropHeating),
          Dp2(s.point.AllowedDropHeated), T11(s.point.HeatingInlet), T21(s.point.HeatedInlet),
          T22(s.point.HeatedOutlet), t21Position(s.t21Position), t11Position(s.t11Position) {}
    int m = 0; // model index
    bool centralHeating = true;
    double Dp1 = 0, Dp2 = 0, T11 = 0, T21 = 0, T22 = 0;
    int t21Position = 0, t11Position = 0; // the search runs from T21 + 5 to T11 − 10
};

// The installation for the heated-water flow G2: n exchangers delivering Q. When the search finds
// no outlet temperature (or no finite output), n = 0 and Q keeps the value passed in.
void EvaluateAt(const OutputChartInput& in, double G2, double& Q, std::int16_t& n);

struct CurveSample {
    int x = 0, y = 0; // y = 0: no installation at this flow
    std::int16_t n = 0;
    double Q = 0; // kW, the previous sample's where there is no installation
};

// A vertical band of one exchanger count from x1 to x2; count 0 where there is no installation
// and right of the point where the output leaves the chart.
struct CountBand {
    int x1 = 0, x2 = 0, n = 0;
    bool operator==(const CountBand&) const = default;
};

struct OutputChartData {
    std::vector<CurveSample> samples; // up to 161, fewer when the output left the chart
    std::vector<CountBand> bands;     // left to right
    double max = 0;                   // the rightmost x a reading may take
};

// The samples, bands and MAX of one drawing. progress(i) is called before each sample with
// i = 0, 5, ..., 800.
OutputChartData ComputeOutputChart(const OutputChartInput& in,
                                   const std::function<void(int)>& progress = {});

// The curve: the lines between neighbouring samples that both have an installation, each clipped
// to the chart square (a sample below 10 kW lies under it).
std::vector<Segment> CurveSegments(const std::vector<CurveSample>& s);

// The flow read at the mouse abscissa x, held within 100..max; nothing before the first drawing
// (max = 0).
std::optional<double> PickFlow(double x, double max);

// The reading for the flow gw: the output and the point, which lies off the chart for an output
// below 10 or above 1000 kW; nothing when there is no installation at that flow.
struct OutputReading {
    double Q = 0;
    std::int16_t n = 0;
    double x = 0, y = 0; // the point: lines from (100, y) and from (x, 100) to it, unclipped
};
std::optional<OutputReading> ReadingAt(const OutputChartInput& in, double gw);

} // namespace nomograms
