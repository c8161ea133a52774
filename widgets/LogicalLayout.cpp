#include "widgets/LogicalLayout.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace widgets {

namespace {
constexpr int kDefaultDpi = 96;

int DpiX(const QWidget* widget) {
    return widget ? widget->logicalDpiX() : kDefaultDpi;
}
int DpiY(const QWidget* widget) {
    return widget ? widget->logicalDpiY() : kDefaultDpi;
}
} // namespace

int TwipsToPixels(double twips, const QWidget* widget) {
    return static_cast<int>(std::lround(twips / kTwipsPerInch * DpiX(widget)));
}

void OpenCentred(QWidget* window, double fraction) {
    if (!window)
        return;
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    fraction = std::clamp(fraction, 0.1, 1.0);
    const QSize size(static_cast<int>(available.width() * fraction),
                     static_cast<int>(available.height() * fraction));
    window->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available));
}

LogicalLayout::LogicalLayout(QWidget* container, double width, double height, bool yUp)
    : QObject(container), container_(container), width_(width > 0 ? width : 1024),
      height_(height > 0 ? height : 768), yUp_(yUp) {
    if (container_)
        container_->installEventFilter(this);
}

void LogicalLayout::Place(QWidget* control, double left, double top, double width, double height) {
    if (!control)
        return;
    const Item item{control, QRectF(left, top, width, height), QSizeF()};
    auto it = std::find_if(items_.begin(), items_.end(),
                           [control](const Item& i) { return i.control == control; });
    if (it != items_.end()) {
        *it = item;
    } else {
        items_.push_back(item);
        connect(control, &QObject::destroyed, this, [this, control] {
            std::erase_if(items_, [control](const Item& i) { return i.control == control; });
        });
    }
    Relayout();
}

void LogicalLayout::PlaceFixed(QWidget* control, double left, double top, QSizeF twips) {
    if (!control)
        return;
    Place(control, left, top, 0, 0);
    auto it = std::find_if(items_.begin(), items_.end(),
                           [control](const Item& i) { return i.control == control; });
    it->twips = twips;
    Relayout();
}

QRect LogicalLayout::ToPixels(double left, double top, double width, double height) const {
    if (!container_)
        return {};
    const double sx = container_->width() / width_;
    const double sy = container_->height() / height_;
    const double pixelTop = yUp_ ? (height_ - top) * sy : top * sy;
    const int x0 = static_cast<int>(std::lround(left * sx));
    const int y0 = static_cast<int>(std::lround(pixelTop));
    const int x1 = static_cast<int>(std::lround((left + width) * sx));
    const int y1 = static_cast<int>(std::lround(pixelTop + height * sy));
    return QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
}

void LogicalLayout::Relayout() {
    for (const Item& item : items_) {
        const QRectF& l = item.logical;
        QRect r = ToPixels(l.left(), l.top(), l.width(), l.height());
        if (!item.twips.isEmpty()) {
            r.setSize(QSize(TwipsToPixels(item.twips.width(), item.control),
                            static_cast<int>(std::lround(item.twips.height() / kTwipsPerInch *
                                                         DpiY(item.control)))));
        }
        item.control->setGeometry(r);
    }
}

bool LogicalLayout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == container_ && event->type() == QEvent::Resize)
        Relayout();
    return QObject::eventFilter(watched, event);
}

} // namespace widgets
