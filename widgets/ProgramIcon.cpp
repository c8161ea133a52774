#include "widgets/ProgramIcon.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// Resources of a static library must be registered by name from outside any namespace.
static void InitIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace widgets {

QIcon ProgramIcon(const QString& name) {
    static const bool registered = (InitIconResources(), true);
    (void)registered;
    static QHash<QString, QIcon> cache;
    if (const auto it = cache.constFind(name); it != cache.constEnd())
        return *it;
    const QString path = QStringLiteral(":/icons/%1.svg").arg(name);
    if (name.isEmpty() || !QFile::exists(path))
        return {};
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    // Rendered here rather than through the SVG icon engine, so no plugin is needed.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    cache.insert(name, icon);
    return icon;
}

} // namespace widgets
