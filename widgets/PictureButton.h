#pragma once

#include <QToolButton>

namespace widgets {

// A square button showing one of the program's icons (":/icons/<name>.svg") with a tooltip,
// whose accessible name is the tooltip.
class PictureButton : public QToolButton {
    Q_OBJECT
public:
    PictureButton(const QString& iconName, const QString& toolTip, QWidget* parent = nullptr);
};

// The program's icon by name: calculate, print, exit, help, info, descriptions, parameters, hydra,
// heat, coefq, coeft, selection, quit, app.
QIcon ProgramIcon(const QString& name);

// Gives every operable control under root that has no accessible name one: the text of the label
// whose buddy it is (without "&"), else its tooltip.
void ApplyAccessibleNames(QWidget* root);

// Paints the grey background gradient over the given width and height.
void PaintGradientBackground(class QPainter& painter, int width, int height);

} // namespace widgets
