#include "TestCatalogue.h"

#include "core/Kod.h"

#include <gtest/gtest.h>

using namespace kod;
using namespace testing_core;

namespace {

class BundledCatalogue : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy_file(VARMI_CATALOGUE, dir / "parametr.txt");
        LoadParameters(dir.path(), FakeDrives({}, "/"));
    }
    TempDir dir;
};

TEST_F(BundledCatalogue, HoldsTheFourModelsAndWaterData) {
    EXPECT_EQ("orv2.14", ModelName(0));
    EXPECT_EQ("orv1.22", ModelName(1));
    EXPECT_EQ("orv2.40", ModelName(2));
    EXPECT_EQ("orv3.55", ModelName(3));
    for (int m = 0; m < kModelCount; ++m) {
        EXPECT_GE(ModelValue(15, m), 1.0) << m; // surfaces of 1 to 4 m²
        EXPECT_LE(ModelValue(15, m), 4.0) << m;
    }
    // Enthalpy of water from the steam tables: 419.17 kJ/kg at 100 °C (1 atm), 632.18 kJ/kg at
    // 150 °C and 852.26 kJ/kg at 200 °C (saturated liquid).
    EXPECT_NEAR(419.17, MeanSpecificHeat(100) * 100 * 4.1868, 0.05);
    EXPECT_NEAR(632.18, MeanSpecificHeat(150) * 150 * 4.1868, 0.05);
    EXPECT_NEAR(852.26, MeanSpecificHeat(200) * 200 * 4.1868, 0.05);
}

// The selection window's default point: Q 200 kW, Dp1 20 kPa, T11 150 °C, Dp2 15 kPa,
// T21 40 °C, T22 100 °C, central heating, T12 from 45 to 140 °C. The development catalogue is
// tuned so that the answer shows every kind of verdict.
TEST_F(BundledCatalogue, DefaultPointShowsEveryVerdict) {
    int impossible = 0, withinTenPercent = 0, aboveTenPercent = 0;
    for (std::int16_t m = 0; m < kModelCount; ++m) {
        double T12 = 0, kw = 0, ke = 0;
        std::int16_t n = 0;
        FindOutletTemperature(45, 140, m, true, 20, 15, 150, T12, 40, 100, 200, kw, ke, n, false);
        if (T12 == -1) {
            ++impossible;
            continue;
        }
        const double e = RelativeExcess(kw, ke);
        (e > 10 ? aboveTenPercent : withinTenPercent) += 1;
        EXPECT_GT(T12, 45) << ModelName(m); // found by the search, not at its first trial
        // Real pressure drops stay within the permitted ones.
        EXPECT_LE(EvaluationResult.dP1, 20) << ModelName(m);
        EXPECT_LE(EvaluationResult.dP2, 15) << ModelName(m);
    }
    EXPECT_GE(impossible, 1);
    EXPECT_GE(withinTenPercent, 1);
    EXPECT_GE(aboveTenPercent, 1);
}

// The search leaves the results of its last trial: the same numbers, to the last bit, as one
// evaluation at that outlet temperature with the same number of extra exchangers.
TEST_F(BundledCatalogue, SearchLeavesTheResultsOfItsLastTrial) {
    for (std::int16_t m = 0; m < kModelCount; ++m) {
        for (bool centralHeating : {true, false}) {
            double T12 = 0, kw = 0, ke = 0;
            std::int16_t n = 0;
            FindOutletTemperature(45, 140, m, centralHeating, 20, 15, 150, T12, 40, 100, 200, kw,
                                  ke, n, false);
            const EvaluationRecord found = EvaluationResult;
            const double t = T12 == -1 ? 140 : T12; // the last trial of a failed search is tTo
            bool matched = false;
            for (std::int16_t extra = 0; extra <= 3 && !matched; ++extra) {
                double kw2 = 0, ke2 = 0;
                std::int16_t n2 = 0;
                EvaluateExchanger(m, centralHeating, 20, 15, 150, t, 40, 100, 200, extra, kw2, ke2,
                                  n2);
                if (n2 != n)
                    continue;
                matched = true;
                EXPECT_EQ(kw, kw2) << m;
                EXPECT_EQ(ke, ke2) << m;
                const EvaluationRecord& r = EvaluationResult;
                EXPECT_EQ(found.G1dop, r.G1dop);
                EXPECT_EQ(found.G2dop, r.G2dop);
                EXPECT_EQ(found.G1, r.G1);
                EXPECT_EQ(found.G2, r.G2);
                EXPECT_EQ(found.G1Ratio, r.G1Ratio);
                EXPECT_EQ(found.G2Ratio, r.G2Ratio);
                EXPECT_EQ(found.Gr1, r.Gr1);
                EXPECT_EQ(found.Gr2, r.Gr2);
                EXPECT_EQ(found.dP1, r.dP1);
                EXPECT_EQ(found.dP2, r.dP2);
            }
            EXPECT_TRUE(matched) << m;
        }
    }
}

} // namespace
