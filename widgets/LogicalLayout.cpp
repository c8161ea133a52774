#include "widgets/LogicalLayout.h"

#include "widgets/FitText.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
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
    const QSize size = QSize(static_cast<int>(available.width() * fraction),
                             static_cast<int>(available.height() * fraction))
                           .expandedTo(window->minimumSize());
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
    const Item item{nullptr, QRectF(left, top, width, height), QSizeF()};
    return PixelRect(item, container_->size());
}

QRect LogicalLayout::PixelRect(const Item& item, QSizeF container) const {
    const QRectF& l = item.logical;
    const double sx = container.width() / width_;
    const double sy = container.height() / height_;
    const double pixelTop = yUp_ ? (height_ - l.top()) * sy : l.top() * sy;
    const int x0 = static_cast<int>(std::lround(l.left() * sx));
    const int y0 = static_cast<int>(std::lround(pixelTop));
    const int x1 = static_cast<int>(std::lround((l.left() + l.width()) * sx));
    const int y1 = static_cast<int>(std::lround(pixelTop + l.height() * sy));
    QRect r(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
    if (!item.twips.isEmpty()) {
        r.setSize(QSize(TwipsToPixels(item.twips.width(), item.control),
                        static_cast<int>(std::lround(item.twips.height() / kTwipsPerInch *
                                                     DpiY(item.control)))));
    }
    return r;
}

void LogicalLayout::Relayout() {
    for (const Item& item : items_) {
        item.control->setGeometry(PixelRect(item, container_->size()));
        if (auto* label = qobject_cast<QLabel*>(item.control))
            ShrinkToFit(label);
    }
}

void LogicalLayout::OrderTabsByRows(QWidget* last) const {
    std::vector<const Item*> rows;
    for (const Item& item : items_) {
        // Option buttons of a group lose Tab focus while unchecked; they keep their place.
        if (item.control != last && item.control->focusPolicy() != Qt::NoFocus)
            rows.push_back(&item);
    }
    // The distance of the upper edge from the top, whichever way the logical y grows.
    auto fromTop = [this](const Item* i) {
        return yUp_ ? height_ - i->logical.top() : i->logical.top();
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const Item* a, const Item* b) {
        if (fromTop(a) != fromTop(b))
            return fromTop(a) < fromTop(b);
        return a->logical.left() < b->logical.left();
    });
    QWidget* previous = nullptr;
    for (const Item* item : rows) {
        if (previous)
            QWidget::setTabOrder(previous, item->control);
        previous = item->control;
    }
    if (previous && last)
        QWidget::setTabOrder(previous, last);
}

bool LogicalLayout::Crowded(QSizeF container) const {
    const QSizeF roomy(width_ * 8, height_ * 8);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        for (std::size_t j = i + 1; j < items_.size(); ++j) {
            if (!items_[i].control->isVisibleTo(container_) ||
                !items_[j].control->isVisibleTo(container_))
                continue;
            if (PixelRect(items_[i], container).intersects(PixelRect(items_[j], container)) &&
                !PixelRect(items_[i], roomy).intersects(PixelRect(items_[j], roomy)))
                return true;
        }
    }
    return false;
}

QSize LogicalLayout::MinimumSize() const {
    // Crowding only grows as the container shrinks, so each side is found by bisection with the
    // other side roomy, then the height again with the width found.
    const double roomyW = width_ * 8, roomyH = height_ * 8;
    auto smallest = [](double hi, const auto& crowded) {
        double lo = 1;
        if (crowded(hi))
            return hi;
        while (hi - lo > 1) {
            const double mid = std::floor((lo + hi) / 2);
            (crowded(mid) ? lo : hi) = mid;
        }
        return hi;
    };
    const double w = smallest(roomyW, [&](double x) { return Crowded(QSizeF(x, roomyH)); });
    const double h = smallest(roomyH, [&](double y) { return Crowded(QSizeF(w, y)); });
    return QSize(static_cast<int>(w), static_cast<int>(h));
}

bool LogicalLayout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == container_ && event->type() == QEvent::Resize)
        Relayout();
    return QObject::eventFilter(watched, event);
}

} // namespace widgets
