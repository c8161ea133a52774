#include "TestCatalogue.h"

#include "core/Kod.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kod;
using testing_core::ModelValues;
using testing_core::SetModel;
using testing_core::UseModels;

namespace {

class Calculations : public ::testing::Test {
protected:
    void SetUp() override { UseModels(ModelValues{}); }
};

TEST_F(Calculations, MeanSpecificHeatInterpolatesTheSeries) {
    for (int i = 0; i < kSeriesSize; ++i)
        ParamSeries[static_cast<std::size_t>(i)] = 1.0 + i / 100.0; // S[i] = 1.00, 1.01, ...
    EXPECT_DOUBLE_EQ(1.00, MeanSpecificHeat(0));                    // S[0]
    EXPECT_DOUBLE_EQ(1.015, MeanSpecificHeat(15));                  // (S[1] + S[2]) / 2
    EXPECT_DOUBLE_EQ(1.10, MeanSpecificHeat(100));                  // S[10]
    EXPECT_DOUBLE_EQ(1.219, MeanSpecificHeat(219));                 // S[21] + 0.9 (S[22] - S[21])
    // Outside the table there is nothing to interpolate.
    EXPECT_TRUE(std::isnan(MeanSpecificHeat(220)));
    EXPECT_TRUE(std::isnan(MeanSpecificHeat(-1)));
    EXPECT_TRUE(std::isnan(MeanSpecificHeat(32767)));
}

TEST_F(Calculations, FlowAndOutputFollowTheEnthalpyDifference) {
    // With c = 1 kcal/(kg·K): 70 -> 90 °C is 20 kcal/kg = 83.736 kJ/kg.
    double Q = 83.736, G = 0;
    FlowForOutput(70, 90, Q, G);
    EXPECT_NEAR(1.0, G, 1e-12);
    EXPECT_EQ(83.736, Q); // the output is an input here
    OutputForFlow(70, 90, Q, 2.0);
    EXPECT_NEAR(167.472, Q, 1e-9);

    // A mean specific heat that changes with t: S[i] = 1 + i/100. h(90) = 1.09 · 90 = 98.1,
    // h(70) = 1.07 · 70 = 74.9 kcal/kg; difference 23.2 kcal/kg = 97.13376 kJ/kg.
    for (int i = 0; i < kSeriesSize; ++i)
        ParamSeries[static_cast<std::size_t>(i)] = 1.0 + i / 100.0;
    OutputForFlow(70, 90, Q, 1.0);
    EXPECT_NEAR(97.13376, Q, 1e-9);
    FlowForOutput(70, 90, 97.13376, G);
    EXPECT_NEAR(1.0, G, 1e-12);
}

TEST_F(Calculations, PressureDropFollowsThePowerLaw) {
    ModelValues v;
    v.C1 = 2, v.a1 = 2, v.b1 = 0;    // heating side: 2 · G²
    v.C2 = 3, v.a2 = 1, v.b2 = -0.5; // heated side: 3 · G · Tm^-0.5
    SetModel(0, v);
    double Dp = 0;
    PressureDropForFlow(80, 60, 0, true, 3.0, Dp);
    EXPECT_NEAR(18.0, Dp, 1e-12); // 2 · 3²
    PressureDropForFlow(80, 60, 0, true, 0.0, Dp);
    EXPECT_NEAR(2.0, Dp, 1e-12); // a zero flow drops its factor: 2 · 1
    PressureDropForFlow(30, 70, 0, false, 2.0, Dp);
    EXPECT_NEAR(0.8485281374, Dp, 1e-9); // Tm = 50: 3 · 2 · 50^-0.5 = 6 / 7.0710678
}

TEST_F(Calculations, FlowForPressureDropInvertsThePressureDrop) {
    ModelValues v;
    v.C1 = 2, v.a1 = 2, v.b1 = -0.2;
    v.C2 = 5, v.a2 = 1.8, v.b2 = -0.1;
    UseModels(v);
    for (std::int16_t m : {0, 2, 3}) {
        for (bool heating : {true, false}) {
            double Dp = 0, G = 0;
            PressureDropForFlow(80, 60, m, heating, 3.0, Dp);
            FlowForPressureDrop(80, 60, m, heating, Dp, G);
            EXPECT_NEAR(3.0, G, 1e-12) << m << heating;
        }
    }
    // Model 1 refers its coefficient to 20 °C: C becomes 20^b · C, so the flow grows by
    // 20^(-b/a) = 20^0.1 = 1.3492828 on the heating side (b = -0.2, a = 2).
    double Dp = 0, G = 0;
    PressureDropForFlow(80, 60, 1, true, 3.0, Dp);
    FlowForPressureDrop(80, 60, 1, true, Dp, G);
    EXPECT_NEAR(3.0 * 1.3492828477, G, 1e-9);
    // Heated side: 20^(0.1 / 1.8) = 1.1810804.
    PressureDropForFlow(30, 70, 1, false, 3.0, Dp);
    FlowForPressureDrop(30, 70, 1, false, Dp, G);
    EXPECT_NEAR(3.0 * 1.1810804, G, 1e-6);
    // Dp = 18 kPa with 2 · G² gives G = 3 directly.
    SetModel(0, ModelValues{.C1 = 2, .a1 = 2, .b1 = 0});
    FlowForPressureDrop(80, 60, 0, true, 18.0, G);
    EXPECT_NEAR(3.0, G, 1e-12);
}

// A model whose clean coefficient is a constant C and whose permissible flows equal the
// permissible pressure drops (C1 = C2 = 1, a = 1, b = 0), with c = 1 kcal/(kg·K).
ModelValues PlainModel(double C, double F = 1) {
    ModelValues v;
    v.C = C;
    v.F = F;
    return v;
}

constexpr double kKcal20 = 20 * 4.1868; // kJ/kg carried by 1 kg/s cooled by 20 K

TEST_F(Calculations, EvaluateExchangerFillsTheRecord) {
    UseModels(PlainModel(10, 2));
    double kw = 0, ke = 0;
    std::int16_t n = 0;
    // T11 90 -> T12 70 (20 K), T21 40 -> T22 60 (20 K); Q = 20 · 4.1868 · 1.5 kW.
    EvaluateExchanger(0, true, 1.0, 4.0, 90, 70, 40, 60, 1.5 * kKcal20, 0, kw, ke, n);
    const EvaluationRecord& r = EvaluationResult;
    EXPECT_NEAR(1.0, r.G1dop, 1e-12); // 10^(log10(1) / 1)
    EXPECT_NEAR(4.0, r.G2dop, 1e-12);
    EXPECT_NEAR(1.5, r.G1, 1e-12);
    EXPECT_NEAR(1.5, r.G2, 1e-12);
    EXPECT_NEAR(1.5, r.G1Ratio, 1e-12);
    EXPECT_NEAR(0.375, r.G2Ratio, 1e-12);
    EXPECT_EQ(2, n); // floor(1.5) + 1
    EXPECT_NEAR(0.75, r.Gr1, 1e-12);
    EXPECT_NEAR(0.75, r.Gr2, 1e-12);
    EXPECT_NEAR(0.75, r.dP1, 1e-12); // 1 · 0.75^1
    EXPECT_NEAR(0.75, r.dP2, 1e-12);
    // End differences 90 - 60 = 30 and 70 - 40 = 30 are equal: 30.1 and 30 give
    // 0.1 / ln(30.1 / 30) = 30.049972; kw = 125.604 / (2 m² · 30.049972 K · 2) = 1.0449594.
    EXPECT_NEAR(1.0449594, kw, 1e-7);
    EXPECT_NEAR(1.0 / (1.0 / 10 + 0.1), ke, 1e-12); // 5 with fouling 0.1

    // Domestic hot water fouls more: 1 / (0.1 + 0.2).
    EvaluateExchanger(0, false, 1.0, 4.0, 90, 70, 40, 60, 1.5 * kKcal20, 0, kw, ke, n);
    EXPECT_NEAR(1.0 / 0.3, ke, 1e-12);
    // Extra exchangers add to the count and share the flow.
    EvaluateExchanger(0, true, 1.0, 4.0, 90, 70, 40, 60, 1.5 * kKcal20, 3, kw, ke, n);
    EXPECT_EQ(5, n);
    EXPECT_NEAR(0.3, EvaluationResult.Gr1, 1e-12);
}

TEST_F(Calculations, CleanCoefficientIsAProductOfPowers) {
    ModelValues v = PlainModel(2);
    v.expGr1 = 0.5, v.expGr2 = 0.25, v.expT11 = 0.1, v.expT22 = -0.2, v.expP = 0.3;
    UseModels(v);
    double kw = 0, ke = 0;
    std::int16_t n = 0;
    // G1 = G2 = 4 kg/s (Q = 4 · 83.736), permissible 10 kg/s: one exchanger, Gr1 = Gr2 = 4.
    // P = (90 - 70) / (90 - 40) = 0.4.
    EvaluateExchanger(0, true, 10, 10, 90, 70, 40, 60, 4 * kKcal20, 0, kw, ke, n);
    ASSERT_EQ(1, n);
    // k = 2 · 4^0.5 · 4^0.25 · 90^0.1 · 60^-0.2 · 0.4^0.3
    //   = 2 · 2 · 1.4142136 · 1.5682823 · 0.4409301 · 0.7596578 = 2.9715770;
    // ke = 1 / (1 / 2.9715770 + 0.1) = 2.2908371.
    EXPECT_NEAR(2.2908371, ke, 1e-6);
}

TEST_F(Calculations, EqualEndDifferencesAreNudged) {
    UseModels(PlainModel(10));
    double kw = 0, ke = 0;
    std::int16_t n = 0;
    // T11 - T22 = 100 - 90 = 10 and T12 - T21 = 60 - 50 = 10: ΔT = 0.1 / ln(10.1 / 10) = 10.049917.
    // Q = 83.736 kW (1 kg/s on 20 K), permissible 100 kg/s: one exchanger, F = 1.
    EvaluateExchanger(0, true, 100, 100, 100, 60, 50, 90, 2 * kKcal20, 0, kw, ke, n);
    ASSERT_EQ(1, n);
    EXPECT_NEAR(10.0499171, 2 * kKcal20 / kw, 1e-6);
    // Unequal differences 40 and 10: ΔT = 30 / ln 4 = 21.640425.
    EvaluateExchanger(0, true, 100, 100, 100, 60, 50, 60, 2 * kKcal20, 0, kw, ke, n);
    EXPECT_NEAR(21.640425, 2 * kKcal20 / kw, 1e-6);
    // The other way round, 10 and 40, gives the same mean.
    EvaluateExchanger(0, true, 100, 100, 100, 90, 50, 90, 2 * kKcal20, 0, kw, ke, n);
    EXPECT_NEAR(21.640425, 2 * kKcal20 / kw, 1e-6);
}

TEST_F(Calculations, ExchangerCountIsTheWholePartOfTheRatioPlusOne) {
    UseModels(PlainModel(10));
    double kw = 0, ke = 0;
    std::int16_t n = 0;
    // Permissible heating flow 1 kg/s (Dp1 = 1 with 1 · G); heated side far from its limit.
    // The heating water 90 -> 70 °C carries 20 · 4.1868 kJ/kg.
    const struct {
        double ratio;
        std::int16_t n;
    } cases[] = {{1.0, 2}, {0.999, 1}, {0.3, 1}, {2.0, 3}, {2.5, 3}, {9.99, 10}};
    for (const auto& c : cases) {
        EvaluateExchanger(0, true, 1.0, 1000, 90, 70, 40, 60, c.ratio * kKcal20, 0, kw, ke, n);
        EXPECT_EQ(c.n, n) << c.ratio;
    }
    // The heated side decides when its ratio is the larger: 40 -> 60 °C, permissible 0.5 kg/s.
    EvaluateExchanger(0, true, 1000, 0.5, 90, 70, 40, 60, 1.2 * kKcal20, 0, kw, ke, n);
    EXPECT_EQ(3, n); // ratio 2.4
}

TEST_F(Calculations, TemperaturesAreRoundedHalfToEven) {
    UseModels(PlainModel(10));
    double kw = 0, ke = 0;
    std::int16_t n = 0;
    // T12 = 70.5 rounds to 70 and T22 = 61.5 to 62 for the flows: heating 90 -> 70 (20 K),
    // heated 40 -> 62 (22 K). Q = 83.736 kW: G1 = 1, G2 = 20 / 22.
    EvaluateExchanger(0, true, 100, 100, 90, 70.5, 40, 61.5, kKcal20, 0, kw, ke, n);
    EXPECT_NEAR(1.0, EvaluationResult.G1, 1e-12);
    EXPECT_NEAR(20.0 / 22.0, EvaluationResult.G2, 1e-12);
    // 71.5 rounds to 72: 18 K.
    EvaluateExchanger(0, true, 100, 100, 90, 71.5, 40, 61.5, kKcal20, 0, kw, ke, n);
    EXPECT_NEAR(20.0 / 18.0, EvaluationResult.G1, 1e-12);
}

// Outlet temperature search on the plain model with C = 10 (ke = 5 for central heating), F = 1,
// T11 = 100, T22 = 60, T21 = 20, Q = 320 kW, permissible flows 100 kg/s (one exchanger).
// kw = 320 / (ΔT · n) with ΔT the mean of 40 and t - 20:
//   one exchanger: kw(60) = 320 / 40.05 = 7.99 > 5, so no t in 40..60 works;
//   two: kw(45) = 320 / (2 · 15 / ln 1.6) = 5.013 > 5, kw(46) = 320 / (2 · 14 / ln(40/26)) = 4.923.
class Search : public Calculations {
protected:
    void SetUp() override { UseModels(PlainModel(10)); }
    void Find(double from, double to, bool trace = false) {
        FindOutletTemperature(from, to, 0, true, 100, 100, 100, T12, 20, 60, 320, kw, ke, n, trace);
    }
    double T12 = 0, kw = 0, ke = 0;
    std::int16_t n = 0;
};

TEST_F(Search, FindsTheLowestTemperatureWithTheFewestExchangers) {
    Find(40, 60);
    EXPECT_EQ(46, T12);
    EXPECT_EQ(2, n);
    EXPECT_NEAR(4.92324, kw, 1e-5);
    EXPECT_NEAR(5.0, ke, 1e-12);
    // The record describes the successful trial: G1 = 320 / (54 · 4.1868) over 2 exchangers.
    EXPECT_NEAR(320 / (54 * 4.1868) / 2, EvaluationResult.Gr1, 1e-12);
}

TEST_F(Search, ReportsMinusOneAfterThreeExtraExchangers) {
    UseModels(PlainModel(0.1)); // ke = 1 / (10 + 0.1): never enough
    // Permissible heating flow 1 kg/s; at the last trial t = 60 the heating water cools by 40 K:
    // G1 = 320 / (40 · 4.1868) = 1.91, so the minimum count is 2 and the last sweep has 5.
    FindOutletTemperature(40, 60, 0, true, 1, 100, 100, T12, 20, 60, 320, kw, ke, n, false);
    EXPECT_EQ(-1, T12);
    EXPECT_EQ(2 + 3, n);
    EXPECT_NEAR(1.0 / 10.1, ke, 1e-12);
    EXPECT_NEAR(1.5980033, kw, 1e-7); // 320 / (40.049979 · 5): ΔT of 40 and 40 nudged
}

TEST_F(Search, EmptyRangeEvaluatesNothing) {
    EvaluationResult = EvaluationRecord{};
    EvaluationResult.G1 = 123;
    T12 = 55, kw = 7, ke = 8, n = 9;
    Find(61, 60);
    EXPECT_EQ(-1, T12);
    EXPECT_EQ(7, kw);
    EXPECT_EQ(8, ke);
    EXPECT_EQ(9, n);
    EXPECT_EQ(123, EvaluationResult.G1);
}

TEST_F(Search, AStrictlyGreaterCoefficientIsNeeded) {
    // No output and no clean coefficient: kw = 0 / (F · ΔT · n) = 0 and ke = 1 / (1/0 + R) = 0.
    // Equal coefficients do not suffice.
    UseModels(PlainModel(0));
    FindOutletTemperature(40, 45, 0, true, 100, 100, 100, T12, 20, 60, 0, kw, ke, n, false);
    EXPECT_EQ(0, kw);
    EXPECT_EQ(0, ke);
    EXPECT_EQ(-1, T12);
    // Any clean coefficient at all then beats kw = 0 at the first trial.
    UseModels(PlainModel(1e-9));
    FindOutletTemperature(40, 45, 0, true, 100, 100, 100, T12, 20, 60, 0, kw, ke, n, false);
    EXPECT_EQ(40, T12);
}

// Arguments the windows never pass must give non-finite or saturated results, not a crash or
// undefined behaviour (the sanitizer build runs these).
TEST_F(Calculations, OutsideTheDomainNothingBreaks) {
    ModelValues v = PlainModel(10);
    v.expGr1 = 0.5, v.expP = 0.3;
    UseModels(v);
    double kw = 0, ke = 0;
    std::int16_t n = 0;
    const std::int16_t most = std::numeric_limits<std::int16_t>::max();

    // T12 rounds to T11: no enthalpy difference, an infinite flow and the largest count.
    EvaluateExchanger(0, true, 100, 100, 90, 89.6, 40, 60, 100, 0, kw, ke, n);
    EXPECT_TRUE(std::isinf(EvaluationResult.G1));
    EXPECT_EQ(most, n);
    EXPECT_TRUE(std::isnan(kw)); // so that ke > kw cannot hold

    // A temperature beyond the specific heat table: the flow is not a number.
    EvaluateExchanger(0, true, 100, 100, 250, 70, 40, 60, 100, 0, kw, ke, n);
    EXPECT_TRUE(std::isnan(EvaluationResult.G1));
    EXPECT_EQ(most, n);
    EXPECT_TRUE(std::isnan(ke));
    EXPECT_TRUE(std::isnan(kw));

    // A model index outside the catalogue reads no cell.
    EvaluateExchanger(7, true, 100, 100, 90, 70, 40, 60, 100, 0, kw, ke, n);
    EXPECT_TRUE(std::isnan(EvaluationResult.G1dop));
    EXPECT_TRUE(std::isnan(ke));
    EXPECT_EQ(most, n);
    EXPECT_TRUE(ModelName(-1).empty());

    // T12 above T11: P < 0 and P^0.3 is not a number.
    EvaluateExchanger(0, true, 100, 100, 90, 95, 40, 60, 100, 0, kw, ke, n);
    EXPECT_TRUE(std::isnan(ke));

    // A vanishing permissible drop: a ratio around 1e300 saturates the count, extra included.
    EvaluateExchanger(0, true, 1e-300, 100, 90, 70, 40, 60, 100, 3, kw, ke, n);
    EXPECT_EQ(most, n);
    // A negative flow (negative output) counts down to the smallest count.
    EvaluateExchanger(0, true, 1e-300, 1e-300, 90, 70, 40, 60, -100, 0, kw, ke, n);
    EXPECT_EQ(std::numeric_limits<std::int16_t>::min(), n);

    // End differences of opposite signs: the logarithm of a negative ratio.
    EvaluateExchanger(0, true, 100, 100, 90, 30, 40, 60, 100, 0, kw, ke, n);
    EXPECT_TRUE(std::isnan(kw));

    // Zero flow exponent: division by zero in the inverse law.
    SetModel(2, ModelValues{.a1 = 0});
    double G = 0;
    FlowForPressureDrop(80, 60, 2, true, 10, G);
    EXPECT_FALSE(std::isfinite(G));
}

TEST_F(Calculations, WildSearchRangesEnd) {
    double T12 = 0, kw = 0, ke = 0;
    std::int16_t n = 0;
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double ranges[][2] = {{32000, inf}, {-1e300, 0}, {nan, 100}, {0, nan}, {1e20, 2e20}};
    for (const auto& r : ranges) {
        FindOutletTemperature(r[0], r[1], 0, true, 100, 100, 100, T12, 20, 60, 320, kw, ke, n,
                              false);
        EXPECT_EQ(-1, T12) << r[0] << ".." << r[1];
    }
}

} // namespace
