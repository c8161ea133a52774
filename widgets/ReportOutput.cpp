#include "widgets/ReportOutput.h"

#include "widgets/MessageBox.h"
#include "widgets/PrintPage.h"
#include "widgets/SaveFile.h"

#include <QAbstractButton>
#include <QAction>
#include <exception>
#include <memory>

namespace widgets {

bool OutputPage(QWidget* parent, const PageTarget& target,
                const std::function<void(PrintPage&)>& draw, const QString& sentText) {
    try {
        std::unique_ptr<PrintPage> page = target.ToPrinter()
                                              ? std::make_unique<PrintPage>()
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
    if (target.ToPrinter())
        ShowMessage(parent, sentText);
    return true;
}

QAction* AddPdfExport(QAbstractButton* printButton, const QString& fileName,
                      std::function<void(const PageTarget&)> print) {
    auto* action = new QAction(QString::fromUtf8(kSavePdfText), printButton);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, printButton,
                     [printButton, fileName, print = std::move(print)] {
                         if (printButton->focusPolicy() & Qt::ClickFocus)
                             printButton->setFocus(Qt::OtherFocusReason);
                         QWidget* window = printButton->window();
                         const QString path = ChooseSaveFile(window, kPdfFile, fileName);
                         if (!path.isEmpty())
                             print(PageTarget{path});
                     });
    printButton->addAction(action);
    printButton->setContextMenuPolicy(Qt::ActionsContextMenu);
    return action;
}

} // namespace widgets
