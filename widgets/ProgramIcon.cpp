#include "widgets/ProgramIcon.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <memory>

// Resources of a static library must be registered by name from outside any namespace.
static void InitIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace widgets {

namespace {

// Draws the icon from its SVG at whatever size and pixel ratio it is asked for, so it stays
// crisp on any screen; rendered here rather than through the SVG icon plugin, so none is needed.
class SvgIconEngine : public QIconEngine {
public:
    explicit SvgIconEngine(std::shared_ptr<QSvgRenderer> renderer)
        : renderer_(std::move(renderer)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const double ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size() * ratio, mode, state, ratio));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // `pixels` counts device pixels, `scale` is the ratio the pixmap is for.
    QPixmap scaledPixmap(const QSize& pixels, QIcon::Mode mode, QIcon::State,
                         qreal scale) override {
        if (pixels.isEmpty())
            return {};
        QPixmap pixmap(pixels);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            renderer_->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
        }
        if (mode != QIcon::Normal && mode != QIcon::Active && qApp) {
            QStyleOption option;
            option.palette = QApplication::palette();
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}};
    }

    QIconEngine* clone() const override { return new SvgIconEngine(renderer_); }
    QString key() const override { return QStringLiteral("varmiSvg"); }

private:
    std::shared_ptr<QSvgRenderer> renderer_;
};

} // namespace

QIcon ProgramIcon(const QString& name) {
    static const bool registered = (InitIconResources(), true);
    (void)registered;
    static QHash<QString, QIcon> cache;
    if (const auto it = cache.constFind(name); it != cache.constEnd())
        return *it;
    const QString path = QStringLiteral(":/icons/%1.svg").arg(name);
    if (name.isEmpty() || !QFile::exists(path))
        return {};
    auto renderer = std::make_shared<QSvgRenderer>(path);
    if (!renderer->isValid())
        return {};
    const QIcon icon(new SvgIconEngine(std::move(renderer)));
    cache.insert(name, icon);
    return icon;
}

} // namespace widgets
