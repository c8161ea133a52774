#include "selection/SelectionRun.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

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

} // namespace
