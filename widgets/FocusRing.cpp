#include "widgets/FocusRing.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>

namespace widgets {

namespace {

constexpr int kMargin = 2; // pixels around the control
const char* const kRingName = "varmiFocusRing";

// Drawn over the control's edge in its parent; mouse clicks pass through it.
class Ring : public QWidget {
public:
    explicit Ring(QWidget* parent) : QWidget(parent) {
        setObjectName(QString::fromLatin1(kRingName));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), kMargin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(
            QRectF(rect()).adjusted(kMargin / 2.0, kMargin / 2.0, -kMargin / 2.0, -kMargin / 2.0));
    }
};

class FocusRings : public QObject {
public:
    explicit FocusRings(QApplication& app) : QObject(&app) {
        setObjectName(QStringLiteral("varmiFocusRings"));
        connect(&app, &QApplication::focusChanged, this,
                [this](QWidget*, QWidget* now) { Follow(now); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == target_ &&
            (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
             event->type() == QEvent::Show || event->type() == QEvent::Hide))
            Place();
        return QObject::eventFilter(watched, event);
    }

private:
    void Follow(QWidget* now) {
        if (target_)
            target_->removeEventFilter(this);
        target_ = now && !now->isWindow() && now->parentWidget() ? now : nullptr;
        if (!target_) {
            if (ring_)
                ring_->hide();
            return;
        }
        if (!ring_)
            ring_ = new Ring(target_->parentWidget());
        else if (ring_->parentWidget() != target_->parentWidget())
            ring_->setParent(target_->parentWidget());
        target_->installEventFilter(this);
        Place();
    }

    void Place() {
        if (!ring_ || !target_)
            return;
        if (!target_->isVisible()) {
            ring_->hide();
            return;
        }
        ring_->setGeometry(target_->geometry().adjusted(-kMargin, -kMargin, kMargin, kMargin));
        ring_->raise();
        ring_->show();
    }

    QPointer<QWidget> target_;
    QPointer<Ring> ring_;
};

} // namespace

void ShowFocusAlways(QApplication& app) {
    if (!app.findChild<QObject*>(QStringLiteral("varmiFocusRings"), Qt::FindDirectChildrenOnly))
        new FocusRings(app);
}

QWidget* FocusRingOf(const QWidget* control) {
    if (!control || !control->parentWidget() || !control->hasFocus())
        return nullptr;
    auto* ring = control->parentWidget()->findChild<QWidget*>(QString::fromLatin1(kRingName),
                                                              Qt::FindDirectChildrenOnly);
    return ring && ring->isVisible() ? ring : nullptr;
}

} // namespace widgets
