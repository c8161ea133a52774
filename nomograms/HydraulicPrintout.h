#pragma once

#include "nomograms/HydraulicChart.h"
#include "widgets/ReportOutput.h"

#include <QString>

class QWidget;

namespace widgets {
class PrintPage;
}

namespace nomograms {

inline const char* const kHydraulicPrintSentText =
    "Jednostronicowy wydruk wykresu oporów hydraulicznych dla wymienników\r\n"
    "został wysłany na drukarkę domyślną systemu Windows";

// The reading's flow (kg/s) and pressure drop (kPa) as the window and the page show them; "---"
// when there is no reading to show.
struct ReadingTexts {
    QString flow, drop;
};
ReadingTexts HydraulicReadingTexts(double gw, double dpw, bool shown);

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

// The one-page report: the header, the log-log grid, the characteristic and the reading lines.
// The characteristic is worked out again, which caps dpw and sets gw as a redraw does.
void WriteHydraulicPage(widgets::PrintPage& page, const HydraulicPrintInput& in, double& gw,
                        double& dpw);

// Sends the one-page report to the target: the default printer, telling the user it was sent or
// that printing failed, or a PDF file. Returns true when the page was sent or written.
bool PrintHydraulicChart(QWidget* parent, const HydraulicPrintInput& in, double& gw, double& dpw,
                         const widgets::PageTarget& target = {});

} // namespace nomograms
