#include "shell/Twips.h"

#include "widgets/LogicalLayout.h"

#include <QFont>
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

} // namespace shell
