#include "core/Drawing.h"

#include <gtest/gtest.h>

using namespace kod;

namespace {

TEST(Log10, DecimalLogarithmAndZeroForNonPositive) {
    EXPECT_DOUBLE_EQ(3.0, Log10(1000));
    EXPECT_DOUBLE_EQ(-1.0, Log10(0.1));
    EXPECT_DOUBLE_EQ(0.30102999566398120, Log10(2));
    EXPECT_EQ(0.0, Log10(0));
    EXPECT_EQ(0.0, Log10(-5));
}

TEST(GradientBands, TwoHundredTwentyBandsDarkeningToTheRight) {
    // 2200 units: bands of 2200 / 220 = 10 units, greys 239 down to 20.
    std::vector<GradientBand> bands = GradientBands(2200);
    ASSERT_EQ(220u, bands.size());
    EXPECT_EQ(0, bands.front().left);
    EXPECT_EQ(10, bands.front().right);
    EXPECT_EQ(239, bands.front().grey);
    EXPECT_EQ(2190, bands.back().left);
    EXPECT_EQ(2200, bands.back().right);
    EXPECT_EQ(20, bands.back().grey);
    for (std::size_t i = 1; i < bands.size(); ++i) {
        EXPECT_EQ(bands[i - 1].right, bands[i].left);
        EXPECT_EQ(bands[i - 1].grey - 1, bands[i].grey);
    }
}

TEST(GradientBands, WholeUnitBandsLeaveAStripOrDegenerate) {
    // 2300 / 220 = 10 (whole units): the last band ends at 2200, 100 units stay unpainted.
    EXPECT_EQ(2200, GradientBands(2300).back().right);
    // 219 / 220 = 0: every band is the line x = 0.
    for (const GradientBand& b : GradientBands(219)) {
        EXPECT_EQ(0, b.left);
        EXPECT_EQ(0, b.right);
    }
    EXPECT_EQ(0, GradientBands(-50).back().right);
}

} // namespace
