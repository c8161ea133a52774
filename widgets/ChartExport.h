#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace widgets {

class PictureBox;

inline const char* const kSavePngText = "Zapisz wykres jako PNG…";
inline const char* const kSaveSvgText = "Zapisz wykres jako SVG…";
inline const char* const kCopyChartText = "Kopiuj wykres";

// The chart as the screen shows it, reading lines included, at `scale` times its size in pixels
// (the image carries that pixel ratio).
QImage ChartImage(const PictureBox& box, double scale);
// The scale of the exported pictures: twice the screen's pixel ratio.
double ExportScale(const PictureBox& box);
// The chart as an SVG document of its size in pixels, titled with its accessible name.
QByteArray ChartSvg(const PictureBox& box);

// The chart's context menu (right button, or the menu key once Tab has brought the focus there):
// "Zapisz wykres jako PNG…", "Zapisz wykres jako SVG…" and "Kopiuj wykres", which puts both
// the image and the SVG on the clipboard. The files are proposed as baseName.png and .svg.
void AddChartMenu(PictureBox* box, const QString& baseName);

} // namespace widgets
