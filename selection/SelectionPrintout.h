#pragma once

#include "selection/LogSession.h"
#include "selection/SelectionRun.h"

#include <QString>

class QWidget;

namespace selection {

inline const char* const kPrintSentText = "Jednostronicowy wydruk wyników doboru wymienników\r\n"
                                          "został wysłany na drukarkę domyślną systemu Windows";

// What the printout reads from the panel: the values for the calculation and the texts as typed.
struct PrintoutInput {
    SelectionInput selection;
    QString heatOutput, dropHeating, heatingInlet, dropHeated, heatedInlet, heatedOutlet;
};

// Runs the selection again for the page (trace in raport.txt), prints the one-page report on the
// default printer and tells the user it was sent, or that printing failed. Leaves
// kod::ResultComments with this run's verdicts. Returns true when the page was sent.
bool PrintSelection(QWidget* parent, const PrintoutInput& input);

} // namespace selection
