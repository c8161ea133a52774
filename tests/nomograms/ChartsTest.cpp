// The nomograms' grid, clipping and drawn characteristic, without a display.
#include "nomograms/ChartGrid.h"
#include "nomograms/HydraulicChart.h"
#include "widgets/Canvas.h"
#include "widgets/Environment.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace nomograms;

namespace {

class RecordingCanvas : public widgets::Canvas {
public:
    QStringList rows; // as in grid.txt
    int style = 0;
    void Line(QPointF a, QPointF b, const QColor&, double, Qt::PenStyle) override {
        rows << QStringLiteral("%1|line|%2 %3 %4 %5")
                    .arg(style)
                    .arg(a.x())
                    .arg(a.y())
                    .arg(b.x())
                    .arg(b.y());
    }
    void FillRect(const QRectF&, const QColor&) override { ADD_FAILURE() << "no fill expected"; }
    void Text(QPointF pos, const QString& text, double size, const QColor& colour) override {
        FittedText(pos, text, size, colour, 0);
    }
    void FittedText(QPointF pos, const QString& text, double size, const QColor& colour,
                    double width) override {
        auto n = [](double v) { return QString::number(std::round(v * 1000) / 1000); };
        rows << QStringList{QString::number(style), text,    n(pos.x()), n(pos.y()), n(size),
                            colour.name(),          n(width)}
                    .join('|');
    }
};

TEST(ChartGrid, LinesLabelsAndTitlesOfEachStyle) {
    widgets::SetUserLocale(QLocale::c());
    RecordingCanvas canvas;
    const GridStyle styles[] = {HydraulicScreenGrid(), HydraulicPageGrid(), OutputChartGrid()};
    for (canvas.style = 0; canvas.style < 3; ++canvas.style)
        DrawLogGrid(canvas, 100, 800, styles[canvas.style]);
    EXPECT_EQ(canvas.rows.size(), 3 * (38 + 19 + 19) + 2 + 2 + 3); // lines, labels, titles
    QFile data(QStringLiteral(VARMI_TEST_DATA "/nomograms/grid.txt"));
    ASSERT_TRUE(data.open(QIODevice::ReadOnly | QIODevice::Text));
    for (const QString& row : QString::fromUtf8(data.readAll()).split('\n')) {
        if (!row.isEmpty() && !row.startsWith('#')) {
            EXPECT_TRUE(canvas.rows.contains(row)) << row.toStdString();
        }
    }
}

struct ClipCase {
    Segment line;
    const char* inside;
};
const ClipCase kClips[] = {
    {{200, 300, 400, 500}, "200.000 300.000 400.000 500.000"}, // inside: as it is
    {{130, -19, 135, 102}, "134.917 100.000 135.000 102.000"}, // 130 + 5 · 119 / 121
    {{50, 950, 950, 50}, "100.000 900.000 900.000 100.000"},   // through two corners
    {{100, 100.41, 40, 100.41}, "none"},                       // touches the left edge only
    {{950, 100, 950, 900}, "none"},                            // right of the square
    {{100, 1e308 * 10, 200, 0}, "none"},                       // not finite
};

TEST(ClipToSquare, KeepsThePartInsideOnTheLine) {
    for (const auto& [line, inside] : kClips) {
        const auto got = ClipToSquare(line);
        EXPECT_EQ(got ? QString::asprintf("%.3f %.3f %.3f %.3f", got->x1, got->y1, got->x2, got->y2)
                      : QStringLiteral("none"),
                  QString::fromLatin1(inside));
    }
}

TEST(CharacteristicLine, RoundsHalvesToEven) {
    // Values found with Python's math.log10 (the same C library routine) to land exactly on
    // x 420.5, y 640.5, x 700.5 and y 420.5.
    const Segment s = CharacteristicLine(
        {0.6327760017024557, 22.451739778971906, 3.171392537989799, 6.327760017024557});
    EXPECT_EQ(QString::asprintf("%g %g %g %g", s.x1, s.y1, s.x2, s.y2), "420 640 700 420");
}

} // namespace
