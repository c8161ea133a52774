#include "core/Calculations.h"

#include "core/CalcLog.h"
#include "core/Catalogue.h"
#include "core/Drawing.h"
#include "core/Numbers.h"

#include <cmath>
#include <limits>

namespace kod {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Catalogue rows of the correlations.
constexpr int kRowC = 3, kRowGr1 = 4, kRowGr2 = 5, kRowT11 = 6, kRowT22 = 7, kRowP = 8;
constexpr int kRowHeatingC = 9, kRowSurface = 15;
constexpr int kRowHeatedC = 12;

// Specific enthalpy change of water from t1 to t2, kJ/kg.
double EnthalpyDifference(std::int16_t t1, std::int16_t t2) {
    return (MeanSpecificHeat(t2) * t2 - MeanSpecificHeat(t1) * t1) * kKcalToKJ;
}

struct DropLaw {
    double C, a, b, Tm;
};

DropLaw DropLawOf(std::int16_t T1, std::int16_t T2, std::int16_t m, bool heatingSide) {
    const int row = heatingSide ? kRowHeatingC : kRowHeatedC;
    return {ModelValue(row, m), ModelValue(row + 1, m), ModelValue(row + 2, m),
            (static_cast<int>(T1) + static_cast<int>(T2)) / 2.0};
}

// The count floor(ratio) + 1 + extra, saturated to 16 bits; the calculation goes on with the
// unsaturated count.
std::int16_t SaturatedCount(double count) {
    constexpr double kMax = std::numeric_limits<std::int16_t>::max();
    constexpr double kMin = std::numeric_limits<std::int16_t>::min();
    if (std::isnan(count) || count >= kMax)
        return std::numeric_limits<std::int16_t>::max();
    if (count <= kMin)
        return std::numeric_limits<std::int16_t>::min();
    return static_cast<std::int16_t>(count);
}

// Logarithmic mean of the end temperature differences, K; equal differences are nudged apart.
double LogMeanDifference(double d1, double d2) {
    if (d1 == d2)
        d1 += 0.1;
    if (d1 > d2)
        return (d1 - d2) / std::log(d1 / d2);
    return (d2 - d1) / std::log(d2 / d1);
}

} // namespace

double FoulingResistance(bool centralHeating) {
    return centralHeating ? 0.1 : 0.2;
}

double MeanSpecificHeat(std::int16_t t) {
    if (t < 0 || t > 10 * (kSeriesSize - 1) - 1)
        return kNaN;
    const int i = t / 10;
    const double lo = ParamSeries[static_cast<std::size_t>(i)];
    const double hi = ParamSeries[static_cast<std::size_t>(i + 1)];
    return lo + (hi - lo) * (t - 10 * i) / 10.0;
}

void FlowForOutput(std::int16_t t1, std::int16_t t2, const double& Q, double& G) {
    G = Q / EnthalpyDifference(t1, t2);
}

void OutputForFlow(std::int16_t t1, std::int16_t t2, double& Q, double G) {
    Q = EnthalpyDifference(t1, t2) * G;
}

void PressureDropForFlow(std::int16_t T1, std::int16_t T2, std::int16_t m, bool heatingSide,
                         double G, double& Dp) {
    const DropLaw law = DropLawOf(T1, T2, m, heatingSide);
    Dp = std::pow(10.0, Log10(law.C) + law.a * Log10(G) + law.b * Log10(law.Tm));
}

void FlowForPressureDrop(std::int16_t T1, std::int16_t T2, std::int16_t m, bool heatingSide,
                         const double& Dp, double& G) {
    DropLaw law = DropLawOf(T1, T2, m, heatingSide);
    if (m == 1)
        law.C = std::pow(20.0, law.b) * law.C; // this model's coefficient is referred to 20 °C
    G = std::pow(10.0, (Log10(Dp) - Log10(law.C) - law.b * Log10(law.Tm)) / law.a);
}

void EvaluateExchanger(std::int16_t m, bool centralHeating, double Dp1, double Dp2, double T11,
                       double T12, double T21, double T22, double Q, std::int16_t extra, double& kw,
                       double& ke, std::int16_t& n) {
    const double dT = LogMeanDifference(T11 - T22, T12 - T21);

    const std::int16_t t11 = RoundHalfEven16(T11), t12 = RoundHalfEven16(T12);
    const std::int16_t t21 = RoundHalfEven16(T21), t22 = RoundHalfEven16(T22);
    EvaluationRecord r;
    FlowForPressureDrop(t11, t12, m, true, Dp1, r.G1dop);
    FlowForPressureDrop(t21, t22, m, false, Dp2, r.G2dop);
    FlowForOutput(t12, t11, Q, r.G1);
    FlowForOutput(t21, t22, Q, r.G2);
    r.G1Ratio = r.G1 / r.G1dop;
    r.G2Ratio = r.G2 / r.G2dop;

    const double larger =
        std::isnan(r.G1Ratio) || std::isnan(r.G2Ratio) ? kNaN : std::max(r.G1Ratio, r.G2Ratio);
    const double count = std::floor(larger) + 1.0 + extra;
    n = SaturatedCount(count);
    r.Gr1 = r.G1 / count;
    r.Gr2 = r.G2 / count;
    PressureDropForFlow(t11, t12, m, true, r.Gr1, r.dP1);
    PressureDropForFlow(t21, t22, m, false, r.Gr2, r.dP2);

    // Without a finite count there is no installation to require anything of.
    kw = std::isfinite(count) ? Q / (ModelValue(kRowSurface, m) * dT * count) : kNaN;
    const double P = (T11 - T12) / (T11 - T21);
    const double k = ModelValue(kRowC, m) * std::pow(r.Gr1, ModelValue(kRowGr1, m)) *
                     std::pow(r.Gr2, ModelValue(kRowGr2, m)) *
                     std::pow(T11, ModelValue(kRowT11, m)) * std::pow(T22, ModelValue(kRowT22, m)) *
                     std::pow(P, ModelValue(kRowP, m));
    ke = 1.0 / (1.0 / k + FoulingResistance(centralHeating));
    EvaluationResult = r;
}

void FindOutletTemperature(double tFrom, double tTo, std::int16_t m, bool centralHeating,
                           double Dp1, double Dp2, double T11, double& T12, double T21, double T22,
                           double Q, double& kw, double& ke, std::int16_t& n, bool trace) {
    // Past the 16-bit temperatures no trial can succeed; the limits keep a wild range finite.
    constexpr long kMaxTrials = 65536;
    constexpr double kHighestTrial = 32768.0;
    CalcLog& log = Log();
    T12 = -1;
    for (std::int16_t extra = 0; extra <= kMaxExtraExchangers; ++extra) {
        if (trace && extra >= 1 && log.IsOpen())
            log.WriteExtraHeader(extra);
        long trials = 0;
        for (double t = tFrom; t <= tTo && t < kHighestTrial && trials < kMaxTrials; ++trials) {
            EvaluateExchanger(m, centralHeating, Dp1, Dp2, T11, t, T21, T22, Q, extra, kw, ke, n);
            if (trace && log.IsOpen())
                log.WriteTrial(t, n, kw, ke);
            if (ke > kw) {
                T12 = t;
                return;
            }
            const double next = t + 1.0;
            if (next == t)
                break; // too large in magnitude to step by 1
            t = next;
        }
        T12 = -1;
    }
}

double RelativeExcess(double kw, double ke) {
    return (ke - kw) / kw * 100.0;
}

} // namespace kod
