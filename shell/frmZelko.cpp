#include "shell/frmZelko.h"

#include "core/AppDirectory.h"
#include "core/Kod.h"
#include "shell/Twips.h"
#include "widgets/AccessibleNames.h"
#include "widgets/Environment.h"
#include "widgets/FitText.h"
#include "widgets/PictureButton.h"

#include <QDir>
#include <QLabel>
#include <QRadioButton>

frmZelko::frmZelko(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmZelko"));
    setWindowTitle(QStringLiteral("Ustawienia"));
    shell::UseFormFont(this);
    shell::FixClientTwips(this, 6525, 4440);

    // Which directory the program keeps its files in: the executable's, or the user's own when
    // the program is installed.
    QString where =
        QStringLiteral("Katalog danych programu: ") +
        QDir::toNativeSeparators(QString::fromStdU16String(widgets::AppDirectory().u16string()));
    if (kod::CatalogueDiffers(widgets::AppDirectory(), widgets::BundleDirectory()))
        where += QStringLiteral("\nPlik parametr.txt w katalogu danych różni się od katalogu "
                                "dostarczonego z programem (zmieniony przez użytkownika).");
    for (const std::string& root : kod::SkippedDrives)
        where += QStringLiteral("\nPominięto napęd CD-ROM %1: jego ścieżki nie można zapisać w "
                                "pliku pathpdf.txt.")
                     .arg(widgets::Q(root));
    etKatalog = new QLabel(where, this);
    etKatalog->setObjectName(QStringLiteral("etKatalog"));
    etKatalog->setWordWrap(true);
    etKatalog->setTextInteractionFlags(Qt::TextSelectableByMouse);
    shell::PlaceTwips(etKatalog, 240, 240, 6045, 975);
    widgets::ShrinkToFit(etKatalog);

    // Both options share this window as parent, so exactly one of them is selected.
    opTest = new QRadioButton(QStringLiteral("Czy to test?"), this);
    opTest->setObjectName(QStringLiteral("opTest"));
    shell::PlaceTwips(opTest, 1320, 1440, 2415, 495);

    opNorma = new QRadioButton(QStringLiteral("Czy to normalne działanie"), this);
    opNorma->setObjectName(QStringLiteral("opNorma"));
    shell::PlaceTwips(opNorma, 1320, 2040, 2535, 615);
    opNorma->setChecked(true);

    cmdExit =
        new widgets::PictureButton(QStringLiteral("exit"), QStringLiteral("zamknięcie okna"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    shell::PlaceTwips(cmdExit, 5280, 3480, 735, 615);

    setTabOrder(opTest, opNorma);
    setTabOrder(opNorma, cmdExit);
    opNorma->setFocus();
    widgets::ApplyAccessibleNames(this);

    connect(cmdExit, &QAbstractButton::clicked, this, &frmZelko::cmdExit_Click);
}

void frmZelko::cmdExit_Click() {
    kod::TestMode = opTest->isChecked();
    accept();
}
