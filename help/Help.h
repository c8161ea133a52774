#pragma once

#include "widgets/Environment.h"

#include <QString>
#include <filesystem>

class QWidget;

namespace help {

inline constexpr const char* kHelpFileName = "varmi.html";

// Opens the program's help page (varmi.html in appDir, else beside the executable) in a help window
// over the window of `parent`, or brings that window forward when it is already open. A missing
// page is reported in a message box.
void ShowHelp(QWidget* parent, const std::filesystem::path& appDir = widgets::AppDirectory());

} // namespace help
