#pragma once

#include <QString>

class QWidget;

namespace widgets {
class PrintPage;
}

namespace parameters {

inline const char* const kPrintSentText =
    "Jednostronicowy wydruk wartości obliczeniowych dla wymienników\r\n"
    "został wysłany na drukarkę domyślną systemu Windows";

// A value as the printed table shows it: three blanks and the value, cut to its last 12
// characters.
QString PrintedItem(const QString& value);

// Writes the one-page table of the catalogue (kod::ParamTable) on the page, company line
// included; the caller ends the document.
void WriteParameterPage(widgets::PrintPage& page);

// Prints the table on the default printer and confirms it, or reports the printing error.
// Returns true when the page was sent.
bool PrintParameters(QWidget* parent);

} // namespace parameters
