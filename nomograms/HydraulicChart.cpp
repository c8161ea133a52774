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

Segment CharacteristicLine(const Characteristic& c) {
    return {std::round(XOfFlow(c.Glo)), std::round(YOfDrop(c.Dplo)), std::round(XOfFlow(c.Ghi)),
            std::round(YOfDrop(c.Dphi))};
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
    // The mean as typed is not the one drawn when a temperature is still being typed, and the
    // ends are rounded: the point is held on the chart.
    r.dpw = std::clamp(r.dpw, kLowDrop, kHighDrop);
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
