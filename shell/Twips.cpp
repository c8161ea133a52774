#include "shell/Twips.h"

#include "widgets/LogicalLayout.h"

#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace shell {

namespace {
int Scaled(double twips, const QWidget* widget) {
    return widgets::TwipsToPixels(twips * FormScale(widget->window()), widget);
}
} // namespace

double FormScale(const QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return 1;
    const QSize available = screen->availableGeometry().size();
    return std::max(1.0, std::min(available.width() / 1024.0, available.height() / 768.0));
}

void PlaceTwips(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(Scaled(left, control), Scaled(top, control), Scaled(width, control),
                         Scaled(height, control));
}

void FixClientTwips(QWidget* window, int width, int height) {
    window->setFixedSize(Scaled(width, window), Scaled(height, window));
}

void UseFormFont(QWidget* window) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8 * FormScale(window));
    window->setFont(font);
}

} // namespace shell
