#pragma once

#include "widgets/PrintPage.h"

#include <QString>
#include <functional>
#include <optional>

class QAbstractButton;
class QAction;
class QWidget;

namespace widgets {

// Where a report page goes: a printer (the default one unless chosen), or a PDF file the user
// named.
struct PageTarget {
    QString pdfFile; // empty: the printer
    PrinterChoice printer{};
    bool ToPrinter() const { return pdfFile.isEmpty(); }
};

// One report page: `draw` writes it on a page for the target, which is then ended. For the
// printer, a failure shows "Wystąpił błąd drukowania" and `sentText` confirms a page sent to the
// default printer (one chosen in the dialog needs no confirmation); for a file, a failure names the
// file, which is left as it was, and success needs no message. `draw` may throw. Returns true
// when the page was sent or the file written.
bool OutputPage(QWidget* parent, const PageTarget& target,
                const std::function<void(PrintPage&)>& draw, const QString& sentText);

inline const char* const kPrintOnText = "Drukuj na…";
inline const char* const kSavePdfText = "Zapisz wydruk jako PDF…";

// Tests choose the printer instead of the print dialog: the handler returns the target, nothing
// for Cancel.
using PrintDialogHandler = std::function<std::optional<PageTarget>()>;
void SetPrintDialogHandler(PrintDialogHandler handler); // empty: the real dialog

// The print button's context menu, each entry handing its target to `print`, the routine the
// button runs for the default printer:
// - "Drukuj na…" (Ctrl+P in its window): the print dialog chooses the printer, copies, page range
//   and paper; Cancel prints nothing.
// - "Zapisz wydruk jako PDF…" (Ctrl+Shift+S): the file is chosen, proposed as `fileName`.
// A button that takes the focus on a click takes it first here too, so a value being typed is
// confirmed as a click would confirm it. Returns the PDF entry.
QAction* AddPdfExport(QAbstractButton* printButton, const QString& fileName,
                      std::function<void(const PageTarget&)> print);

} // namespace widgets
