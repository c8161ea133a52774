#include "Support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

using namespace kod;
using namespace testing_core;

namespace {

constexpr double kKcal20 = 20 * 4.1868; // kJ/kg of water cooled by 20 K at c = 1 kcal/(kg·K)
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class Calculations : public ::testing::Test {
protected:
    void SetUp() override { UseModels({.C = 10}); }
    void Evaluate(double Dp1, double Dp2, double T11, double T12, double T21, double T22, double Q,
                  std::int16_t extra = 0, std::int16_t m = 0, bool centralHeating = true) {
        EvaluateExchanger(m, centralHeating, Dp1, Dp2, T11, T12, T21, T22, Q, extra, kw, ke, n);
    }
    void SeriesRising() { // S[i] = 1.00, 1.01, ..., 1.22
        SeriesType series;
        for (int i = 0; i < kSeriesSize; ++i)
            series[i] = 1.0 + i / 100.0;
        SetCatalogue(ParamTable, series);
    }
    double kw = 0, ke = 0;
    std::int16_t n = 0;
};

TEST_F(Calculations, MeanSpecificHeatInterpolatesTheSeries) {
    SeriesRising();
    // S[0]; (S[1] + S[2]) / 2; S[21] + 0.9 (S[22] - S[21]); outside the table nothing.
    const std::pair<std::int16_t, double> cases[] = {{0, 1.00},   {15, 1.015}, {219, 1.219},
                                                     {220, kNaN}, {-1, kNaN},  {32767, kNaN}};
    for (const auto& [t, cp] : cases)
        EXPECT_TRUE(std::isnan(cp) ? !std::isfinite(MeanSpecificHeat(t))
                                   : std::abs(cp - MeanSpecificHeat(t)) < 1e-12)
            << t << ": " << MeanSpecificHeat(t);
}

TEST_F(Calculations, FlowAndOutputFollowTheEnthalpyDifference) {
    double G = 0, Q = 0;
    FlowForOutput(70, 90, 83.736, G); // c = 1: 20 kcal/kg = 83.736 kJ/kg
    EXPECT_NEAR(1.0, G, 1e-12);
    // h(90) = 1.09 · 90 = 98.1, h(70) = 1.07 · 70 = 74.9 kcal/kg: 23.2 kcal/kg = 97.13376 kJ/kg.
    SeriesRising();
    OutputForFlow(70, 90, Q, 2.0);
    EXPECT_NEAR(2 * 97.13376, Q, 1e-9);
    FlowForOutput(70, 90, 97.13376, G);
    EXPECT_NEAR(1.0, G, 1e-12);
}

// A model whose correlation rows all have their own non-zero exponents and whose two circuits
// follow different laws (catalogue rows 3..15), with c = 1 kcal/(kg·K):
//   k = 0.01 · Gr1² · Gr2⁻¹ · T11^0.5 · T22 · P²,   F = 4.1868 m²
//   heating water  dp = 80 · G² · Tm⁻¹,   heated water  dp = 0.004 · G · Tm²   (kPa, kg/s, °C)
// Q = 360 · 4.1868 kW then needs G = 360 / Δt kg/s on either side.
constexpr ModelValues kSynthetic{.C = 0.01,
                                 .expGr1 = 2,
                                 .expGr2 = -1,
                                 .expT11 = 0.5,
                                 .expT22 = 1,
                                 .expP = 2,
                                 .C1 = 80,
                                 .a1 = 2,
                                 .b1 = -1,
                                 .C2 = 0.004,
                                 .a2 = 1,
                                 .b2 = 2,
                                 .F = 4.1868};
constexpr double kQ360 = 360 * 4.1868;       // kW
constexpr double kDp1 = 36, kDp2 = 22.5;     // kPa
constexpr double kLn2 = 0.69314718055994531; // ln 2

// Relative difference: 1e-9 for exact expressions, 1e-7 for hand values given to 8 digits.
::testing::AssertionResult Near(double expected, double actual, double tolerance = 1e-9) {
    if (std::abs(expected - actual) <= tolerance * std::abs(expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected " << expected << ", got " << actual;
}

// Both laws over all four models: no model corrects the pressure drop, and the flow for a drop is
// its inverse except for model 1, whose coefficient is referred to 20 °C (C · 20^b): heating
// C = 80 · 20⁻¹ = 4, heated C = 0.004 · 20² = 1.6.
TEST_F(Calculations, PressureDropLawsAndTheirInverse) {
    UseModels(kSynthetic);
    struct Case {
        std::int16_t T1, T2;
        bool heating;
        double G, Dp;       // kg/s, kPa
        double back, back1; // flow for Dp: models 0, 2, 3 and model 1
    };
    const Case cases[] = {
        // Tm 80: 80 · 3² / 80 = 9; model 1: (9 · 80 / 4)^(1/2) = √180.
        {100, 60, true, 3, 9, 3, 13.416407865},
        // Tm 80.5, not 80: 80 · 9 / 80.5 = 8.94409938; model 1 again √(8.944 · 80.5 / 4) = √180.
        {100, 61, true, 3, 8.9440993789, 3, 13.416407865},
        // A zero flow drops its factor: 80 · 80⁻¹ = 1, whose flow is 1; model 1: √(80 / 4) = √20.
        {60, 100, true, 0, 1, 1, 4.472135955},
        // Tm 50: 0.004 · 2 · 50² = 20; model 1: 20 / (1.6 · 2500) = 0.005.
        {20, 80, false, 2, 20, 2, 0.005},
    };
    for (const Case& c : cases) {
        for (std::int16_t m = 0; m < kModelCount; ++m) {
            SCOPED_TRACE(testing::Message() << c.T1 << "->" << c.T2 << " G " << c.G << " m " << m);
            double Dp = 0, G = 0;
            PressureDropForFlow(c.T1, c.T2, m, c.heating, c.G, Dp);
            EXPECT_TRUE(Near(c.Dp, Dp));
            FlowForPressureDrop(c.T1, c.T2, m, c.heating, c.Dp, G);
            EXPECT_TRUE(Near(m == 1 ? c.back1 : c.back, G));
        }
    }
}

// The point T11 100, T12 60, T21 20, T22 80 °C, Dp1 36, Dp2 22.5 kPa, Q = 360 · 4.1868 kW:
//   ends 20 and 40 K: ΔT = 20 / ln 2 = 28.853901 K; Tm1 = 80, Tm2 = 50; P = 40 / 80 = 0.5
//   G1dop = (36 · 80 / 80)^(1/2) = 6, G2dop = 22.5 / (0.004 · 50²) = 2.25
//   G1 = 360 / 40 = 9, G2 = 360 / 60 = 6; ratios 1.5 and 2.667: n = 2 + 1 = 3
//   Gr1 = 3, Gr2 = 2; dP1 = 80 · 3² / 80 = 9, dP2 = 0.004 · 2 · 50² = 20
//   kw = 360 · 4.1868 / (4.1868 · 28.853901 · 3) = 6 ln 2
//   k = 0.01 · 3² · 2⁻¹ · 100^0.5 · 80 · 0.5² = 9; ke = 1 / (1/9 + 0.1) = 90/19 ("c.o.")
struct EvaluationCase {
    const char* name;
    double T11, T12, T21, T22;
    std::int16_t extra;
    bool centralHeating;
    std::int16_t n;
    double kw, ke;
    EvaluationRecord r;
};

const EvaluationRecord kAt60 = {6, 2.25, 9, 6, 1.5, 6 / 2.25, 3, 2, 9, 20};
// Five exchangers share the flows: Gr1 = 1.8, Gr2 = 1.2; dP1 = 80 · 1.8² / 80 = 3.24,
// dP2 = 0.004 · 1.2 · 2500 = 12.
const EvaluationRecord kFiveAt60 = {6, 2.25, 9, 6, 1.5, 6 / 2.25, 1.8, 1.2, 3.24, 12};

const EvaluationCase kEvaluations[] = {
    {"central heating", 100, 60, 20, 80, 0, true, 3, 6 * kLn2, 90.0 / 19, kAt60},
    // Hot water fouls more: ke = 1 / (1/9 + 0.2) = 90/28.
    {"hot water", 100, 60, 20, 80, 0, false, 3, 6 * kLn2, 90.0 / 28, kAt60},
    // kw = 360 / (28.853901 · 5) = 3.6 ln 2; k = 0.01 · 1.8² / 1.2 · 10 · 80 · 0.25 = 5.4,
    // ke = 1 / (1/5.4 + 0.1) = 5.4 / 1.54.
    {"two extra", 100, 60, 20, 80, 2, true, 5, 3.6 * kLn2, 5.4 / 1.54, kFiveAt60},
    // Flows and drops take the temperatures rounded halves to even: 100.5 -> 100, 59.5 -> 60,
    // 20.5 -> 20, 79.6 -> 80, so the record is the first one; ΔT, P and k take them as they are:
    //   ends 20.9 and 39 K: ΔT = 18.1 / ln(39 / 20.9) = 29.015129, kw = 360 / (3 ΔT) = 4.1357734
    //   P = 41 / 80 = 0.5125; k = 0.01 · 9 · 0.5 · √100.5 · 79.6 · 0.5125² = 0.045 · 10.024969
    //   · 79.6 · 0.26265625 = 9.4318384; ke = 1 / (1/9.4318384 + 0.1) = 4.8538065
    {"between degrees", 100.5, 59.5, 20.5, 79.6, 0, true, 3, 4.1357734, 4.8538065, kAt60},
    // The other neighbours: 99.5 -> 100, 60.5 -> 60, 19.5 -> 20, 80.5 -> 80, the same record:
    //   ends 19 and 41 K: ΔT = 22 / ln(41 / 19) = 28.603632, kw = 360 / (3 ΔT) = 4.1952714
    //   P = 39 / 80 = 0.4875; k = 0.045 · √99.5 · 80.5 · 0.4875² = 0.045 · 9.9749687 · 80.5
    //   · 0.23765625 = 8.5875479; ke = 1 / (1/8.5875479 + 0.1) = 4.6200542
    {"other neighbours", 99.5, 60.5, 19.5, 80.5, 0, true, 3, 4.1952714, 4.6200542, kAt60},
};

TEST_F(Calculations, EvaluateExchangerOnTheSyntheticModel) {
    UseModels(kSynthetic);
    const std::pair<const char*, double EvaluationRecord::*> fields[] = {
        {"G1dop", &EvaluationRecord::G1dop},     {"G2dop", &EvaluationRecord::G2dop},
        {"G1", &EvaluationRecord::G1},           {"G2", &EvaluationRecord::G2},
        {"G1Ratio", &EvaluationRecord::G1Ratio}, {"G2Ratio", &EvaluationRecord::G2Ratio},
        {"Gr1", &EvaluationRecord::Gr1},         {"Gr2", &EvaluationRecord::Gr2},
        {"dP1", &EvaluationRecord::dP1},         {"dP2", &EvaluationRecord::dP2}};
    for (const EvaluationCase& c : kEvaluations) {
        SCOPED_TRACE(c.name);
        EvaluationResult = {};
        EvaluateExchanger(0, c.centralHeating, kDp1, kDp2, c.T11, c.T12, c.T21, c.T22, kQ360,
                          c.extra, kw, ke, n);
        EXPECT_EQ(c.n, n);
        EXPECT_TRUE(Near(c.kw, kw, 1e-7)) << "kw";
        EXPECT_TRUE(Near(c.ke, ke, 1e-7)) << "ke";
        for (const auto& [name, field] : fields)
            EXPECT_TRUE(Near(c.r.*field, EvaluationResult.*field)) << name;
    }
}

TEST_F(Calculations, MeanTemperatureDifferenceNudgesEqualEnds) {
    // Q = 2 · 83.736 kW, permissible 100 kg/s: one exchanger with F = 1, so ΔT = Q / kw.
    // Ends 10 and 10: 0.1 / ln(10.1 / 10); 40 and 10 or 10 and 40: 30 / ln 4.
    const double cases[][3] = {{60, 90, 10.0499171}, {60, 60, 21.640425}, {90, 90, 21.640425}};
    for (const auto& [T12, T22, dT] : cases) {
        Evaluate(100, 100, 100, T12, 50, T22, 2 * kKcal20);
        EXPECT_NEAR(dT, 2 * kKcal20 / kw, 1e-6) << T12 << ' ' << T22;
    }
}

TEST_F(Calculations, ExchangerCountIsTheWholePartOfTheRatioPlusOne) {
    // Permissible heating flow 1 kg/s; the heating water 90 -> 70 °C.
    const std::pair<double, int> cases[] = {{1.0, 2}, {0.999, 1}, {2.5, 3}, {9.99, 10}};
    for (const auto& [ratio, count] : cases) {
        Evaluate(1.0, 1000, 90, 70, 40, 60, ratio * kKcal20);
        EXPECT_EQ(count, n) << ratio;
    }
    Evaluate(1000, 0.5, 90, 70, 40, 60, 1.2 * kKcal20); // the heated side's ratio 2.4 decides
    EXPECT_EQ(3, n);
}

// The synthetic model at T11 100, T21 20, T22 80 °C, Dp1 36, Dp2 22.5 kPa, Q = 360 · 4.1868 kW
// (c.o.), T12 = t searched. The heated ratio 2.67 always decides the minimum count, 3. ke depends
// on n alone: Gr1 · P = 360 / (100 − t) / n · (100 − t) / 80 = 4.5 / n and Gr2 = 6 / n, so
// k = 0.01 · (4.5 / n)² · (n / 6) · 10 · 80 = 27 / n and ke = 1 / (n / 27 + 0.1):
//   n = 3: 90/19 = 4.7368, n = 4: 270/67 = 4.0299, n = 5: 3.5065, n = 6: 90/29 = 3.1034.
// kw = 360 / (ΔT · n), ΔT the log mean of the ends 20 and t − 20.
class Search : public Calculations {
protected:
    void SetUp() override { UseModels(kSynthetic); }
    void Find(double from, double to) {
        FindOutletTemperature(from, to, 0, true, kDp1, kDp2, 100, T12, 20, 80, kQ360, kw, ke, n,
                              false);
    }
    double T12 = 0;
};

TEST_F(Search, FindsTheLowestTemperatureWithTheFewestExchangers) {
    struct Case {
        double from, to, T12;
        std::int16_t n;
        double kw, ke, Gr1; // of the last trial
    };
    const Case cases[] = {
        // 3 exchangers: kw(51) = 120 ln 1.55 / 11 = 4.7810 > 4.7368;
        // kw(52) = 120 ln 1.6 / 12 = 4.7000363 found; Gr1 = 360 / 48 / 3 = 2.5.
        {45, 60, 52, 3, 10 * std::log(1.6), 90.0 / 19, 2.5},
        // 3: kw(45) = 120 ln 1.25 / 5 = 5.3554 > ke; 4: kw(44) = 90 ln 1.2 / 4 = 4.1022 >
        // 4.0299, kw(45) = 18 ln 1.25 = 4.0165839 found; Gr1 = 360 / 55 / 4 = 1.6363636.
        {40, 45, 45, 4, 18 * std::log(1.25), 270.0 / 67, 360.0 / 55 / 4},
        // 5 at t = 40 (ends 20 and 20 nudged: ΔT = 0.1 / ln(20.1 / 20) = 20.0499) gives
        // kw = 72 / 20.0499 = 3.5910 > 3.5065; 6: kw(38) = 30 ln(20 / 18) = 3.1608 > 3.1034,
        // kw(39) = 60 ln(20 / 19) = 3.0775977 found; Gr1 = 360 / 61 / 6.
        {25, 40, 39, 6, 60 * std::log(20.0 / 19), 90.0 / 29, 360.0 / 61 / 6},
        // Never: the last trial is t = 30 with 3 + 3 exchangers: kw = 60 ln 2 / 10 = 6 ln 2,
        // Gr1 = 360 / 70 / 6.
        {25, 30, -1, 6, 6 * kLn2, 90.0 / 29, 360.0 / 70 / 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << ".." << c.to);
        Find(c.from, c.to);
        EXPECT_EQ(c.T12, T12);
        EXPECT_EQ(c.n, n);
        EXPECT_TRUE(Near(c.kw, kw)) << "kw";
        EXPECT_TRUE(Near(c.ke, ke)) << "ke";
        EXPECT_TRUE(Near(c.Gr1, EvaluationResult.Gr1)) << "Gr1";
    }
}

TEST_F(Search, EmptyOrWildRangesEvaluateNothing) {
    EvaluationResult = EvaluationRecord{.G1 = 123};
    T12 = 55, kw = 7, ke = 8, n = 9;
    Find(61, 60);
    EXPECT_EQ(-1, T12);
    EXPECT_EQ(std::tuple(7.0, 8.0, 9), std::tuple(kw, ke, n));
    EXPECT_EQ(123, EvaluationResult.G1);
    const double inf = std::numeric_limits<double>::infinity();
    for (const auto& [from, to] : {std::pair(32000.0, inf), {-1e300, 0.0}, {kNaN, 100.0}}) {
        Find(from, to);
        EXPECT_EQ(-1, T12) << from << ".." << to;
    }
}

TEST_F(Search, AStrictlyGreaterCoefficientIsNeeded) {
    UseModels({.C = 0}); // no clean coefficient: ke = 1 / (1/0 + R) = 0; no output: kw = 0
    FindOutletTemperature(40, 45, 0, true, 100, 100, 100, T12, 20, 60, 0, kw, ke, n, false);
    EXPECT_EQ(-1, T12);
}

// Arguments the windows never pass give non-finite or saturated results, not a crash (the
// sanitizer build runs these).
TEST_F(Calculations, OutsideTheDomainNothingBreaks) {
    UseModels({.C = 10, .expP = 0.3});
    const std::int16_t most = std::numeric_limits<std::int16_t>::max();
    // Model, T11, T12 and whether the count saturates: T12 rounding to T11 (an infinite flow),
    // T11 beyond the specific heat table, a model outside the catalogue; then T12 above T11
    // (P < 0 to a fractional power) and end differences of opposite signs.
    const double cases[][4] = {
        {0, 90, 89.6, 1}, {0, 250, 70, 1}, {7, 90, 70, 1}, {0, 90, 95, 0}, {0, 90, 30, 0}};
    for (const auto& [m, T11, T12, saturated] : cases) {
        Evaluate(100, 100, T11, T12, 40, 60, 100, 0, static_cast<std::int16_t>(m));
        EXPECT_TRUE(std::isnan(kw) || std::isnan(ke)) << T11 << ' ' << T12; // so no ke > kw
        EXPECT_TRUE(!saturated || n == most) << T11 << ' ' << T12 << ": " << n;
    }
    Evaluate(1e-300, 100, 90, 70, 40, 60, 100, 3); // a vanishing permissible drop
    EXPECT_EQ(most, n);
    // No output (or a negative one): no installation, so nothing finite and no success.
    for (double Q : {0.0, -50.0}) {
        Evaluate(100, 100, 90, 70, 40, 60, Q, 0);
        EXPECT_TRUE(std::isnan(kw) && std::isnan(ke)) << Q;
        EXPECT_EQ(most, n) << Q;
        double T12 = 0;
        FindOutletTemperature(45, 80, 0, true, 100, 100, 90, T12, 40, 60, Q, kw, ke, n, false);
        EXPECT_EQ(-1, T12) << Q;
    }
    SetModel(2, {.a1 = 0}); // division by zero in the inverse law
    double G = 0;
    FlowForPressureDrop(80, 60, 2, true, 10, G);
    EXPECT_FALSE(std::isfinite(G));
}

} // namespace
