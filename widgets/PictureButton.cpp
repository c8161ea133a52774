#include "widgets/PictureButton.h"

#include "core/Drawing.h"

#include <QIcon>
#include <QPainter>

static void InitIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace widgets {

PictureButton::PictureButton(const QString& iconName, const QString& toolTip, QWidget* parent)
    : QToolButton(parent) {
    setIcon(ProgramIcon(iconName));
    setIconSize(QSize(32, 32));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setToolTip(toolTip);
    setAccessibleName(toolTip);
}

QIcon ProgramIcon(const QString& name) {
    static const bool loaded = (InitIconResources(), true);
    (void)loaded;
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
}

void ApplyAccessibleNames(QWidget*) {}

void PaintGradientBackground(QPainter& painter, int width, int height) {
    for (const kod::GradientBand& band : kod::GradientBands(width)) {
        if (band.right > band.left)
            painter.fillRect(band.left, 0, band.right - band.left, height,
                             QColor(band.grey, band.grey, band.grey));
    }
}

} // namespace widgets
