#pragma once

#include <QIcon>
#include <QString>

namespace widgets {

// The program's icon by name (":/icons/<name>.svg"): calculate, print, exit, help, info,
// descriptions, parameters, hydra, heat, coefq, coeft, selection, quit, app. Unknown: a null icon.
QIcon ProgramIcon(const QString& name);

} // namespace widgets
