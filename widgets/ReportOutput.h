#pragma once

#include <QString>
#include <functional>

class QAbstractButton;
class QAction;
class QWidget;

namespace widgets {

class PrintPage;

// Where a report page goes: the default printer, or a PDF file the user named.
struct PageTarget {
    QString pdfFile; // empty: the default printer
    bool ToPrinter() const { return pdfFile.isEmpty(); }
};

// One report page: `draw` writes it on a page for the target, which is then ended. For the
// printer, `sentText` confirms it was sent and a failure shows "Wystąpił błąd drukowania"; for a
// file, a failure names the file, which is left as it was, and success needs no message. `draw`
// may throw. Returns true when the page was sent or the file written.
bool OutputPage(QWidget* parent, const PageTarget& target,
                const std::function<void(PrintPage&)>& draw, const QString& sentText);

inline const char* const kSavePdfText = "Zapisz wydruk jako PDF…";

// "Zapisz wydruk jako PDF…" in the print button's context menu and on Ctrl+Shift+S in its window:
// the file is chosen (proposed as `fileName`) and handed to `print`, the routine the button runs
// for the printer. A button that takes the focus on a click takes it first here too, so a value
// being typed is confirmed as a click would confirm it.
QAction* AddPdfExport(QAbstractButton* printButton, const QString& fileName,
                      std::function<void(const PageTarget&)> print);

} // namespace widgets
