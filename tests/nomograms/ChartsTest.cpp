// The nomograms' computations and their grid, without a display.
#include "nomograms/ChartGrid.h"
#include "nomograms/HydraulicChart.h"
#include "nomograms/OutputChart.h"
#include "tests/nomograms/Catalogues.h"
#include "widgets/Canvas.h"
#include "widgets/Environment.h"

#include <QLineF>
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

using namespace nomograms;
using nomogram_tests::ModelValues;

namespace nomograms {
void PrintTo(const CountBand& b, std::ostream* os) {
    *os << "(" << b.x1 << ", " << b.x2 << ", " << b.n << ")";
}
} // namespace nomograms

namespace {

// ---- Hydraulic nomogram ----

class HydraulicChartTest : public ::testing::Test {
protected:
    void SetUp() override { nomogram_tests::UseHydraulicCatalogue(); }
};

struct EndsCase {
    const char* name;
    int m;
    bool heating;
    int T1, T2;
    double dpw; // before
    Characteristic ends;
    double dpwAfter, gw;
    Segment line; // the characteristic as drawn
};

// clang-format off
// Tm = (110 + 90) / 2 = 100 unless said; the laws at Tm = 100 are in Catalogues.h.
const EndsCase kEnds[] = {
    // 2 G^1.5: 2 · 0.1^1.5 = 0.063 < 1, so Glo = (1/2)^(2/3) = 0.629961; 2 · 10^1.5 = 63.2456;
    // gw = (10/2)^(2/3) = 2.924018. x(0.629961) = 100 + 400 (1 − 0.200687) = 419.73 -> 420,
    // y(63.2456) = 100 + 400 · 1.801030 = 820.41 -> 820.
    {"drop below 1 kPa at 0.1", 0, true, 110, 90, 10,
     {0.629961, 1, 10, 63.245553}, 10, 2.924018, {420, 100, 900, 820}},
    // 200 G²: 2 kPa at 0.1; 20000 > 100 at 10, so Ghi = (100/200)^0.5 = 0.707107; gw = 0.05^0.5.
    // y(2) = 100 + 400 · 0.30103 = 220.41 -> 220; x(0.707107) = 100 + 400 · 0.849485 -> 440.
    {"drop above 100 kPa at 10", 1, true, 110, 90, 10,
     {0.1, 2, 0.707107, 100}, 10, 0.223607, {100, 220, 440, 900}},
    {"reading above the top is capped", 1, true, 110, 90, 150,
     {0.1, 2, 0.707107, 100}, 100, 0.707107, {100, 220, 440, 900}},
    // 1.5 kPa stays: gw = (1.5/200)^0.5 = 0.0866025, below Glo.
    {"reading below the segment is not raised", 1, true, 110, 90, 1.5,
     {0.1, 2, 0.707107, 100}, 1.5, 0.0866025, {100, 220, 440, 900}},
    // 40 G: 4 kPa at 0.1, Ghi = 100/40 = 2.5, gw = 10/40. y(4) = 100 + 400 · 0.60206 = 340.82,
    // x(2.5) = 100 + 400 · 1.39794 = 659.18.
    {"heated water, rows 12 to 14", 0, false, 110, 90, 10,
     {0.1, 4, 2.5, 100}, 10, 0.25, {100, 341, 659, 900}},
    {"heated water of model 1", 1, false, 110, 90, 10,
     {0.629961, 1, 10, 63.245553}, 10, 2.924018, {420, 100, 900, 820}},
    // Tm = (101 + 98) / 2 = 99.5: 0.2 · 99.5^0.5 = 1.994994; gw = (10/1.994994)^(2/3) = 2.928907,
    // Glo = (1/1.994994)^(2/3) = 0.631014, Dphi = 1.994994 · 31.62278 = 63.08724.
    {"mean of whole degrees halved exactly", 0, true, 101, 98, 10,
     {0.631014, 1, 10, 63.087241}, 10, 2.928907, {420, 100, 900, 820}},
    // 5 G: Glo = 1/5, Dphi = 50 caps 63.2; gw = 50/5. x(0.2) = 100 + 400 · 0.30103 -> 220,
    // y(50) = 100 + 400 · 1.69897 = 779.59 -> 780.
    {"reading capped at a lower top", 3, true, 110, 90, 63.2,
     {0.2, 1, 10, 50}, 50, 10, {220, 100, 900, 780}},
};
// clang-format on

class CharacteristicEndsTest : public HydraulicChartTest,
                               public ::testing::WithParamInterface<EndsCase> {};

TEST_P(CharacteristicEndsTest, EndsReadingAndLine) {
    const EndsCase& c = GetParam();
    double dpw = c.dpw, gw = -1;
    const Characteristic e = CharacteristicEnds(
        static_cast<std::int16_t>(c.T1), static_cast<std::int16_t>(c.T2), c.m, c.heating, dpw, gw);
    EXPECT_NEAR(e.Glo, c.ends.Glo, 1e-6);
    EXPECT_NEAR(e.Dplo, c.ends.Dplo, 1e-6);
    EXPECT_NEAR(e.Ghi, c.ends.Ghi, 1e-6);
    EXPECT_NEAR(e.Dphi, c.ends.Dphi, 1e-6);
    EXPECT_NEAR(dpw, c.dpwAfter, 1e-9);
    EXPECT_NEAR(gw, c.gw, 1e-6);
    const Segment s = CharacteristicLine(e);
    EXPECT_EQ(s.x1, c.line.x1);
    EXPECT_EQ(s.y1, c.line.y1);
    EXPECT_EQ(s.x2, c.line.x2);
    EXPECT_EQ(s.y2, c.line.y2);
}

INSTANTIATE_TEST_SUITE_P(Hydraulic, CharacteristicEndsTest, ::testing::ValuesIn(kEnds),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (char& ch : n)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return n;
                         });

TEST_F(HydraulicChartTest, ReadingLinesRunFromTheEdgesToThePoint) {
    // gw = 2.924018: x = 100 + 400 (log10 2.924018 + 1) = 686.392; dpw = 10: y = 500.
    const Segment across = DropReadingLine(2.924018, 10);
    const Segment up = FlowReadingLine(2.924018, 10);
    EXPECT_DOUBLE_EQ(across.x1, 100);
    EXPECT_DOUBLE_EQ(across.y1, 500);
    EXPECT_NEAR(across.x2, 686.392, 1e-3);
    EXPECT_DOUBLE_EQ(across.y2, 500);
    EXPECT_NEAR(up.x1, 686.392, 1e-3);
    EXPECT_DOUBLE_EQ(up.y1, 100);
    EXPECT_NEAR(up.x2, 686.392, 1e-3);
    EXPECT_DOUBLE_EQ(up.y2, 500);
}

TEST_F(HydraulicChartTest, NoFlowGivesOneKilopascalMakesNoDrawableSegment) {
    // 0.5 kPa at every flow: the flow of 1 kPa is 10^(0.30103 / 0).
    double dpw = 10, gw = 0;
    const Characteristic e = CharacteristicEnds(110, 90, 2, true, dpw, gw);
    EXPECT_FALSE(CharacteristicLine(e).IsFinite());
    EXPECT_DOUBLE_EQ(dpw, 0.5); // capped at the top end as any other model
}

struct PickCase {
    double x, gw, dpw;
};
// Model 0, heating water, the segment drawn from 420 to 900; texts 110.5 and 90.5 give the
// unrounded mean 100.5: Dp = 0.2 · 100.5^0.5 · G^1.5 = 2.004994 · G^1.5.
const PickCase kPicks[] = {
    // Held at 420: G = 10^(2 · 320 / 800 − 1) = 10^−0.2 = 0.630957; 2.004994 · 10^−0.3 = 1.004877.
    {300, 0.630957, 1.004877},
    // Held at 900: G = 10; 2.004994 · 10^1.5 = 63.40347.
    {1000, 10, 63.40347},
    // G = 10^0.5 = 3.162278; 2.004994 · 10^0.75 = 11.274909.
    {700, 3.162278, 11.274909},
};

class PickFlowTest : public HydraulicChartTest, public ::testing::WithParamInterface<PickCase> {};

TEST_P(PickFlowTest, ReadsOnTheDrawnSegment) {
    const PickCase& c = GetParam();
    const auto r = PickFlow(c.x, 420, 900, 110.5, 90.5, 0, true);
    ASSERT_TRUE(r.has_value());
    EXPECT_NEAR(r->gw, c.gw, 1e-6);
    EXPECT_NEAR(r->dpw, c.dpw, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(Hydraulic, PickFlowTest, ::testing::ValuesIn(kPicks));

struct HeldCase {
    const char* name;
    double x, t1, t2, gw, dpw;
};
// The same segment, drawn for the rounded temperatures 110 and 90; the texts differ from them.
const HeldCase kHeld[] = {
    // 109.5 and 89.5 round to 110 and 90, but their mean is 99.5: at the left end 420,
    // 0.2 · 99.5^0.5 · 0.630957^1.5 = 0.999864 would lie below the chart.
    {"mean typed below the drawn one", 300, 109.5, 89.5, 0.630957, 1},
    // Still being typed as 1e300: 0.2 · (5e299)^0.5 · 10^0.75 = 8e149.
    {"inlet still typed as 1e300", 700, 1e300, 90.5, 3.162278, 100},
    // 0.2 · (1e-30)^0.5 · 10^0.75 = 1.1e-15.
    {"both typed as 1e-30", 700, 1e-30, 1e-30, 3.162278, 1},
};

TEST_F(HydraulicChartTest, ReadingStaysOnTheChart) {
    for (const HeldCase& c : kHeld) {
        const auto r = PickFlow(c.x, 420, 900, c.t1, c.t2, 0, true);
        ASSERT_TRUE(r.has_value()) << c.name;
        EXPECT_NEAR(r->gw, c.gw, 1e-6) << c.name;
        EXPECT_DOUBLE_EQ(r->dpw, c.dpw) << c.name;
        const Segment up = FlowReadingLine(r->gw, r->dpw);
        EXPECT_GE(up.y2, kOrigin) << c.name;
        EXPECT_LE(up.y2, kOrigin + kSide) << c.name;
    }
}

struct RangeCase {
    bool heating, inlet;
    double t1; // the inlet as typed
    TemperatureRange range;
};
const RangeCase kRanges[] = {
    {true, true, 0, {7, 210}},      {false, true, 0, {1, 204}},
    {true, false, 100, {2, 99}},    {true, false, 100.5, {2, 100}},  // 99.5 rounds to even 100
    {true, false, 101.5, {2, 100}},                                  // 100.5 rounds to even 100
    {false, false, 30, {31, 204}},  {false, false, 204, {205, 204}}, // no outlet passes
};

TEST(TemperatureRanges, FollowTheCircuitAndTheInlet) {
    for (const RangeCase& c : kRanges) {
        const TemperatureRange r = c.inlet ? InletRange(c.heating) : OutletRange(c.heating, c.t1);
        EXPECT_EQ(r.lower, c.range.lower) << c.heating << c.inlet << c.t1;
        EXPECT_EQ(r.upper, c.range.upper) << c.heating << c.inlet << c.t1;
    }
    EXPECT_TRUE(InletRange(true).Contains(7) && InletRange(true).Contains(210));
    EXPECT_FALSE(InletRange(true).Contains(6.99) || InletRange(true).Contains(210.01));
    for (double t : {204.0, 204.5, 205.0})
        EXPECT_FALSE(OutletRange(false, 204).Contains(t)) << t;
    EXPECT_FALSE(InletRange(true).Contains(std::nan("")));
    EXPECT_EQ(RangeMessage("T11", {7, 210}),
              "Wartość temperatury T11 musi się zawierać w przedziale od 7°C do 210°C");
}

// ---- The grid ----

struct Recorded {
    std::vector<QLineF> lines;
    struct Text {
        QPointF at;
        QString text;
        double size;
        QColor colour;
    };
    std::vector<Text> texts;
};

class RecordingCanvas : public widgets::Canvas {
public:
    Recorded r;
    void Line(QPointF from, QPointF to, const QColor&, double, Qt::PenStyle) override {
        r.lines.emplace_back(from, to);
    }
    void FillRect(const QRectF&, const QColor&) override { ADD_FAILURE() << "no fill expected"; }
    void Text(QPointF pos, const QString& text, double size, const QColor& colour) override {
        r.texts.push_back({pos, text, size, colour});
    }
};

Recorded Draw(const GridStyle& style) {
    widgets::SetUserLocale(QLocale::c());
    RecordingCanvas canvas;
    DrawLogGrid(canvas, 100, 800, style);
    return canvas.r;
}

TEST(ChartGrid, LinesAtTheRoundedLogPositionsFrameTheSquare) {
    // 100 + 400 log10 v for v = 1..10 and 20..100, rounded: 220.41 -> 220, 290.85 -> 291, ...
    const std::set<double> expected = {100, 220, 291, 341, 380, 411, 438, 461, 482, 500,
                                       620, 691, 741, 780, 811, 838, 861, 882, 900};
    for (const GridStyle& style : {HydraulicScreenGrid(), HydraulicPageGrid(), OutputChartGrid()}) {
        const Recorded r = Draw(style);
        ASSERT_EQ(r.lines.size(), 38u);
        std::set<double> across, up;
        for (const QLineF& l : r.lines) {
            if (l.y1() == l.y2()) {
                EXPECT_TRUE(l.x1() == 100 && l.x2() == 900);
                across.insert(l.y1());
            } else {
                EXPECT_TRUE(l.x1() == l.x2() && l.y1() == 100 && l.y2() == 900);
                up.insert(l.x1());
            }
        }
        EXPECT_EQ(across, expected);
        EXPECT_EQ(up, expected);
    }
}

struct LabelCase {
    int style; // 0 screen, 1 page, 2 thermal chart
    const char* text;
    double x, y, size;
    QColor colour = Qt::black;
};
// p(v) = 100 + 400 log10 v, unrounded: p(2) = 220.412, p(3) = 290.849, p(20) = 620.412.
const LabelCase kLabels[] = {
    {0, "  1", 50, 110, 8.25},     // O − 50, p(1) + 10
    {0, "  2", 50, 230.412, 8.25}, // p(2) + 10
    {0, "100", 50, 910, 8.25},
    {0, ".1", 90, 85, 8.25},      // p(1) − 10, O − 15
    {0, ".3", 280.849, 85, 8.25}, // p(3) − 10
    {0, " 1", 490, 85, 8.25},     // p(10) − 10
    {0, " 2", 610.412, 85, 8.25}, // p(20) − 10
    {0, " 10", 890, 85, 8.25},
    {0, "Natężenie przepływu wody G [kg/s]", 300, 50, 12},
    {0, "Opór przepływu Dp [kPa]", 10, 950, 12},
    {1, "  1", 60, 110, 10}, // O − 40 on the page
    {1, "100", 60, 910, 10},
    {1, ".1", 90, 85, 10},
    {1, " 10", 890, 85, 10},
    {1, "Natężenie przepływu wody G [kg/s]", 500, 50, 12},
    {1, "Opór przepływu Dp [kPa]", 10, 930, 12},
    {2, "10", 40, 110, 10}, // O − 60, v · 10 with "###0"
    {2, "20", 40, 230.412, 10},
    {2, "1000", 40, 910, 10},
    {2, ".1", 90, 85, 10},
    {2, " 10", 890, 85, 10},
    {2, "Przepływ wody ogrzewanej G2 [kg/s]", 300, 50, 10},
    {2, "l.wymienników:", 20, 970, 8},
    {2, "Moc cieplna [kW]", 10, 1000, 10, QColor(0, 0, 128)},
};

TEST(ChartGrid, LabelsAndTitlesOfEachStyle) {
    const Recorded drawn[] = {Draw(HydraulicScreenGrid()), Draw(HydraulicPageGrid()),
                              Draw(OutputChartGrid())};
    for (const Recorded& r : drawn)
        EXPECT_EQ(r.texts.size(), 19u + 9u + 10u + (&r == &drawn[2] ? 3u : 2u));
    for (const LabelCase& c : kLabels) {
        const QString text = QString::fromUtf8(c.text);
        bool found = false;
        for (const Recorded::Text& t : drawn[c.style].texts)
            found = found ||
                    (t.text == text && std::abs(t.at.x() - c.x) < 1e-3 &&
                     std::abs(t.at.y() - c.y) < 1e-3 && t.size == c.size && t.colour == c.colour);
        EXPECT_TRUE(found) << c.style << " '" << c.text << "'";
    }
}

// ---- Thermal output nomogram ----

// T11 55, T21 40, T22 50, Dp1 20, Dp2 15, "c.o.", sliders at T21 40 and T11 55: the search tries
// T12 = 40 + 5 = 55 − 10 = 45 only. Its end differences are 55 − 50 = 5 and 45 − 40 = 5, equal,
// so ΔT = 0.1 / ln(5.1 / 5) = 5.04983 K. The required output is 10 · 4.1868 · G2 = 41.868 G2.
OutputChartInput Point(int m) {
    OutputChartInput in;
    in.m = m;
    in.centralHeating = true;
    in.Dp1 = 20, in.Dp2 = 15, in.T11 = 55, in.T21 = 40, in.T22 = 50;
    in.t21Position = 40, in.t11Position = 55;
    return in;
}

class OutputChartTest : public ::testing::Test {
protected:
    void SetUp() override { nomogram_tests::UseOutputCatalogue(); }
};

struct EvaluateCase {
    const char* name;
    OutputChartInput in;
    double G2, Qbefore, Q;
    int n;
};

OutputChartInput With(OutputChartInput in, void (*change)(OutputChartInput&)) {
    change(in);
    return in;
}

const EvaluateCase kEvaluations[] = {
    // n = floor(1.5 / 0.97838) + 1 = 2; kw = 62.802 / (1.5 · 5.04983 · 2) = 4.15 < 10, so T12 = 45;
    // Q = F ΔT n ke = 1.5 · 5.04983 · 2 · 10 = 151.495.
    {"two exchangers", Point(0), 1.5, 0, 151.495, 2},
    // ke = 1 / 0.2 = 5 > kw 4.15: half the output.
    {"domestic hot water", With(Point(0), [](OutputChartInput& p) { p.centralHeating = false; }),
     1.5, 0, 75.7475, 2},
    // The search starts at the T21 slider + 5 = 45, the difference uses the typed 40.4:
    // d2 = 4.6, d1 = 5, ΔT = 0.4 / ln(5 / 4.6) = 4.79722; Q = 1.5 · 4.79722 · 2 · 10 = 143.917.
    {"typed T21 beside its slider", With(Point(0), [](OutputChartInput& p) { p.T21 = 40.4; }), 1.5,
     0, 143.917, 2},
    // T11 150, T22 140, Tm2 = 90: G2dop = (15 / (2.336 · 90^0.5))^0.5 = 0.82271, so n0 = 1 at
    // G2 = 0.5. Required 100 · 4.1868 · 0.5 = 209.34 kW; with F = 0.5 one exchanger needs
    // ΔT > 209.34 / 5 = 41.87, more than the 90 / ln 10 = 39.09 of T12 = 140. With one extra,
    // ΔT > 20.93: d2 = 37 gives 27 / ln 3.7 = 20.64, d2 = 38 gives 28 / ln 3.8 = 20.97377.
    // So T12 = 78, n = 2, Q = 0.5 · 20.97377 · 2 · 10 = 209.738.
    {"outlet and an extra exchanger searched",
     With(Point(3),
          [](OutputChartInput& p) {
              p.T11 = 150, p.T22 = 140;
              p.t11Position = 150;
          }),
     0.5, 0, 209.738, 2},
    // T12 from 45 to 54 − 10 = 44: nothing tried, the output is kept.
    {"empty search range", With(Point(0), [](OutputChartInput& p) { p.t11Position = 54; }), 1.5,
     123, 123, 0},
};

class EvaluateAtTest : public OutputChartTest,
                       public ::testing::WithParamInterface<EvaluateCase> {};

TEST_P(EvaluateAtTest, OutputAndCount) {
    const EvaluateCase& c = GetParam();
    double Q = c.Qbefore;
    std::int16_t n = -1;
    EvaluateAt(c.in, c.G2, Q, n);
    EXPECT_EQ(n, c.n);
    EXPECT_NEAR(Q, c.Q, 2e-3);
}

INSTANTIATE_TEST_SUITE_P(Output, EvaluateAtTest, ::testing::ValuesIn(kEvaluations),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (char& ch : n)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return n;
                         });

TEST_F(OutputChartTest, OneCountOverTheWholeRange) {
    // Model 1: G2dop = 20 keeps one exchanger; Q = 10 · 5.04983 · 1 · 10 = 504.983 kW at every
    // flow, y = 100 + 400 (log10 504.983 − 1) = 781.31 -> 781.
    std::vector<int> progress;
    const OutputChartData d = ComputeOutputChart(Point(1), [&](int i) { progress.push_back(i); });
    EXPECT_EQ(d.bands, (std::vector<CountBand>{{100, 900, 1}}));
    EXPECT_EQ(d.max, 900);
    ASSERT_EQ(d.samples.size(), 161u);
    for (std::size_t k = 0; k < d.samples.size(); ++k) {
        EXPECT_EQ(d.samples[k].x, 100 + 5 * static_cast<int>(k));
        EXPECT_EQ(d.samples[k].y, 781);
        EXPECT_EQ(d.samples[k].n, 1);
    }
    EXPECT_NEAR(d.samples[80].Q, 504.983, 1e-3);
    EXPECT_EQ(CurveSegments(d.samples).size(), 160u);
    ASSERT_EQ(progress.size(), 161u);
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress.back(), 800);
}

TEST_F(OutputChartTest, CountChangeAtTheLastSampleClosesTheBandWithTheOldCount) {
    // Model 0: n = floor(G2 / 0.97838) + 1 with G2 = 10^(i/400 − 1) at x = 100 + i; the count
    // k + 1 begins at the first sample with i >= 400 (log10(0.97838 k) + 1):
    // k = 1: 396.2 -> x 500; 2: 516.6 -> 620; 3: 587.1 -> 690; 4: 637.0 -> 740; 5: 675.8 -> 780;
    // 6: 707.5 -> 810; 7: 734.2 -> 835; 8: 757.4 -> 860; 9: 777.9 -> 880; 10: 796.2 -> 900.
    const OutputChartData d = ComputeOutputChart(Point(0));
    const std::vector<CountBand> expected = {
        {100, 500, 1}, {500, 620, 2}, {620, 690, 3}, {690, 740, 4}, {740, 780, 5},
        {780, 810, 6}, {810, 835, 7}, {835, 860, 8}, {860, 880, 9}, {880, 900, 10}};
    EXPECT_EQ(d.bands, expected);
    ASSERT_EQ(d.samples.size(), 161u);
    EXPECT_EQ(d.samples.back().n, 11);
    // Q = 1.5 · 5.04983 · n · 10 = 75.7475 n: at x = 500, n = 2, y = 100 + 400 · 1.180399 -> 572.
    EXPECT_EQ(d.samples[80].n, 2);
    EXPECT_NEAR(d.samples[80].Q, 151.495, 1e-3);
    EXPECT_EQ(d.samples[80].y, 572);
}

TEST_F(OutputChartTest, OutputAboveTheChartEndsTheCurveAndBlackensTheRest) {
    // Model 2: Q = 2.5 · 5.04983 · n · 10 = 126.246 n, above 1000 kW from n = 8, which starts at
    // x = 835 (as for model 0): MAX = 835, the sample at 835 is not kept.
    const OutputChartData d = ComputeOutputChart(Point(2));
    const std::vector<CountBand> expected = {{100, 500, 1}, {500, 620, 2}, {620, 690, 3},
                                             {690, 740, 4}, {740, 780, 5}, {780, 810, 6},
                                             {810, 835, 7}, {835, 900, 0}};
    EXPECT_EQ(d.bands, expected);
    EXPECT_EQ(d.max, 835);
    ASSERT_EQ(d.samples.size(), 147u); // x = 100 .. 830
    EXPECT_EQ(d.samples.back().x, 830);
    EXPECT_EQ(d.samples.back().n, 7);
}

TEST_F(OutputChartTest, OutputAboveTheChartAtTheFirstFlowPaintsOnlyTheBlackBand) {
    // Model 1 with F = 25: one exchanger, kw = 41.868 G2 / (25 · 5.04983) < 3.4 < 10, and
    // Q = 25 · 5.04983 · 10 = 1262.5 kW already at 0.1 kg/s. No count was found before it, so no
    // band of it is painted or labelled.
    ModelValues v;
    v.C = 1e9, v.expGr1 = 0.3, v.expGr2 = 0.2, v.expT11 = 0.1, v.expT22 = 0.05, v.expP = 0.4;
    v.C1 = 1e-6, v.a1 = 2, v.b1 = 0.5, v.C2 = 0.00125, v.a2 = 2, v.b2 = 0.5, v.F = 25;
    testing_core::SetModel(1, v);
    const OutputChartData d = ComputeOutputChart(Point(1));
    EXPECT_EQ(d.bands, (std::vector<CountBand>{{100, 900, 0}}));
    EXPECT_EQ(d.max, 100);
    EXPECT_TRUE(d.samples.empty());
}

TEST_F(OutputChartTest, FlowsWithoutAnInstallationBreakTheCurve) {
    // Model 3, F = 0.5: with e extra exchangers kw = 41.868 G2 / (0.5 · 5.04983 (n0 + e)) must stay
    // below 10, that is 1.65819 G2 < n0 + e with e <= 3.
    // x 770: G2 = 10^0.675 = 4.7315, n0 = floor(4.836) + 1 = 5, 1.65819 G2 = 7.846 < 8: n = 8.
    // x 775: G2 = 10^0.6875 = 4.8697, n0 = 5, 8.075 >= 8: none, the output stays 8 · 25.249.
    // x 780: G2 = 10^0.7 = 5.0119, n0 = floor(5.123) + 1 = 6, 8.311 < 9: n = 9.
    // x 810: G2 = 5.9566, n0 = 7, 9.877 < 10: n = 10; from x 815 on 1.65819 G2 outruns n0 + 3.
    const OutputChartData d = ComputeOutputChart(Point(3));
    ASSERT_EQ(d.samples.size(), 161u);
    const CurveSample& at770 = d.samples[134];
    const CurveSample& at775 = d.samples[135];
    const CurveSample& at780 = d.samples[136];
    EXPECT_EQ(at770.n, 8);
    EXPECT_GT(at770.y, 0);
    EXPECT_EQ(at775.n, 0);
    EXPECT_EQ(at775.y, 0);
    EXPECT_NEAR(at775.Q, 8 * 25.2492, 1e-3); // 0.5 · 5.04983 · 8 · 10, kept
    EXPECT_EQ(at780.n, 9);
    EXPECT_EQ(d.samples.back().n, 0);
    bool joins775 = false, joins780to785 = false;
    for (const auto& [a, b] : CurveSegments(d.samples)) {
        joins775 = joins775 || a.x == 775 || b.x == 775;
        joins780to785 = joins780to785 || (a.x == 780 && b.x == 785);
    }
    EXPECT_FALSE(joins775);
    EXPECT_TRUE(joins780to785);
    const std::vector<CountBand> tail(d.bands.end() - 6, d.bands.end());
    EXPECT_EQ(tail, (std::vector<CountBand>{{755, 775, 8},
                                            {775, 780, 0},
                                            {780, 795, 9},
                                            {795, 810, 0},
                                            {810, 815, 10},
                                            {815, 900, 0}}));
}

TEST_F(OutputChartTest, ReadingIsHeldWithinTheDrawnRange) {
    EXPECT_FALSE(nomograms::PickFlow(500, 0).has_value()); // before the first drawing
    EXPECT_DOUBLE_EQ(*nomograms::PickFlow(40, 900), 0.1);
    EXPECT_DOUBLE_EQ(*nomograms::PickFlow(500, 900), 1);
    // Held at MAX 835: G2 = 10^(2 · 735 / 800 − 1) = 10^0.8375 = 6.878599.
    EXPECT_NEAR(*nomograms::PickFlow(950, 835), 6.878599, 1e-6);

    // Model 2 at that flow: n = 8, Q = 2.5 · 5.04983 · 8 · 10 = 1009.967, above the chart
    // (y = 100 + 400 (log10 1009.967 − 1) = 901.72): no reading there.
    EXPECT_FALSE(ReadingAt(Point(2), 6.878599123088074).has_value());
    EXPECT_FALSE(ReadingAt(Point(3), 4.869675).has_value()); // x 775 of model 3: none
    // At 1 kg/s model 2 has 2 exchangers: Q = 2.5 · 5.04983 · 2 · 10 = 252.49 kW at
    // y = 100 + 400 (log10 252.49 − 1) = 660.90.
    const auto r = ReadingAt(Point(2), 1);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->n, 2);
    EXPECT_NEAR(r->Q, 252.49, 1e-2);
    EXPECT_NEAR(r->x, 500, 1e-9);
    EXPECT_NEAR(r->y, 660.90, 1e-2);
}

// The curve joins two neighbouring samples only when both lie on the chart: y 0 marks no
// installation, y below 100 an output under 10 kW.
TEST(OutputCurve, JoinsOnlySamplesOnTheChart) {
    auto sample = [](int x, int y) { return CurveSample{x, y, 1, 0}; };
    const std::vector<CurveSample> s = {sample(100, 150), sample(105, 100), sample(110, 99),
                                        sample(115, 40),  sample(120, 0),   sample(125, 300),
                                        sample(130, 900), sample(135, 80)};
    std::vector<std::pair<int, int>> joined;
    for (const auto& [a, b] : CurveSegments(s))
        joined.emplace_back(a.x, b.x);
    EXPECT_EQ(joined, (std::vector<std::pair<int, int>>{{100, 105}, {125, 130}}));
}

} // namespace
