#include "selection/SelectionRun.h"

#include "core/Catalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using selection::VerdictKind;

struct ChoiceCase {
    const char* name;
    std::vector<std::pair<int, double>> offers; // exchangers and excess (%) of models 0, 1, ...
    int best;                                   // -1: nothing marked
    bool lowering;
};

// The rule: fewer exchangers win, but replace an earlier choice only with an excess below 10 %;
// equal counts compare excess (ties keep the earlier model); every smaller count lowers the best
// count, chosen or not; count 10 doubles as "nothing chosen yet"; lowering advised above 10 %.
const ChoiceCase kCases[] = {
    {"smaller excess among equal counts", {{1, 7}, {1, 4}}, 1, false},
    {"equal excess keeps the lower index", {{1, 4}, {1, 4}}, 0, false},
    {"fewer but 15 % does not replace", {{2, 5}, {1, 15}}, 0, false},
    {"fewer with 8 % replaces", {{2, 25}, {1, 8}}, 1, false},
    {"fewer with exactly 10 % does not replace", {{2, 5}, {1, 10}}, 0, false},
    // Model 1 lowered the best count to 1 unchosen: model 2's two exchangers lose.
    {"count lowered even when not chosen", {{2, 5}, {1, 15}, {2, 1}}, 0, false},
    {"same count after lowering competes", {{2, 5}, {1, 15}, {1, 3}}, 2, false},
    {"10 % is no lowering", {{1, 10}}, 0, false},
    {"just above 10 % advises lowering", {{1, 10.05}}, 0, true},
    {"ten exchangers when nothing better", {{10, 5}}, 0, false},
    {"eleven exchangers never", {{11, 5}}, -1, false},
    {"eleven then ten", {{11, 5}, {10, 20}}, 1, true},
    {"excess of 1000 % is not marked", {{1, 1000}}, -1, false},
    {"later smaller excess clears lowering", {{1, 30}, {1, 9}}, 1, false},
    {"more exchangers never chosen", {{1, 30}, {2, 1}}, 0, true},
    {"nothing offered", {}, -1, false},
};

TEST(ChoiceRule, MarksTheExpectedVariant) {
    for (const ChoiceCase& c : kCases) {
        SCOPED_TRACE(c.name);
        selection::Choice choice;
        int lastChosen = -1;
        for (int m = 0; m < static_cast<int>(c.offers.size()); ++m)
            if (choice.Offer(m, c.offers[m].first, c.offers[m].second))
                lastChosen = m;
        EXPECT_EQ(choice.HasBest() ? choice.BestModel() : -1, c.best);
        if (c.best < 0)
            continue;
        EXPECT_EQ(lastChosen, c.best); // Offer tells when a model became the best
        EXPECT_EQ(choice.LoweringAdvised(), c.lowering);
    }
}

// The bundled catalogue (data/parametr.txt) pinned at two operating points of the selection window.
// The values come from tests/data/selection_reference.py, a separate Python implementation of the
// formulas, printed to 10 significant digits. kw, ke, n, dP1 and dP2 are those of each model's
// last evaluation; the excess only exists where a T12 was found.
struct PinnedModel {
    VerdictKind kind;
    double T12; // °C, -1 when none
    int n;
    double kw, ke;   // kW/(m²·K)
    double dP1, dP2; // kPa
    double excess;   // %
};

struct GoldenCase {
    const char* name;
    selection::SelectionInput input;
    PinnedModel models[kod::kModelCount];
    int best;
    const char* bestVerdict;
};

constexpr auto kImpossible = VerdictKind::Impossible, kPossible = VerdictKind::Possible,
               kExcessive = VerdictKind::Excessive, kBest = VerdictKind::Best;

const GoldenCase kGolden[] = {
    // The window's defaults: Q 200, Dp1 20, T11 150, Dp2 15, T21 40, T22 100, c.o.; T12 45..140.
    // orv2.14 is chosen first, orv2.40 replaces it (fewer exchangers, excess below 10 %), orv3.55
    // replaces orv2.40 (same count, smaller excess); no lowering.
    {"default point",
     {.point = {.HeatOutput = 200,
                .HeatingInlet = 150,
                .HeatedInlet = 40,
                .HeatedOutlet = 100,
                .AllowedDropHeating = 20,
                .AllowedDropHeated = 15,
                .CentralHeating = true},
      .t21Position = 40,
      .t11Position = 150},
     {{kExcessive, 102, 2, 1.280424879, 1.537587542, 5.667192889, 3.767108518, 20.08416643},
      {kImpossible, -1, 8, 0.2840767133, 0.2388659496, 10.07277106, 0.4236417179, 0},
      {kPossible, 97, 1, 1.559860267, 1.573360966, 13.983939, 11.52779331, 0.8655069361},
      {kBest, 64, 1, 1.590399079, 1.595907878, 5.566411089, 10.33526297, 0.3463783868}},
     3,
     "najkorzystniejszy wariant"},
    // Q 200, Dp1 20, T11 120, Dp2 15, T21 20, T22 100, c.w.; T12 25..110. orv2.14 (4 exchangers,
    // 15.3 %) stays chosen: orv2.40 and orv3.55 need fewer but exceed 10 %. Lowering advised.
    {"lowering advised",
     {.point = {.HeatOutput = 200,
                .HeatingInlet = 120,
                .HeatedInlet = 20,
                .HeatedOutlet = 100,
                .AllowedDropHeating = 20,
                .AllowedDropHeated = 15,
                .CentralHeating = false},
      .t21Position = 20,
      .t11Position = 120},
     {{kBest, 104, 4, 0.8008284181, 0.9230400118, 12.36044169, 0.6573970938, 15.26064646},
      {kImpossible, -1, 8, 0.4403036876, 0.2232579643, 10.71739169, 0.2574378273, 0},
      {kExcessive, 98, 3, 0.651808694, 0.7511871147, 9.609384962, 0.9696199973, 15.24656261},
      {kExcessive, 77, 2, 0.7973498243, 0.9405390797, 5.680439533, 1.80360396, 17.95814723}},
     0,
     "najkorzystniejszy wariant\r\n\r\n ale zalecane obniżenie temperatur T21 i T12"},
};

const char* VerdictText(VerdictKind kind, const GoldenCase& c) {
    switch (kind) {
    case VerdictKind::Impossible:
        return "zastosowanie tego wymiennika dla wyznaczonych warunków jest niemożliwe - "
               "współczynnik przenikania ciepła dla warunków eksploatacyjnych jest zawsze "
               "mniejszy niż wymagany współczynnik przenikania ciepła kw";
    case VerdictKind::Possible:
        return "zastosowanie wymiennika możliwe";
    case VerdictKind::Excessive:
        return "zastosowanie wymiennika możliwe ale wystąpi zbyt duży nadmiar współczynnika "
               "przenikania";
    case VerdictKind::Best:
        return c.bestVerdict;
    }
    return "";
}

// Within 1e-8 of the pinned value, relative: the pins carry 10 digits.
::testing::AssertionResult Pinned(double pinned, double actual) {
    if (std::abs(pinned - actual) <= 1e-8 * std::abs(pinned))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pinned " << pinned << ", got " << actual;
}

class NoDrives : public kod::DriveSystem {
public:
    std::vector<kod::Drive> Drives() const override { return {}; }
    std::string FallbackRoot() const override { return "/"; }
};

class BundledCatalogue : public ::testing::Test {
protected:
    // Loads the bundled catalogue as the program does at start-up, from a scratch directory.
    static void SetUpTestSuite() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "varmi-selection-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        const std::filesystem::path dir = pattern;
        std::filesystem::copy_file(VARMI_CATALOGUE, dir / "parametr.txt");
        kod::LoadParameters(dir, NoDrives());
        std::filesystem::remove_all(dir);
    }
};

TEST_F(BundledCatalogue, SelectionMatchesTheReference) {
    for (const GoldenCase& c : kGolden) {
        SCOPED_TRACE(c.name);
        const selection::SelectionResult run = selection::RunSelection(c.input);
        EXPECT_EQ(c.input.t21Position + 5, run.T12min);
        EXPECT_EQ(c.input.t11Position - 10, run.T12max);
        EXPECT_EQ(c.best, run.Best());
        for (int m = 0; m < kod::kModelCount; ++m) {
            SCOPED_TRACE(kod::ModelName(m));
            const PinnedModel& p = c.models[m];
            const selection::ModelResult& r = run.models[m];
            EXPECT_EQ(p.kind, r.kind);
            EXPECT_EQ(VerdictText(p.kind, c), r.verdict);
            EXPECT_EQ(r.verdict, kod::ResultComments[m]);
            EXPECT_EQ(p.T12 != -1, r.found);
            EXPECT_EQ(p.T12, r.T12);
            EXPECT_EQ(p.n, r.n);
            EXPECT_TRUE(Pinned(p.kw, r.kw)) << "kw";
            EXPECT_TRUE(Pinned(p.ke, r.ke)) << "ke";
            EXPECT_TRUE(Pinned(p.dP1, r.evaluation.dP1)) << "dP1";
            EXPECT_TRUE(Pinned(p.dP2, r.evaluation.dP2)) << "dP2";
            if (r.found) {
                EXPECT_TRUE(Pinned(p.excess, r.excess)) << "excess";
            }
        }
    }
}

} // namespace
