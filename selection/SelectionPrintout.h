#pragma once

#include "selection/LogSession.h"
#include "selection/SelectionRun.h"
#include "widgets/ReportOutput.h"

#include <QString>

class QWidget;

namespace kod {
class CalcLog;
}
namespace widgets {
class PrintPage;
}

namespace selection {

inline const char* const kPrintSentText = "Jednostronicowy wydruk wyników doboru wymienników\r\n"
                                          "został wysłany na drukarkę domyślną systemu Windows";

// What the printout reads from the panel: the values for the calculation and the texts as typed.
struct PrintoutInput {
    SelectionInput selection;
    QString heatOutput, dropHeating, heatingInlet, dropHeated, heatedInlet, heatedOutlet;
};

// The one-page report: the heading, the input block, and the table and comments of the selection
// run again for the page with its trace in `log`.
void WriteSelectionPage(widgets::PrintPage& page, const PrintoutInput& input, kod::CalcLog& log);

// Runs the selection again for the page (trace in raport.txt) and sends the one-page report to
// the target: the default printer, telling the user it was sent or that printing failed, or a PDF
// file. Leaves kod::ResultComments with this run's verdicts. Returns true when the page was sent
// or written.
bool PrintSelection(QWidget* parent, const PrintoutInput& input,
                    const widgets::PageTarget& target = {});

} // namespace selection
