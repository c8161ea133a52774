#pragma once

class QApplication;

namespace shell {

// Makes Qt's own texts (standard buttons, the file dialog, system error texts) Polish, whatever
// the system's language. False when Qt's Polish translations are not installed.
bool InstallQtTranslations(QApplication& app);

} // namespace shell
