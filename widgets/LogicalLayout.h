#pragma once

#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <vector>

class QWidget;

namespace widgets {

inline constexpr double kTwipsPerInch = 1440.0;

// Pixels for a length in twips on the widget's screen.
int TwipsToPixels(double twips, const QWidget* widget);

// Sizes a top-level window to `fraction` of the available screen, or its minimum size when that is
// larger, and centres it.
void OpenCentred(QWidget* window, double fraction = 0.95);

// Places the children of a container in a logical scale (1024 × 768 by default) and places them
// again whenever the container is resized. With yUp, logical y grows upwards from the bottom edge:
// `top` is then the y of the control's upper edge and the control reaches down to top − height.
class LogicalLayout : public QObject {
    Q_OBJECT
public:
    explicit LogicalLayout(QWidget* container, double width = 1024, double height = 768,
                           bool yUp = false);

    // A control whose whole rectangle is in logical units.
    void Place(QWidget* control, double left, double top, double width, double height);
    // A control at a logical position with a fixed physical size in twips.
    void PlaceFixed(QWidget* control, double left, double top, QSizeF twips);

    // Logical rectangle (left, top, width, height) to the container's pixels.
    QRect ToPixels(double left, double top, double width, double height) const;
    // Places every control again for the container's size; word-wrapped labels get the largest
    // font, up to their own, at which their whole text fits.
    void Relayout();

    // Sets the tab order of the placed controls that take the focus: row by row from the top, left
    // to right within a row, then `last` (the chart or grid beside the rows), if given.
    void OrderTabsByRows(QWidget* last = nullptr) const;

    // The smallest container size at which no two controls overlap that do not overlap in a
    // large container: controls of a fixed physical size crowd together when it shrinks.
    QSize MinimumSize() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Item {
        QWidget* control;
        QRectF logical; // left, top, width, height
        QSizeF twips;   // empty unless the size is fixed
    };
    QRect PixelRect(const Item& item, QSizeF container) const;
    bool Crowded(QSizeF container) const;

    QWidget* container_;
    double width_, height_;
    bool yUp_;
    std::vector<Item> items_;
};

} // namespace widgets
