#include "coefficients/CoefficientChart.h"
#include "tests/coefficients/TestCatalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <tuple>
#include <utility>

namespace {

using namespace coefficients;
using coefficients_test::kByOutletDefaults;
using coefficients_test::kByOutputDefaults;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

using Bands = std::vector<std::tuple<int, int, int>>; // x1, x2, n
using Pieces = std::vector<std::pair<int, int>>;      // first and last x of a joined run

Bands BandsOf(const Chart& chart) {
    Bands bands;
    for (const Band& b : chart.bands)
        bands.emplace_back(b.x1, b.x2, b.n);
    return bands;
}

Pieces PiecesOf(const std::vector<Segment>& segments) {
    Pieces pieces;
    for (const Segment& s : segments) {
        if (!pieces.empty() && pieces.back().second == s.from.x)
            pieces.back().second = s.to.x;
        else
            pieces.emplace_back(s.from.x, s.to.x);
    }
    return pieces;
}

// The height of a curve at x, where one of its segments starts or ends; -1 where none does.
int YAt(const std::vector<Segment>& segments, int x) {
    for (const Segment& s : segments) {
        if (s.from.x == x)
            return s.from.y;
        if (s.to.x == x)
            return s.to.y;
    }
    return -1;
}

// A made-up evaluation with the sample index as its abscissa: kw 0.25 and ke 0.5 unless `values`
// says otherwise (kw, ke), and the count given by `count`.
struct Fake {
    std::function<int(int)> count = [](int) { return 1; };
    std::map<int, std::pair<double, double>> values;
    int calls = 0;

    std::optional<Chart> Run() {
        return ComputeChart({0, kLastSample}, [this](double abscissa) {
            const int i = static_cast<int>(std::lround(abscissa));
            ++calls;
            const auto it = values.find(i);
            const auto [kw, ke] = it == values.end() ? std::pair{0.25, 0.5} : it->second;
            return Evaluation{kw, ke, count(i)};
        });
    }
};

// ---- Bands and curve pieces from the counts ----

struct CountCase {
    const char* name;
    std::function<int(int)> count;
    Bands bands;
    Pieces pieces;
};

const CountCase kCountCases[] = {
    // One band from 100 to 900 labelled at 500; the curves run unbroken from 100 to 899.
    {"OneCount", [](int) { return 1; }, {{100, 900, 1}}, {{100, 899}}},
    // Samples 414 and 415 differ: the first band ends at x(415) = 515 and no segment joins them.
    {"ChangeBetween414And415",
     [](int i) { return i < 415 ? 1 : 2; },
     {{100, 515, 1}, {515, 900, 2}},
     {{100, 514}, {515, 899}}},
    // A change at the last sample closes the band with the old count; the new one is not shown.
    {"ChangeAtTheLastSample", [](int i) { return i < 800 ? 1 : 2; }, {{100, 900, 1}}, {{100, 899}}},
    {"ChangeAfterTheFirstSample",
     [](int i) { return i < 1 ? 3 : 2; },
     {{100, 101, 3}, {101, 900, 2}},
     {{101, 899}}},
    {"BackToTheFirstCount",
     [](int i) { return i >= 300 && i < 500 ? 2 : 1; },
     {{100, 400, 1}, {400, 600, 2}, {600, 900, 1}},
     {{100, 399}, {400, 599}, {600, 899}}},
};

class CountTest : public testing::TestWithParam<CountCase> {};

TEST_P(CountTest, BandsAndPieces) {
    const CountCase& c = GetParam();
    Fake fake;
    fake.count = c.count;
    const std::optional<Chart> chart = fake.Run();
    ASSERT_TRUE(chart);
    EXPECT_EQ(fake.calls, 801); // the second pass reuses the first pass's evaluations
    EXPECT_EQ(BandsOf(*chart), c.bands);
    EXPECT_EQ(PiecesOf(chart->required), c.pieces);
    EXPECT_EQ(PiecesOf(chart->operating), c.pieces);
    // Axis 0 .. 1: kw 0.25 at 0.25 · 800 + 100 = 300, ke 0.5 at 500.
    for (std::size_t k = 0; k < chart->required.size(); ++k) {
        EXPECT_EQ(chart->required[k].from.y, 300);
        EXPECT_EQ(chart->required[k].to.y, 300);
        EXPECT_EQ(chart->operating[k].from, (Point{chart->required[k].from.x, 500}));
        EXPECT_EQ(chart->operating[k].to, (Point{chart->required[k].to.x, 500}));
        EXPECT_EQ(chart->required[k].to.x, chart->required[k].from.x + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Chart, CountTest, testing::ValuesIn(kCountCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Chart, NewCountAtEverySampleJoinsNothing) {
    Fake fake;
    fake.count = [](int i) { return 1 + i % 2; };
    const std::optional<Chart> chart = fake.Run();
    ASSERT_TRUE(chart);
    // Samples 1 .. 799 each close a band one unit wide, sample 800 the last one: 800 bands.
    ASSERT_EQ(chart->bands.size(), 800u);
    EXPECT_EQ(std::tie(chart->bands[0].x1, chart->bands[0].x2, chart->bands[0].n),
              std::make_tuple(100, 101, 1));
    EXPECT_EQ(std::tie(chart->bands[799].x1, chart->bands[799].x2, chart->bands[799].n),
              std::make_tuple(899, 900, 2));
    EXPECT_TRUE(chart->required.empty());
    EXPECT_TRUE(chart->operating.empty());
}

// ---- The coefficient axis ----

struct AxisCase {
    const char* name;
    std::map<int, std::pair<double, double>> values; // sample -> kw, ke
    double min, max;
};

const AxisCase kAxisCases[] = {
    {"AllBelowOne", {}, 0, 1},
    // ke 2 raises MAX to 2.2 first; kw 2.1 is then below it.
    {"KwBelowTheEndKeRaised", {{0, {2.1, 2.0}}}, 0, 2.2},
    // ke 2 gives 2.2, then kw 2.3 above it gives 2.53.
    {"KwAboveTheEndKeRaised", {{0, {2.3, 2.0}}}, 0, 2.53},
    // 3.0 gives 3.3; 3.2 stays below it; 3.4 gives 3.74.
    {"TheLastRaiseCounts", {{10, {0.25, 3.0}}, {20, {0.25, 3.2}}, {30, {0.25, 3.4}}}, 0, 3.74},
    {"ALowerPeakLaterKeepsTheEnd", {{10, {0.25, 3.4}}, {20, {0.25, 3.2}}}, 0, 3.74},
    // ke −0.2 lowers MIN first, then kw −0.5 lowers it further.
    {"NegativeKwBelowKe", {{5, {-0.5, -0.2}}}, -0.5, 1},
    {"NegativeKeBelowKw", {{5, {-0.2, -0.5}}}, -0.5, 1},
};

class AxisTest : public testing::TestWithParam<AxisCase> {};

TEST_P(AxisTest, MinAndMax) {
    Fake fake;
    fake.values = GetParam().values;
    const std::optional<Chart> chart = fake.Run();
    ASSERT_TRUE(chart);
    EXPECT_NEAR(chart->min, GetParam().min, 1e-12);
    EXPECT_NEAR(chart->max, GetParam().max, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Chart, AxisTest, testing::ValuesIn(kAxisCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Chart, CoordinatesFollowTheAxis) {
    Fake fake;
    // Axis −0.5 .. 1: y = (v + 0.5) / 1.5 · 800 + 100.
    fake.values = {{5, {-0.5, -0.2}}};
    const std::optional<Chart> chart = fake.Run();
    ASSERT_TRUE(chart);
    EXPECT_EQ(YAt(chart->required, 105), 100);  // −0.5
    EXPECT_EQ(YAt(chart->operating, 105), 260); // 0.3 / 1.5 · 800 + 100
    EXPECT_EQ(YAt(chart->required, 100), 500);  // 0.75 / 1.5 · 800 + 100
    EXPECT_EQ(YAt(chart->operating, 100), 633); // 633.33
}

TEST(Chart, CoordinatesRoundHalvesToEven) {
    Fake fake;
    // Axis 0 .. 1: 4/256 · 800 + 100 = 112.5 -> 112, 12/256 · 800 + 100 = 137.5 -> 138.
    fake.values = {{0, {4.0 / 256, 12.0 / 256}}};
    const std::optional<Chart> chart = fake.Run();
    ASSERT_TRUE(chart);
    EXPECT_EQ(YAt(chart->required, 100), 112);
    EXPECT_EQ(YAt(chart->operating, 100), 138);
}

// ---- A value that is not a finite number stops the chart ----

struct FailureCase {
    const char* name;
    std::map<int, std::pair<double, double>> values;
    int calls; // evaluations made before it stopped
};

const FailureCase kFailureCases[] = {
    {"KwNotANumber", {{400, {kNaN, 0.5}}}, 401},
    {"KeInfinite", {{0, {0.25, kInf}}}, 1},
    {"KwMinusInfinite", {{799, {-kInf, 0.5}}}, 800},
    // 1.1 · 1.7e308 is beyond the largest double.
    {"AxisEndOverflows", {{3, {0.25, 1.7e308}}}, 4},
    // MAX 1.65e308 and MIN −1.5e308 are finite, their difference is not.
    {"AxisSpanOverflows", {{3, {-1.5e308, 1.5e308}}}, 4},
};

class FailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(FailureTest, NoChart) {
    Fake fake;
    fake.values = GetParam().values;
    EXPECT_FALSE(fake.Run());
    EXPECT_EQ(fake.calls, GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(Chart, FailureTest, testing::ValuesIn(kFailureCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- The abscissa and the labels ----

TEST(Chart, Sweeps) {
    struct Case {
        int t21, t11;
        double low, high;
    };
    const Case cases[] = {
        {75, 150, 80, 140},   // the defaults
        {143, 150, 148, 149}, // T21 = T11 − 7: 148 .. 140 is replaced by 148 .. 149
        {135, 150, 140, 140}, // T21 = T11 − 15: low = high
        {140, 150, 145, 146}, {199, 150, 204, 205},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.t21 << ", " << c.t11);
        const Abscissa a = OutletSweep(c.t21, c.t11);
        EXPECT_EQ(a.low, c.low);
        EXPECT_EQ(a.high, c.high);
    }
    // Q(i) = i / 800 · 990 + 10.
    EXPECT_DOUBLE_EQ(kHeatOutputSweep.At(0), 10);
    EXPECT_DOUBLE_EQ(kHeatOutputSweep.At(1), 11.2375);
    EXPECT_DOUBLE_EQ(kHeatOutputSweep.At(415), 523.5625);
    EXPECT_DOUBLE_EQ(kHeatOutputSweep.At(800), 1000);
    EXPECT_DOUBLE_EQ(OutletSweep(75, 150).At(400), 110);
}

TEST(Chart, Labels) {
    struct Case {
        const char* name;
        TickLabels labels, expected;
    };
    const Case cases[] = {
        {"coefficients 0 .. 1, comma",
         CoefficientLabels(0, 1, ','),
         {"0,", "0,1", "0,2", "0,3", "0,4", "0,5", "0,6", "0,7", "0,8", "0,9", "1,"}},
        // Steps of 3.666667 / 10 = 0.366667, rounded to two decimals.
        {"coefficients 0 .. 3.67",
         CoefficientLabels(0, 1.1 / 0.3, '.'),
         {"0.", "0.37", "0.73", "1.1", "1.47", "1.83", "2.2", "2.57", "2.93", "3.3", "3.67"}},
        {"coefficients -0.5 .. 1",
         CoefficientLabels(-0.5, 1, '.'),
         {"-0.5", "-0.35", "-0.2", "-0.05", "0.1", "0.25", "0.4", "0.55", "0.7", "0.85", "1."}},
        {"heat output",
         HeatOutputLabels(),
         {"", "100", "200", "300", "400", "500", "600", "700", "800", "900", "1000"}},
        {"T12 80 .. 140",
         OutletLabels({80, 140}),
         {"80", "86", "92", "98", "104", "110", "116", "122", "128", "134", "140"}},
        // 148 + j / 10: halves and above round up, so neighbouring labels repeat.
        {"T12 148 .. 149",
         OutletLabels({148, 149}),
         {"148", "148", "148", "148", "148", "149", "149", "149", "149", "149", "149"}},
        {"T12 140 .. 140",
         OutletLabels({140, 140}),
         {"140", "140", "140", "140", "140", "140", "140", "140", "140", "140", "140"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.labels, c.expected);
    }
}

TEST(Chart, BandLabels) {
    EXPECT_EQ(BandLabel(1, CountStyle::Printed), " 1");
    EXPECT_EQ(BandLabel(12, CountStyle::Printed), " 12");
    EXPECT_EQ(BandLabel(3, CountStyle::Digits), "3");
    EXPECT_EQ(BandLabel(12, CountStyle::Digits), "12");
    EXPECT_EQ(BandLabel(100, CountStyle::Digits), "100");
}

// ---- Whole charts from the test catalogue (worked out in TestCatalogue.h) ----

struct SampleCheck {
    int i;
    double abscissa, kw, ke;
    int count;
};
struct HeightCheck {
    int x, required, operating;
};
struct CatalogueCase {
    const char* name;
    int model;
    panel::OperatingPoint point;
    Swept swept;
    Abscissa abscissa;
    Bands bands;
    double max;
    Pieces pieces;
    std::vector<SampleCheck> samples;
    std::vector<HeightCheck> heights;
};

panel::OperatingPoint ByOutput(double dp2, bool centralHeating = false) {
    panel::OperatingPoint p = kByOutputDefaults;
    p.AllowedDropHeated = dp2;
    p.CentralHeating = centralHeating;
    return p;
}

const CatalogueCase kCatalogueCases[] = {
    {"DefaultPoint",
     2,
     kByOutputDefaults,
     Swept::HeatOutput,
     kHeatOutputSweep,
     {{100, 515, 1}, {515, 900, 2}},
     1,
     {{100, 514}, {515, 899}},
     {{0, 10, 0.0061086, 0.833333, 1},
      {414, 522.325, 0.3190677, 0.833333, 1},
      {415, 523.5625, 0.1599118, 0.833333, 2},
      {800, 1000, 0.3054302, 0.833333, 2}}, // 1000 / 3274.07
     {{100, 105, 767}, {101, 105, 767}, {514, 355, 767}, {515, 228, 767}, {899, 344, 767}}},
    {"CentralHeating",
     2,
     ByOutput(30, true),
     Swept::HeatOutput,
     kHeatOutputSweep,
     {{100, 515, 1}, {515, 900, 2}},
     1,
     {{100, 514}, {515, 899}},
     {{0, 10, 0.0061086, 0.909091, 1}},
     {{100, 105, 827}, {515, 228, 827}}},
    // Dp2 120: G2dop = (120 / 1.2)^(1/2) = 10, G2 / G2dop = Q / 1046.7 < 1 up to 1000 kW.
    // kw(799) = 998.7625 / 1637.035 = 0.6101045 at 588.08.
    {"OneBand",
     2,
     ByOutput(120),
     Swept::HeatOutput,
     kHeatOutputSweep,
     {{100, 900, 1}},
     1,
     {{100, 899}},
     {{800, 1000, 0.6108605, 0.833333, 1}},
     {{100, 105, 767}, {899, 588, 767}}},
    // Dp2 109.443: G2dop = 91.2025^(1/2) = 9.55; two exchangers from Q = 104.67 · 9.55 = 999.60,
    // between Q(799) = 998.7625 and Q(800) = 1000.
    {"CountChangesAtTheLastSample",
     2,
     ByOutput(109.443),
     Swept::HeatOutput,
     kHeatOutputSweep,
     {{100, 900, 1}},
     1,
     {{100, 899}},
     {{799, 998.7625, 0.6101045, 0.833333, 1}, {800, 1000, 0.3054302, 0.833333, 2}},
     {{899, 588, 767}}},
    // orv2.14: ke = 3.333333 raises MAX to 3.666667 at the first sample; y = v / 3.666667 · 800 +
    // 100: ke at 827.27, kw(0) at 101.33, kw(414) at 169.61, kw(415) at 134.89.
    {"OperatingAboveOne",
     0,
     kByOutputDefaults,
     Swept::HeatOutput,
     kHeatOutputSweep,
     {{100, 515, 1}, {515, 900, 2}},
     1.1 / 0.3,
     {{100, 514}, {515, 899}},
     {{0, 10, 0.0061086, 3.333333, 1}},
     {{100, 101, 827}, {514, 170, 827}, {515, 135, 827}}},
    // frmWskKT's defaults, T12(i) = 80 + 0.075 i: G1dop = (35 / 0.1)^(1/2) = 18.708,
    // G1 / G1dop <= 300 / 41.868 / 18.708 = 0.383 and G2 / G2dop = 300 / 523.35 = 0.573: one
    // exchanger throughout. k = (150 − T12) / (150 − T12 rounded): 1 at whole T12, 69.925 / 70 =
    // 0.998929 at 80.075 (ke 1 / (1 / 0.998929 + 0.2) = 0.832589), 10.075 / 10 at 139.925 (ke
    // 0.838535 at 770.83). ΔT(80) = 45 / ln 10 = 19.54325, kw = 300 / (50 · 19.54325) = 0.307011
    // at 345.61; ΔT(80.075) = 44.925 / ln(50 / 5.075) = 19.63766, kw 0.305535 at 344.43;
    // ΔT(139.925) = 14.925 / ln(64.925 / 50) = 57.13799, kw 0.105009 at 184.01;
    // ΔT(140) = 15 / ln 1.3 = 57.17242, kw 0.104946.
    {"OutletSweep",
     3,
     kByOutletDefaults,
     Swept::HeatingOutlet,
     {80, 140},
     {{100, 900, 1}},
     1,
     {{100, 899}},
     {{0, 80, 0.307011, 0.833333, 1},
      {1, 80.075, 0.305535, 0.832589, 1},
      {800, 140, 0.104946, 0.833333, 1}},
     {{100, 346, 767}, {101, 344, 766}, {899, 184, 771}}},
};

class CatalogueTest : public testing::TestWithParam<CatalogueCase> {
protected:
    void SetUp() override { coefficients_test::LoadTestCatalogue(); }
};

TEST_P(CatalogueTest, Chart) {
    const CatalogueCase& c = GetParam();
    const std::optional<Chart> chart =
        ComputeChart(c.abscissa, ExchangerEvaluator(c.model, c.point, c.swept));
    ASSERT_TRUE(chart);
    ASSERT_EQ(chart->samples.size(), 801u);
    EXPECT_EQ(BandsOf(*chart), c.bands);
    EXPECT_EQ(chart->min, 0);
    EXPECT_NEAR(chart->max, c.max, 1e-6);
    EXPECT_EQ(PiecesOf(chart->required), c.pieces);
    EXPECT_EQ(PiecesOf(chart->operating), c.pieces);
    for (const SampleCheck& s : c.samples) {
        SCOPED_TRACE(testing::Message() << "sample " << s.i);
        const Sample& got = chart->samples[static_cast<std::size_t>(s.i)];
        EXPECT_NEAR(got.abscissa, s.abscissa, 1e-9);
        EXPECT_NEAR(got.kw, s.kw, 1e-6);
        EXPECT_NEAR(got.ke, s.ke, 1e-6);
        EXPECT_EQ(got.count, s.count);
    }
    for (const HeightCheck& h : c.heights) {
        SCOPED_TRACE(testing::Message() << "x " << h.x);
        EXPECT_EQ(YAt(chart->required, h.x), h.required);
        EXPECT_EQ(YAt(chart->operating, h.x), h.operating);
    }
}

INSTANTIATE_TEST_SUITE_P(Chart, CatalogueTest, testing::ValuesIn(kCatalogueCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Outside the panel's domain: T11 150.5 and T12 150 (both accepted by their checks) round to the
// same whole degree, so the heating water's enthalpy difference is 0 and its flow infinite.
TEST(Chart, SameRoundedHeatingTemperaturesCannotBeDrawn) {
    coefficients_test::LoadTestCatalogue();
    panel::OperatingPoint p = kByOutputDefaults;
    p.HeatingInlet = 150.5;
    p.HeatingOutlet = 150;
    EXPECT_FALSE(ComputeChart(kHeatOutputSweep, ExchangerEvaluator(2, p, Swept::HeatOutput)));
}

} // namespace
