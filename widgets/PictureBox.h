#pragma once

#include "widgets/Canvas.h"

#include <QWidget>

class QPainter;
#include <vector>

namespace widgets {

// A picture box with a user scale (0..1000 both ways, y up, by default). What is drawn is kept as
// a list of operations and painted again on every paint event, so it survives covering, resizing
// and high-DPI screens, and tests can ask what was drawn.
class PictureBox : public QWidget, public Canvas {
    Q_OBJECT
public:
    struct Op {
        enum Kind { LineOp, FillRectOp, TextOp } kind;
        QPointF a, b; // line ends, the rectangle's corners, or the text position (a) and the
                      // right end of its width (b; a text without one has b = a)
        QColor color;
        double width = 1; // line width in pixels, or the font size in points for text
        Qt::PenStyle style = Qt::SolidLine;
        QString text;
        QString fontName; // texts only; empty: the widget's font
        bool bold = false;
    };

    explicit PictureBox(QWidget* parent = nullptr);

    // The user rectangle: x from left to right, y from bottom to top.
    void SetScale(double left, double right, double bottom, double top);

    void Line(QPointF from, QPointF to, const QColor& color, double width = 1,
              Qt::PenStyle style = Qt::SolidLine) override;
    void FillRect(const QRectF& rect, const QColor& color) override;
    void Text(QPointF pos, const QString& text, double pointSize, const QColor& color) override;
    // Kept with b at (pos.x + width, pos.y): painted smaller where it would be wider.
    void FittedText(QPointF pos, const QString& text, double pointSize, const QColor& color,
                    double width) override;
    void Clear(); // removes the drawn operations, not the line objects

    // The typeface of the texts drawn from now on; each text brings its own size.
    void SetFont(const QString& family, bool bold = false);
    // The colour behind the drawing (white unless set).
    void SetBackground(const QColor& color);

    const std::vector<Op>& Operations() const { return ops_; }

    // Line objects drawn over the picture that can be moved and hidden; returns a handle.
    int AddLineObject(const QColor& color, double width = 1);
    void MoveLineObject(int handle, QPointF from, QPointF to);
    void SetLineObjectVisible(int handle, bool visible);
    const Op& LineObject(int handle) const;
    bool IsLineObjectVisible(int handle) const;

    // Conversions between widget pixels and the user scale.
    QPointF ToUser(QPointF pixel) const;
    QPointF ToPixel(QPointF user) const;

    // Draws the picture as the screen shows it (the operations, then the visible line objects),
    // filling `size` pixels of the painter: the one routine behind the screen and the exports.
    void Render(QPainter& painter, QSizeF size) const;

signals:
    void mouseMoved(QPointF user);
    void mousePressed(QPointF user, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QPointF Map(QPointF user, QSizeF size) const;

    double left_ = 0, right_ = 1000, bottom_ = 0, top_ = 1000;
    QString fontName_;
    bool bold_ = false;
    QColor background_ = Qt::white;
    std::vector<Op> ops_;
    std::vector<Op> lineObjects_;
    std::vector<bool> lineVisible_;
};

} // namespace widgets
