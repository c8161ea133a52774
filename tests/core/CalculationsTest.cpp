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

TEST_F(Calculations, PressureDropFollowsThePowerLawAndInverts) {
    SetModel(0, {.C1 = 2, .a1 = 2, .b1 = 0, .C2 = 3, .a2 = 1, .b2 = -0.5});
    double Dp = 0, G = 0;
    PressureDropForFlow(80, 60, 0, true, 3.0, Dp);
    EXPECT_NEAR(18.0, Dp, 1e-12); // 2 · 3²
    FlowForPressureDrop(80, 60, 0, true, 18.0, G);
    EXPECT_NEAR(3.0, G, 1e-12);
    PressureDropForFlow(80, 60, 0, true, 0.0, Dp);
    EXPECT_NEAR(2.0, Dp, 1e-12); // a zero flow drops its factor: 2 · 1
    PressureDropForFlow(30, 70, 0, false, 2.0, Dp);
    EXPECT_NEAR(0.8485281374, Dp, 1e-9); // Tm = 50: 3 · 2 · 50^-0.5
    UseModels({.C1 = 2, .a1 = 2, .b1 = -0.2, .C2 = 5, .a2 = 1.8, .b2 = -0.1});
    // The inverse gives the flow back, but model 1 refers C to 20 °C (C · 20^b): its flow grows
    // by 20^(-b/a), 20^0.1 = 1.3492828 heating and 20^(0.1 / 1.8) = 1.1810804 heated.
    for (std::int16_t m = 0; m < kModelCount; ++m) {
        for (bool heating : {true, false}) {
            PressureDropForFlow(30, 70, m, heating, 3.0, Dp);
            FlowForPressureDrop(30, 70, m, heating, Dp, G);
            const double growth = m != 1 ? 1 : heating ? 1.3492828 : 1.1810804;
            EXPECT_NEAR(3.0 * growth, G, 1e-6) << m << heating;
        }
    }
}

TEST_F(Calculations, EvaluateExchangerFillsTheRecord) {
    UseModels({.C = 10, .F = 2});
    // 90 -> 70 and 40 -> 60 °C, Q = 1.5 · 83.736 kW: G1 = G2 = 1.5 kg/s; permissible 1 and 4.
    Evaluate(1.0, 4.0, 90, 70, 40, 60, 1.5 * kKcal20);
    EXPECT_EQ(2, n);                                // floor(1.5) + 1
    EXPECT_NEAR(0.75, EvaluationResult.dP2, 1e-12); // 1 · 0.75^1 with 1.5 / 2 kg/s each
    // Equal ends 30 and 30 give ΔT = 0.1 / ln(30.1 / 30) = 30.049972;
    // kw = 125.604 / (2 m² · 30.049972 K · 2) = 1.0449594; ke = 1 / (1/10 + 0.1).
    EXPECT_NEAR(1.0449594, kw, 1e-7);
    EXPECT_NEAR(5.0, ke, 1e-12);
    Evaluate(1.0, 4.0, 90, 70, 40, 60, 1.5 * kKcal20, 3, 0, false);
    EXPECT_EQ(5, n); // extra exchangers add to the count and share the flow
    EXPECT_NEAR(0.3, EvaluationResult.Gr1, 1e-12);
    EXPECT_NEAR(1.0 / 0.3, ke, 1e-12); // domestic hot water fouls more: 1 / (0.1 + 0.2)
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

// C = 10 (ke = 5), F = 1, T11 = 100, T22 = 60, T21 = 20, Q = 320 kW, permissible 100 kg/s.
// kw = 320 / (ΔT · n) with ΔT the mean of 40 and t - 20:
//   one exchanger: kw(60) = 320 / 40.05 = 7.99 > 5, so no t in 40..60 works;
//   two: kw(45) = 320 / (2 · 15 / ln 1.6) = 5.013 > 5, kw(46) = 320 / (2 · 14 / ln(40/26)) = 4.923.
class Search : public Calculations {
protected:
    void Find(double from, double to, double Dp1 = 100) {
        FindOutletTemperature(from, to, 0, true, Dp1, 100, 100, T12, 20, 60, 320, kw, ke, n, false);
    }
    double T12 = 0;
};

TEST_F(Search, FindsTheLowestTemperatureWithTheFewestExchangers) {
    Find(40, 60);
    EXPECT_EQ(46, T12);
    EXPECT_EQ(2, n);
    EXPECT_NEAR(4.92324, kw, 1e-5);
    EXPECT_NEAR(5.0, ke, 1e-12);
    // The record is the successful trial's: G1 = 320 / (54 · 4.1868) over two exchangers.
    EXPECT_NEAR(320 / (54 * 4.1868) / 2, EvaluationResult.Gr1, 1e-12);
}

TEST_F(Search, ReportsMinusOneAfterThreeExtraExchangers) {
    UseModels({.C = 0.1}); // ke = 1 / (10 + 0.1): never enough
    // Permissible heating flow 1 kg/s; at the last trial t = 60: G1 = 320 / (40 · 4.1868) = 1.91,
    // so the minimum count is 2 and the last sweep has 5.
    Find(40, 60, 1);
    EXPECT_EQ(-1, T12);
    EXPECT_EQ(2 + 3, n);
    EXPECT_NEAR(1.0 / 10.1, ke, 1e-12);
    EXPECT_NEAR(1.5980033, kw, 1e-7); // 320 / (40.049979 · 5): ends 40 and 40 nudged
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
    SetModel(2, {.a1 = 0}); // division by zero in the inverse law
    double G = 0;
    FlowForPressureDrop(80, 60, 2, true, 10, G);
    EXPECT_FALSE(std::isfinite(G));
}

} // namespace
