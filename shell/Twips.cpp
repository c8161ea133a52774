#include "shell/Twips.h"

#include "widgets/LogicalLayout.h"

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QWidget>

namespace shell {

void PlaceTwips(QWidget* control, int left, int top, int width, int height) {
    using widgets::TwipsToPixels;
    control->setGeometry(TwipsToPixels(left, control), TwipsToPixels(top, control),
                         TwipsToPixels(width, control), TwipsToPixels(height, control));
}

void FixClientTwips(QWidget* window, int width, int height) {
    window->setFixedSize(widgets::TwipsToPixels(width, window),
                         widgets::TwipsToPixels(height, window));
}

void UseFormFont(QWidget* window) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    window->setFont(font);
}

void ShrinkToFit(QLabel* label) {
    QFont font = label->font();
    const QRect room = label->contentsRect();
    const auto fits = [&] {
        const QRect needed = QFontMetrics(font).boundingRect(
            QRect(0, 0, room.width(), 10000), Qt::TextWordWrap | label->alignment(), label->text());
        return needed.height() <= room.height();
    };
    while (!fits() && font.pointSizeF() > 6.0)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
}

} // namespace shell
