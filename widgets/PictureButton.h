#pragma once

#include <QToolButton>

namespace widgets {

// A square button showing one of the program's icons (ProgramIcon) with a tooltip, whose
// accessible name is the tooltip.
class PictureButton : public QToolButton {
    Q_OBJECT
public:
    PictureButton(const QString& iconName, const QString& toolTip, QWidget* parent = nullptr);
};

} // namespace widgets
