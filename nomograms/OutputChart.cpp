#include "nomograms/OutputChart.h"

#include "core/Calculations.h"
#include "core/Catalogue.h"
#include "core/Drawing.h"
#include "core/Numbers.h"
#include "nomograms/HydraulicChart.h"

#include <algorithm>
#include <cmath>

namespace nomograms {

namespace {

constexpr int kRowSurface = 15; // heat-transfer surface of one exchanger, m²
constexpr int kSearchFromT21 = 5, kSearchBelowT11 = 10;
constexpr double kNudge = 0.1; // K, keeps the mean difference defined

// Logarithmic mean of the end differences of the counter-flow exchanger, K.
double LogMeanDifference(double d1, double d2) {
    if (d2 == 0)
        d2 = kNudge;
    if (d1 == d2)
        d1 += kNudge;
    const double large = std::max(d1, d2), small = std::min(d1, d2);
    return (large - small) / std::log(large / small);
}

double FlowOfSample(int i) {
    return std::pow(10.0, 2.0 * i / kSide - 1);
}

} // namespace

double YOfOutput(double Q) {
    return kOrigin + kSide * (kod::Log10(Q) - 1) / 2;
}

void EvaluateAt(const OutputChartInput& in, double G2, double& Q, std::int16_t& n) {
    double required = 0;
    kod::OutputForFlow(kod::RoundHalfEven16(in.T21), kod::RoundHalfEven16(in.T22), required, G2);
    double T12 = -1, kw = 0, ke = 0;
    n = 0;
    kod::FindOutletTemperature(in.t21Position + kSearchFromT21, in.t11Position - kSearchBelowT11,
                               static_cast<std::int16_t>(in.m), in.centralHeating, in.Dp1, in.Dp2,
                               in.T11, T12, in.T21, in.T22, required, kw, ke, n, false);
    if (T12 == -1) {
        n = 0;
        return;
    }
    const double dT = LogMeanDifference(in.T11 - in.T22, T12 - in.T21);
    const double F = kod::ModelValue(kRowSurface, in.m);
    const double output = F * dT * n * ke;
    if (!std::isfinite(output)) {
        n = 0;
        return;
    }
    Q = output;
}

OutputChartData ComputeOutputChart(const OutputChartInput& in,
                                   const std::function<void(int)>& progress) {
    OutputChartData chart;
    chart.max = kOrigin + kSide;
    chart.samples.reserve(kSampleCount);
    int start = kOrigin; // where the current band began
    int count = 1;       // its number of exchangers
    double Q = 0;
    for (int i = 0; i <= kSide; i += kSampleStep) {
        if (progress)
            progress(i);
        std::int16_t n = 0;
        EvaluateAt(in, FlowOfSample(i), Q, n);
        const int x = kOrigin + i;
        if (Q > kTopOutput) {
            chart.max = x;
            chart.bands.push_back({start, x, count});
            chart.bands.push_back({x, kOrigin + kSide, 0});
            break;
        }
        if (i == 0 || n != count || i == kSide) {
            if (i > 0)
                chart.bands.push_back({start, x, count});
            count = n;
            start = x;
        }
        CurveSample s;
        s.n = n;
        s.Q = Q;
        if (n >= 1) {
            s.x = x;
            s.y = kod::RoundHalfEven16(YOfOutput(Q));
        }
        chart.samples.push_back(s);
    }
    // A band of a count that closes where it began (the output off the chart at the first flow)
    // is not painted; the black band at the right edge keeps its label however narrow.
    std::erase_if(chart.bands, [](const CountBand& b) { return b.x1 == b.x2 && b.n != 0; });
    return chart;
}

std::vector<Segment> CurveSegments(const std::vector<CurveSample>& s) {
    std::vector<Segment> segments;
    for (std::size_t k = 0; k + 1 < s.size(); ++k) {
        if (s[k].n < 1 || s[k + 1].n < 1)
            continue;
        const Segment line{double(s[k].x), double(s[k].y), double(s[k + 1].x), double(s[k + 1].y)};
        if (const auto inside = ClipToSquare(line))
            segments.push_back(*inside);
    }
    return segments;
}

std::optional<double> PickFlow(double x, double max) {
    if (max == 0)
        return std::nullopt;
    if (x < kOrigin)
        x = kOrigin;
    if (x > max)
        x = max;
    return FlowOfX(x);
}

std::optional<OutputReading> ReadingAt(const OutputChartInput& in, double gw) {
    OutputReading r;
    EvaluateAt(in, gw, r.Q, r.n);
    if (r.n == 0)
        return std::nullopt;
    r.x = XOfFlow(gw);
    r.y = YOfOutput(r.Q);
    return r;
}

} // namespace nomograms
