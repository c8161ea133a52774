#pragma once

#include "nomograms/HydraulicChart.h"

#include <QString>

class QWidget;

namespace nomograms {

inline const char* const kHydraulicPrintSentText =
    "Jednostronicowy wydruk wykresu oporów hydraulicznych dla wymienników\r\n"
    "został wysłany na drukarkę domyślną systemu Windows";

// What the page takes from the window: the texts as shown and the chart's arguments.
struct HydraulicPrintInput {
    QString model;                       // the model list's text
    bool heating = true;                 // the heating-water circuit is chosen
    QString inletCaption, outletCaption; // "T11 =", "T12 =" or "T21 =", "T22 ="
    QString inletText, outletText;       // the temperature boxes
    QString flowText, dropText;          // the reading boxes
    std::int16_t T1 = 0, T2 = 0;         // the temperatures as whole numbers
    int m = 0;
};

// Prints the one-page report of the hydraulic chart on the default printer and tells the user it
// was sent, or that printing failed. The characteristic is worked out again, which caps dpw and
// sets gw as a redraw does. Returns true when the page was sent.
bool PrintHydraulicChart(QWidget* parent, const HydraulicPrintInput& in, double& gw, double& dpw);

} // namespace nomograms
