#include "widgets/FitText.h"

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QVariant>

namespace widgets {

namespace {
const char* const kBaseSize = "varmiBaseFontSize";
constexpr double kSmallest = 6.0;
constexpr double kStep = 0.5;
} // namespace

void ShrinkToFit(QLabel* label) {
    if (!label)
        return;
    QFont font = label->font();
    QVariant base = label->property(kBaseSize);
    if (!base.isValid()) {
        base = font.pointSizeF();
        label->setProperty(kBaseSize, base);
    }
    font.setPointSizeF(base.toDouble());
    const QRect room = label->contentsRect();
    const int flags = (label->wordWrap() ? Qt::TextWordWrap : 0) | int(label->alignment());
    const auto fits = [&] {
        const QRect needed = QFontMetrics(font).boundingRect(QRect(0, 0, room.width(), 100000),
                                                             flags, label->text());
        return needed.height() <= room.height() && needed.width() <= room.width();
    };
    while (!fits() && font.pointSizeF() - kStep >= kSmallest)
        font.setPointSizeF(font.pointSizeF() - kStep);
    if (font != label->font())
        label->setFont(font);
}

} // namespace widgets
