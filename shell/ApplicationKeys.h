#pragma once

class QApplication;

namespace shell {

// Keys that work the same in every window of the program: F1 opens the help over the active
// window, and Alt with a letter or digit never types that character into a text box (it only
// reaches the access keys).
void InstallApplicationKeys(QApplication& app);

} // namespace shell
