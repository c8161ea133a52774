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

namespace {

// The part of an evaluation that does not depend on T12 and the extra exchangers, worked out once
// per search: the same operations on the same operands as evaluating from scratch, in the same
// order, so the results are identical to the last bit.
struct FixedPart {
    std::int16_t m;
    double T11, T21, Q;
    std::int16_t t11, t21, t22;
    double G2dop, G2, G2Ratio;
    double heatT11; // c̄(t11)·t11, kcal/kg
    double C, expGr1, expGr2, factorT11, factorT22, expP, F, R;
    // The two pressure-drop laws through their decimal logarithms; the heating water's
    // coefficient as the flow-for-drop inverse corrects it for model 1.
    double log10Dp1, log10C1, log10C1Flow, a1, b1;
    double log10C2, a2, b2, log10Tm2;
    // What the heated water gives for one exchanger count: it changes only with the count.
    struct PerCount {
        double count = kNaN, Gr2 = 0, dP2 = 0, factorGr2 = 0;
    };
    mutable PerCount heated;
};

FixedPart Prepare(std::int16_t m, bool centralHeating, double Dp1, double Dp2, double T11,
                  double T21, double T22, double Q) {
    FixedPart f{};
    f.m = m;
    f.T11 = T11, f.T21 = T21, f.Q = Q;
    f.t11 = RoundHalfEven16(T11), f.t21 = RoundHalfEven16(T21), f.t22 = RoundHalfEven16(T22);
    FlowForPressureDrop(f.t21, f.t22, m, false, Dp2, f.G2dop);
    FlowForOutput(f.t21, f.t22, Q, f.G2);
    f.G2Ratio = f.G2 / f.G2dop;
    f.heatT11 = MeanSpecificHeat(f.t11) * f.t11;
    f.C = ModelValue(kRowC, m);
    f.expGr1 = ModelValue(kRowGr1, m);
    f.expGr2 = ModelValue(kRowGr2, m);
    f.factorT11 = std::pow(T11, ModelValue(kRowT11, m));
    f.factorT22 = std::pow(T22, ModelValue(kRowT22, m));
    f.expP = ModelValue(kRowP, m);
    f.F = ModelValue(kRowSurface, m);
    f.R = FoulingResistance(centralHeating);

    DropLaw heating = DropLawOf(f.t11, f.t11, m, true);
    f.log10Dp1 = Log10(Dp1);
    f.log10C1 = Log10(heating.C);
    f.a1 = heating.a, f.b1 = heating.b;
    if (m == 1)
        heating.C = std::pow(20.0, heating.b) * heating.C;
    f.log10C1Flow = Log10(heating.C);
    const DropLaw heated = DropLawOf(f.t21, f.t22, m, false);
    f.log10C2 = Log10(heated.C);
    f.a2 = heated.a, f.b2 = heated.b;
    f.log10Tm2 = Log10(heated.Tm);
    return f;
}

void Evaluate(const FixedPart& f, double T12, double T22, std::int16_t extra, double& kw,
              double& ke, std::int16_t& n, EvaluationRecord& out) {
    const double dT = LogMeanDifference(f.T11 - T22, T12 - f.T21);

    const std::int16_t t12 = RoundHalfEven16(T12);
    const double log10Tm1 = Log10((static_cast<int>(f.t11) + static_cast<int>(t12)) / 2.0);
    EvaluationRecord r;
    // As FlowForPressureDrop and FlowForOutput for the heating water.
    r.G1dop = std::pow(10.0, (f.log10Dp1 - f.log10C1Flow - f.b1 * log10Tm1) / f.a1);
    r.G2dop = f.G2dop;
    r.G1 = f.Q / ((f.heatT11 - MeanSpecificHeat(t12) * t12) * kKcalToKJ);
    r.G2 = f.G2;
    r.G1Ratio = r.G1 / r.G1dop;
    r.G2Ratio = f.G2Ratio;

    const double larger =
        std::isnan(r.G1Ratio) || std::isnan(r.G2Ratio) ? kNaN : std::max(r.G1Ratio, r.G2Ratio);
    // No output, no installation: a count of nothing makes every result non-finite.
    const double count = f.Q > 0 ? std::floor(larger) + 1.0 + extra : kNaN;
    n = SaturatedCount(count);
    r.Gr1 = r.G1 / count;
    if (!(f.heated.count == count)) {
        FixedPart::PerCount& h = f.heated;
        h.count = count;
        h.Gr2 = r.G2 / count;
        h.dP2 = std::pow(10.0, f.log10C2 + f.a2 * Log10(h.Gr2) + f.b2 * f.log10Tm2);
        h.factorGr2 = std::pow(h.Gr2, f.expGr2);
    }
    r.Gr2 = f.heated.Gr2;
    // As PressureDropForFlow for each circuit.
    r.dP1 = std::pow(10.0, f.log10C1 + f.a1 * Log10(r.Gr1) + f.b1 * log10Tm1);
    r.dP2 = f.heated.dP2;

    // Without a finite count there is no installation to require anything of.
    kw = std::isfinite(count) ? f.Q / (f.F * dT * count) : kNaN;
    const double P = (f.T11 - T12) / (f.T11 - f.T21);
    const double k = f.C * std::pow(r.Gr1, f.expGr1) * f.heated.factorGr2 * f.factorT11 *
                     f.factorT22 * std::pow(P, f.expP);
    ke = std::isfinite(count) ? 1.0 / (1.0 / k + f.R) : kNaN;
    out = r;
}

} // namespace

void EvaluateExchanger(std::int16_t m, bool centralHeating, double Dp1, double Dp2, double T11,
                       double T12, double T21, double T22, double Q, std::int16_t extra, double& kw,
                       double& ke, std::int16_t& n) {
    Evaluate(Prepare(m, centralHeating, Dp1, Dp2, T11, T21, T22, Q), T12, T22, extra, kw, ke, n,
             EvaluationResult);
}

void FindOutletTemperature(double tFrom, double tTo, std::int16_t m, bool centralHeating,
                           double Dp1, double Dp2, double T11, double& T12, double T21, double T22,
                           double Q, double& kw, double& ke, std::int16_t& n, bool trace) {
    FindOutletTemperature(tFrom, tTo, m, centralHeating, Dp1, Dp2, T11, T12, T21, T22, Q, kw, ke, n,
                          EvaluationResult, trace ? &Log() : nullptr);
}

void FindOutletTemperature(double tFrom, double tTo, std::int16_t m, bool centralHeating,
                           double Dp1, double Dp2, double T11, double& T12, double T21, double T22,
                           double Q, double& kw, double& ke, std::int16_t& n,
                           EvaluationRecord& record, CalcLog* log) {
    // Past the 16-bit temperatures no trial can succeed; the limits keep a wild range finite.
    constexpr long kMaxTrials = 65536;
    constexpr double kHighestTrial = 32768.0;
    const bool trace = log && log->IsOpen();
    const FixedPart fixed = Prepare(m, centralHeating, Dp1, Dp2, T11, T21, T22, Q);
    T12 = -1;
    for (std::int16_t extra = 0; extra <= kMaxExtraExchangers; ++extra) {
        if (trace && extra >= 1)
            log->WriteExtraHeader(extra);
        long trials = 0;
        for (double t = tFrom; t <= tTo && t < kHighestTrial && trials < kMaxTrials; ++trials) {
            Evaluate(fixed, t, T22, extra, kw, ke, n, record);
            if (trace)
                log->WriteTrial(t, n, kw, ke);
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
