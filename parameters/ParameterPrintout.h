#pragma once

#include "widgets/ReportOutput.h"

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

// Sends the table to the target: the default printer, confirming it or reporting the printing
// error, or a PDF file. Returns true when the page was sent or written.
bool PrintParameters(QWidget* parent, const widgets::PageTarget& target = {});

} // namespace parameters
