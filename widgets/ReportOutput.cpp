#include "widgets/ReportOutput.h"

#include "widgets/MessageBox.h"
#include "widgets/PrintPage.h"
#include "widgets/SaveFile.h"

#include <QAbstractButton>
#include <QAction>
#include <QPrintDialog>
#include <QPrinter>
#include <exception>
#include <memory>

namespace widgets {

namespace {

PrintDialogHandler& DialogHandler() {
    static PrintDialogHandler handler;
    return handler;
}

// The system print dialog for a one-page report. Its "print to file" gives a PDF file.
std::optional<PageTarget> AskPrinter(QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Portrait);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, 1);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return printer.outputFileName().isEmpty()
                   ? std::nullopt
                   : std::optional<PageTarget>(PageTarget{printer.outputFileName(), {}});
    PrinterChoice choice{printer.printerName(), printer.copyCount(),
                         printer.pageLayout().pageSize(), QString()};
    if (printer.printRange() == QPrinter::PageRange)
        choice.pageRanges = QStringLiteral("%1-%2").arg(printer.fromPage()).arg(printer.toPage());
    return PageTarget{QString(), choice};
}

QAction* AddEntry(QAbstractButton* printButton, const char* text, const QKeySequence& keys,
                  std::function<void(QWidget*)> run) {
    auto* action = new QAction(QString::fromUtf8(text), printButton);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, printButton, [printButton, run = std::move(run)] {
        if (printButton->focusPolicy() & Qt::ClickFocus)
            printButton->setFocus(Qt::OtherFocusReason);
        run(printButton->window());
    });
    printButton->addAction(action);
    return action;
}

} // namespace

void SetPrintDialogHandler(PrintDialogHandler handler) {
    DialogHandler() = std::move(handler);
}

bool OutputPage(QWidget* parent, const PageTarget& target,
                const std::function<void(PrintPage&)>& draw, const QString& sentText) {
    try {
        std::unique_ptr<PrintPage> page = target.ToPrinter()
                                              ? std::make_unique<PrintPage>(target.printer)
                                              : std::make_unique<PrintPage>(target.pdfFile);
        draw(*page);
        page->EndDoc();
    } catch (const std::exception& e) {
        if (target.ToPrinter())
            ShowPrintError(parent, e);
        else
            ShowSaveError(parent, target.pdfFile, QString::fromUtf8(e.what()));
        return false;
    }
    // The confirmation names the default printer; a printer chosen in the dialog needs none.
    if (target.ToPrinter() && target.printer.printer.isEmpty())
        ShowMessage(parent, sentText);
    return true;
}

QAction* AddPdfExport(QAbstractButton* printButton, const QString& fileName,
                      std::function<void(const PageTarget&)> print) {
    AddEntry(printButton, kPrintOnText, QKeySequence(Qt::CTRL | Qt::Key_P),
             [print](QWidget* window) {
                 const std::optional<PageTarget> target =
                     DialogHandler() ? DialogHandler()() : AskPrinter(window);
                 if (target)
                     print(*target);
             });
    QAction* pdf =
        AddEntry(printButton, kSavePdfText, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                 [fileName, print](QWidget* window) {
                     const QString path = ChooseSaveFile(window, kPdfFile, fileName);
                     if (!path.isEmpty())
                         print(PageTarget{path, {}});
                 });
    printButton->setContextMenuPolicy(Qt::ActionsContextMenu);
    return pdf;
}

} // namespace widgets
