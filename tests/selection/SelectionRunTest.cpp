#include "selection/SelectionRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using selection::Choice;

// One model's offer: its exchanger count n and excess e (%).
struct Offer {
    int n;
    double e;
};

struct ChoiceCase {
    std::string name;
    std::vector<Offer> offers; // models 0, 1, ... in order
    int best;                  // -1: nothing marked
    bool lowering;
};

std::ostream& operator<<(std::ostream& os, const ChoiceCase& c) {
    return os << c.name;
}

class ChoiceRule : public testing::TestWithParam<ChoiceCase> {};

TEST_P(ChoiceRule, MarksTheExpectedVariant) {
    const ChoiceCase& c = GetParam();
    Choice choice;
    for (int m = 0; m < static_cast<int>(c.offers.size()); ++m)
        choice.Offer(m, c.offers[m].n, c.offers[m].e);
    EXPECT_EQ(choice.HasBest() ? choice.BestModel() : -1, c.best);
    if (c.best >= 0) {
        EXPECT_EQ(choice.LoweringAdvised(), c.lowering);
        EXPECT_DOUBLE_EQ(choice.BestExcess(), c.offers[c.best].e);
    }
}

// Expectations follow the rule: fewer exchangers win, but replace an earlier choice only with an
// excess below 10 %; equal counts compare excess (ties keep the earlier model); the best count is
// lowered by every smaller count, chosen or not; count 10 doubles as "nothing chosen yet".
INSTANTIATE_TEST_SUITE_P(
    Cases, ChoiceRule,
    testing::Values(
        ChoiceCase{"SmallerExcessAmongEqualCounts", {{1, 7}, {1, 4}}, 1, false},
        ChoiceCase{"EqualExcessKeepsLowerIndex", {{1, 4}, {1, 4}}, 0, false},
        // 1 < 2 exchangers, but 15 % is not below 10 %: model 0 stays.
        ChoiceCase{"FewerButOversizedDoesNotReplace", {{2, 5}, {1, 15}}, 0, false},
        ChoiceCase{"FewerWithSmallExcessReplaces", {{2, 25}, {1, 8}}, 1, false},
        // Model 1 lowered the best count to 1 without being chosen, so model 2's two exchangers
        // count as more than the best and its 1 % loses to nothing.
        ChoiceCase{"CountLoweredEvenWhenNotChosen", {{2, 5}, {1, 15}, {2, 1}}, 0, false},
        ChoiceCase{"SameCountAfterLoweringCompetes", {{2, 5}, {1, 15}, {1, 3}}, 2, false},
        ChoiceCase{"TenPercentIsNoLowering", {{1, 10}}, 0, false},
        ChoiceCase{"JustAboveTenAdvisesLowering", {{1, 10.05}}, 0, true},
        ChoiceCase{"FirstVariantTakenWhateverItsExcess", {{3, 50}}, 0, true},
        ChoiceCase{"TenExchangersWhenNothingBetter", {{10, 5}}, 0, false},
        ChoiceCase{"ElevenExchangersNever", {{11, 5}}, -1, false},
        ChoiceCase{"ElevenThenTen", {{11, 5}, {10, 20}}, 1, true},
        ChoiceCase{"ExcessOfThousandIsNotMarked", {{1, 1000}}, -1, false},
        ChoiceCase{"LaterSmallerExcessClearsLowering", {{1, 30}, {1, 9}}, 1, false},
        ChoiceCase{"MoreExchangersNeverChosen", {{1, 30}, {2, 1}}, 0, true},
        ChoiceCase{"NothingOffered", {}, -1, false}),
    [](const testing::TestParamInfo<ChoiceCase>& info) { return info.param.name; });

TEST(ChoiceRule, OfferReportsWhetherTheModelWasChosen) {
    Choice choice;
    EXPECT_TRUE(choice.Offer(0, 2, 25));
    EXPECT_FALSE(choice.Offer(1, 3, 1));
    EXPECT_TRUE(choice.Offer(2, 1, 8));
    EXPECT_EQ(choice.BestCount(), 1);
}

TEST(BestVerdict, AddsTheLoweringAdviceAfterTwoLineBreaks) {
    EXPECT_EQ(selection::BestVerdict(false), "najkorzystniejszy wariant");
    EXPECT_EQ(selection::BestVerdict(true),
              "najkorzystniejszy wariant\r\n\r\n ale zalecane obniżenie temperatur T21 i T12");
}

// T11 − T21 below 15: T12min = 40 + 5 exceeds T12max = 50 − 10, so nothing is tried.
TEST(RunSelection, EmptySearchRangeReportsEveryModelImpossible) {
    selection::SelectionInput input;
    input.point = {200, 50, 0, 40, 45, 20, 15, true};
    input.t21Position = 40;
    input.t11Position = 50;
    int hooks = 0;
    const selection::SelectionResult run =
        selection::RunSelection(input, [&](int m, double t12min, double t12max) {
            EXPECT_EQ(m, hooks);
            EXPECT_EQ(t12min, 45);
            EXPECT_EQ(t12max, 40);
            ++hooks;
        });
    EXPECT_EQ(hooks, 4);
    EXPECT_EQ(run.Best(), -1);
    for (int m = 0; m < 4; ++m) {
        EXPECT_FALSE(run.models[m].evaluated);
        EXPECT_FALSE(run.models[m].found);
        EXPECT_EQ(run.models[m].kind, selection::VerdictKind::Impossible);
        EXPECT_EQ(kod::ResultComments[m], selection::kVerdictImpossible);
    }
}

} // namespace
