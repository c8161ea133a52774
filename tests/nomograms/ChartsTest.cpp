// The nomograms' grid, clipping and drawn characteristic, without a display.
#include "nomograms/ChartGrid.h"
#include "nomograms/HydraulicChart.h"
#include "widgets/Canvas.h"
#include "widgets/Environment.h"

#include <QFile>
#include <QLineF>
#include <gtest/gtest.h>

#include <set>

using namespace nomograms;

namespace {

class RecordingCanvas : public widgets::Canvas {
public:
    std::vector<QLineF> lines;
    QStringList texts; // "style|text|x|y|size|colour|width" as in grid.txt
    int style = 0;
    void Line(QPointF from, QPointF to, const QColor&, double, Qt::PenStyle) override {
        lines.emplace_back(from, to);
    }
    void FillRect(const QRectF&, const QColor&) override { ADD_FAILURE() << "no fill expected"; }
    void Text(QPointF pos, const QString& text, double size, const QColor& colour) override {
        FittedText(pos, text, size, colour, 0);
    }
    void FittedText(QPointF pos, const QString& text, double size, const QColor& colour,
                    double width) override {
        texts << QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
                     .arg(style)
                     .arg(text)
                     .arg(std::round(pos.x() * 1000) / 1000)
                     .arg(std::round(pos.y() * 1000) / 1000)
                     .arg(size)
                     .arg(colour.name())
                     .arg(std::round(width * 1000) / 1000);
    }
};

TEST(ChartGrid, LinesLabelsAndTitlesOfEachStyle) {
    widgets::SetUserLocale(QLocale::c());
    RecordingCanvas canvas;
    const GridStyle styles[] = {HydraulicScreenGrid(), HydraulicPageGrid(), OutputChartGrid()};
    // 100 + 400 log10 v for v = 1..10 and 20..100, rounded: 220.41 -> 220, 290.85 -> 291, ...
    const std::set<double> at = {100, 220, 291, 341, 380, 411, 438, 461, 482, 500,
                                 620, 691, 741, 780, 811, 838, 861, 882, 900};
    for (canvas.style = 0; canvas.style < 3; ++canvas.style) {
        canvas.lines.clear();
        DrawLogGrid(canvas, 100, 800, styles[canvas.style]);
        std::set<double> across, up;
        for (const QLineF& l : canvas.lines) {
            const bool flat = l.y1() == l.y2();
            EXPECT_TRUE(flat ? l.x1() == 100 && l.x2() == 900 : l.y1() == 100 && l.y2() == 900);
            (flat ? across : up).insert(flat ? l.y1() : l.x1());
        }
        EXPECT_EQ(canvas.lines.size(), 38u);
        EXPECT_EQ(across, at);
        EXPECT_EQ(up, at);
    }
    EXPECT_EQ(canvas.texts.size(), 19u * 6 + 2 + 2 + 3); // 19 + 19 labels and the titles
    QFile data(QStringLiteral(VARMI_TEST_DATA "/nomograms/grid.txt"));
    ASSERT_TRUE(data.open(QIODevice::ReadOnly | QIODevice::Text));
    for (const QString& row : QString::fromUtf8(data.readAll()).split('\n')) {
        if (!row.isEmpty() && !row.startsWith('#')) {
            EXPECT_TRUE(canvas.texts.contains(row)) << row.toStdString();
        }
    }
}

struct ClipCase {
    Segment line;
    std::optional<Segment> inside;
};
const ClipCase kClips[] = {
    {{200, 300, 400, 500}, Segment{200, 300, 400, 500}},        // inside: as it is
    {{130, -19, 135, 102}, Segment{134.917355, 100, 135, 102}}, // 130 + 5 · 119 / 121
    {{500, 100, 500, 901.72}, Segment{500, 100, 500, 900}},
    {{50, 950, 950, 50}, Segment{100, 900, 900, 100}},   // through two corners
    {{100, 901.72, 835, 901.72}, std::nullopt},          // above the square
    {{100, 100.41, 40, 100.41}, std::nullopt},           // touches the left edge only
    {{40, 100, 40, 100.41}, std::nullopt},               // left of it
    {{100, 500, 100, 500}, Segment{100, 500, 100, 500}}, // a point on the edge
    {{0, 0, 0, 0}, std::nullopt},
    {{100, 1e308 * 10, 200, 0}, std::nullopt}, // not finite
};

TEST(ClipToSquare, KeepsThePartInsideOnTheLine) {
    for (const ClipCase& c : kClips) {
        const auto got = ClipToSquare(c.line);
        ASSERT_EQ(got.has_value(), c.inside.has_value()) << c.line.x1 << " " << c.line.y1;
        if (got) {
            EXPECT_NEAR(got->x1, c.inside->x1, 1e-6);
            EXPECT_NEAR(got->y1, c.inside->y1, 1e-6);
            EXPECT_NEAR(got->x2, c.inside->x2, 1e-6);
            EXPECT_NEAR(got->y2, c.inside->y2, 1e-6);
        }
    }
}

TEST(CharacteristicLine, RoundsHalvesToEven) {
    // Values found with Python's math.log10 (the same C library routine) to land exactly on
    // x 420.5, y 421.5, x 701.5 and y 640.5.
    const Segment s = CharacteristicLine(
        {0.6327760017024557, 6.36429057426272, 3.1897011869148564, 22.451739778971906});
    EXPECT_EQ(s.x1, 420);
    EXPECT_EQ(s.y1, 422);
    EXPECT_EQ(s.x2, 702);
    EXPECT_EQ(s.y2, 640);
}

} // namespace
