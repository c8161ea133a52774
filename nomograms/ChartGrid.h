#pragma once

#include <QColor>
#include <QPointF>
#include <QString>
#include <string>
#include <vector>

namespace widgets {
class Canvas;
}

namespace nomograms {

struct OutputChartData;

struct AxisTitle {
    QPointF at; // top-left corner, chart units
    QString text;
    double size; // points
    QColor colour = Qt::black;
};

// The label of the left axis at the grid value v (1..10, 20..100).
using LabelRule = std::string (*)(int v, char decimalSeparator);
std::string DropLabel(int v, char decimalSeparator);   // v right-aligned in three places, kPa
std::string OutputLabel(int v, char decimalSeparator); // 10 v, kW

// What differs between the screen and the page, and between the two nomograms.
struct GridStyle {
    double labelSize = 10;   // tick labels, points
    double leftLabelX = -50; // the left axis's labels, from the origin
    LabelRule leftLabel = DropLabel;
    std::vector<AxisTitle> titles;
};

// The log-log grid of the nomograms with origin and side length in chart units: lines at 1..10
// and 20..100 on both axes, the left axis's labels, the flow labels .1 to 10 below, the titles.
void DrawLogGrid(widgets::Canvas& canvas, int origin, int length, const GridStyle& style);

// The hydraulic nomogram on the screen and on the page; the thermal output nomogram's axes.
GridStyle HydraulicScreenGrid();
GridStyle HydraulicPageGrid();
GridStyle OutputChartGrid();

// The thermal output chart: the count bands with their numbers, the grid and the curve.
void DrawOutputChart(widgets::Canvas& canvas, const OutputChartData& chart);

} // namespace nomograms
