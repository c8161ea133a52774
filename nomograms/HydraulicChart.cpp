#include "nomograms/HydraulicChart.h"

#include "core/Catalogue.h"
#include "core/Drawing.h"
#include "core/Numbers.h"

#include <algorithm>
#include <cmath>

namespace nomograms {

namespace {

// Catalogue rows of the heating-water law (C1, a1, b1); the heated water's follow at 12.
constexpr int kRowHeatingLaw = 9;
constexpr int kRowHeatedLaw = 12;

constexpr double kLowFlow = 0.1, kHighFlow = 10; // kg/s, the chart's flow range
constexpr double kLowDrop = 1, kHighDrop = 100;  // kPa, its pressure-drop range

double MeanTemperature(std::int16_t T1, std::int16_t T2) {
    return (static_cast<int>(T1) + static_cast<int>(T2)) / 2.0;
}

} // namespace

double XOfFlow(double G) {
    return kOrigin + kSide * (kod::Log10(G) + 1) / 2;
}

double FlowOfX(double x) {
    return std::pow(10.0, 2 * (x - kOrigin) / kSide - 1);
}

double YOfDrop(double Dp) {
    return kOrigin + kSide * kod::Log10(Dp) / 2;
}

double DropLaw::DropAt(double G, double Tm) const {
    return std::pow(10.0, kod::Log10(C) + a * kod::Log10(G) + b * kod::Log10(Tm));
}

double DropLaw::FlowFor(double Dp, double Tm) const {
    return std::pow(10.0, (kod::Log10(Dp) - kod::Log10(C) - b * kod::Log10(Tm)) / a);
}

DropLaw HydraulicLaw(int m, bool heating) {
    const int row = heating ? kRowHeatingLaw : kRowHeatedLaw;
    return {kod::ModelValue(row, m), kod::ModelValue(row + 1, m), kod::ModelValue(row + 2, m)};
}

Characteristic CharacteristicEnds(std::int16_t T1, std::int16_t T2, int m, bool heating,
                                  double& dpw, double& gw) {
    const double Tm = MeanTemperature(T1, T2);
    const DropLaw law = HydraulicLaw(m, heating);
    Characteristic c;
    c.Glo = kLowFlow;
    c.Dplo = law.DropAt(c.Glo, Tm);
    if (!(c.Dplo >= kLowDrop)) {
        c.Dplo = kLowDrop;
        c.Glo = law.FlowFor(kLowDrop, Tm);
    }
    c.Ghi = kHighFlow;
    c.Dphi = law.DropAt(c.Ghi, Tm);
    if (c.Dphi > kHighDrop) {
        c.Dphi = kHighDrop;
        c.Ghi = law.FlowFor(kHighDrop, Tm);
    }
    if (dpw > c.Dphi)
        dpw = c.Dphi;
    gw = law.FlowFor(dpw, Tm);
    return c;
}

bool Segment::IsFinite() const {
    return std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2);
}

std::optional<Segment> ClipToSquare(const Segment& s) {
    if (!s.IsFinite())
        return std::nullopt;
    // Liang-Barsky: the point at t (0 at the first end, 1 at the second) is inside every edge
    // where p · t <= q.
    const double lo = kOrigin, hi = kOrigin + kSide;
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {s.x1 - lo, hi - s.x1, s.y1 - lo, hi - s.y1};
    double t0 = 0, t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return std::nullopt;
        } else if (p[i] < 0) {
            t0 = std::max(t0, q[i] / p[i]);
        } else {
            t1 = std::min(t1, q[i] / p[i]);
        }
    }
    // A line that only touches the square leaves nothing of itself there.
    if (t0 > t1 || (t0 == t1 && (dx != 0 || dy != 0)))
        return std::nullopt;
    Segment c = s;
    if (t0 > 0)
        c.x1 = s.x1 + t0 * dx, c.y1 = s.y1 + t0 * dy;
    if (t1 < 1)
        c.x2 = s.x1 + t1 * dx, c.y2 = s.y1 + t1 * dy;
    return c;
}

Segment CharacteristicLine(const Characteristic& c) {
    // The current rounding mode rounds halves to even.
    return {std::nearbyint(XOfFlow(c.Glo)), std::nearbyint(YOfDrop(c.Dplo)),
            std::nearbyint(XOfFlow(c.Ghi)), std::nearbyint(YOfDrop(c.Dphi))};
}

Segment DropReadingLine(double gw, double dpw) {
    return {kOrigin, YOfDrop(dpw), XOfFlow(gw), YOfDrop(dpw)};
}

Segment FlowReadingLine(double gw, double dpw) {
    return {XOfFlow(gw), kOrigin, XOfFlow(gw), YOfDrop(dpw)};
}

std::optional<Reading> PickFlow(double x, double x1, double x2, double t1, double t2, int m,
                                bool heating) {
    if (x < x1)
        x = x1;
    if (x > x2)
        x = x2;
    Reading r;
    r.gw = FlowOfX(x);
    r.dpw = HydraulicLaw(m, heating).DropAt(r.gw, (t1 + t2) / 2);
    if (!std::isfinite(r.gw) || !std::isfinite(r.dpw))
        return std::nullopt;
    return r;
}

TemperatureRange InletRange(bool heating) {
    return heating ? TemperatureRange{7, 210} : TemperatureRange{1, 204};
}

TemperatureRange OutletRange(bool heating, double inlet) {
    if (heating)
        return {2, kod::RoundHalfEven16(inlet - 1)};
    return {kod::RoundHalfEven16(inlet + 1), 204};
}

std::string RangeMessage(const std::string& symbol, TemperatureRange range) {
    return "Wartość temperatury " + symbol + " musi się zawierać w przedziale od " +
           std::to_string(range.lower) + "°C do " + std::to_string(range.upper) + "°C";
}

} // namespace nomograms
