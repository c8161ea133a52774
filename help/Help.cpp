#include "help/Help.h"

#include "widgets/LogicalLayout.h"
#include "widgets/MessageBox.h"

#include <QDialog>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace help {

void ShowHelp(QWidget* parent, const std::filesystem::path& appDir) {
    QFileInfo page(appDir / kHelpFileName);
    if (!page.isFile())
        page = QFileInfo(widgets::BundleDirectory() / kHelpFileName);
    if (!page.isFile() || !page.isReadable()) {
        widgets::ShowMessage(parent, QStringLiteral("Nie znaleziono pliku pomocy %1 w katalogu "
                                                    "programu.")
                                         .arg(QString::fromLatin1(kHelpFileName)));
        return;
    }

    QWidget* owner = parent != nullptr ? parent->window() : nullptr;
    if (owner != nullptr) {
        if (auto* open = owner->findChild<QDialog*>(QStringLiteral("frmPomoc"),
                                                    Qt::FindDirectChildrenOnly)) {
            open->show();
            open->raise();
            open->activateWindow();
            return;
        }
    }

    // A modeless child of the calling window, so a modal caller does not block it.
    auto* window = new QDialog(owner);
    window->setObjectName(QStringLiteral("frmPomoc"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("Pomoc - Dobór wymienników ciepła"));
    auto* browser = new QTextBrowser(window);
    browser->setObjectName(QStringLiteral("txPomoc"));
    browser->setOpenExternalLinks(false);
    browser->setSource(QUrl::fromLocalFile(page.absoluteFilePath()));
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    window->setModal(false);
    widgets::OpenCentred(window, 0.6);
    window->show();
}

} // namespace help
