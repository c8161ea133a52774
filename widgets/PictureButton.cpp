#include "widgets/PictureButton.h"

#include "widgets/ProgramIcon.h"

namespace widgets {

PictureButton::PictureButton(const QString& iconName, const QString& toolTip, QWidget* parent)
    : QToolButton(parent) {
    setIcon(ProgramIcon(iconName));
    setIconSize(QSize(32, 32));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setToolTip(toolTip);
    setAccessibleName(toolTip);
}

} // namespace widgets
