#pragma once

#include "selection/SelectionPrintout.h"

#include <QDate>
#include <QString>

// QWidget, kod::CalcLog and widgets::PrintPage come declared with the printout's header.
namespace selection {

inline const char* const kReportText = "Raport doboru (PDF)…";
inline const char* const kNoExchangerText =
    "Dla podanych warunków żaden wymiennik nie może być zastosowany.";

// What the title block of every page names.
struct ReportTitle {
    QString caseName;
    QDate date;
};

// The report's pages for model m (-1: no possible exchanger, the selection page only).
int ReportPageCount(int m);

// The models the report may describe when none is the most favourable: those with a T12 found.
std::vector<int> ReportCandidates(const SelectionResult& run);

// The design report of model m: the selection page, then the hydraulic characteristic of m for
// the heating and for the heated water with the operating point read on each, then its thermal
// output chart and both coefficient charts at that point; a title block on every page. With m = -1
// the selection page says no exchanger is possible.
void WriteDesignReport(widgets::PrintPage& page, const PrintoutInput& input, int m,
                       const ReportTitle& title, kod::CalcLog& log);

// Writes the report of model m (-1: none possible) to the PDF file; a failure names the file,
// which is left as it was. Returns true when the file was written.
bool SaveDesignReport(QWidget* parent, const PrintoutInput& input, int m, const ReportTitle& title,
                      const QString& pdfFile);

} // namespace selection
