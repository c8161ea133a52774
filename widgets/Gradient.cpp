#include "widgets/Gradient.h"

#include "core/Drawing.h"

#include <QColor>
#include <QPainter>

namespace widgets {

void PaintGradientBackground(QPainter& painter, int width, int height) {
    for (const kod::GradientBand& band : kod::GradientBands(width)) {
        if (band.right > band.left)
            painter.fillRect(band.left, 0, band.right - band.left, height,
                             QColor(band.grey, band.grey, band.grey));
    }
}

} // namespace widgets
