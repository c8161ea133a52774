#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace widgets {

// What a chart needs from its drawing surface, in the surface's user scale. The screen picture box
// and the printed page both provide it, so one drawing routine serves both.
class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void Line(QPointF from, QPointF to, const QColor& color, double width = 1,
                      Qt::PenStyle style = Qt::SolidLine) = 0;
    virtual void FillRect(const QRectF& rect, const QColor& color) = 0;
    // Text with its top-left corner at pos, the font size in points.
    virtual void Text(QPointF pos, const QString& text, double pointSize, const QColor& color) = 0;
    // Text as above that a surface may draw smaller where it would be wider than `width` user
    // units (a row of labels that must not run together).
    virtual void FittedText(QPointF pos, const QString& text, double pointSize, const QColor& color,
                            double /*width*/) {
        Text(pos, text, pointSize, color);
    }
};

} // namespace widgets
