#include "shell/Dialog.h"

#include "core/Kod.h"
#include "shell/DirectoryList.h"
#include "shell/Twips.h"
#include "widgets/AccessibleNames.h"
#include "widgets/Environment.h"
#include "widgets/FitText.h"
#include "widgets/MessageBox.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

using widgets::Q;
using widgets::S;

namespace {

QString WithTrailingSeparator(const QString& root) {
    return Q(kod::WithTrailingSeparator(S(root)));
}

// The reasons a path cannot be kept in pathpdf.txt; empty when it can.
QString UnstorablePathMessage(const std::string& path) {
    if (path.find('"') != std::string::npos)
        return QStringLiteral("Ścieżka do plików opisów nie może zawierać znaku \".");
    if (kod::FromCp1250(kod::ToCp1250(path)) != path)
        return QStringLiteral("Ścieżka do plików opisów zawiera znaki, których nie można "
                              "zapisać w pliku pathpdf.txt.");
    return {};
}

} // namespace

Dialog::Dialog(std::filesystem::path appDir, const kod::DriveSystem& drives, QWidget* parent)
    : QDialog(parent), appDir_(std::move(appDir)) {
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("Ustawienie ścieżki do plików opisów .pdf"));
    shell::UseFormFont(this);
    shell::FixClientTwips(this, 6030, 3195);

    Label3 = new QLabel(QStringLiteral("Wybierz katalog, w którym znajdują się pliki z opisami "
                                       "urządzeń w formacie pdf. Domyślnie znajdują się na "
                                       "krążku instalacyjnym. Możesz je przekopiować do innego "
                                       "katalogu."),
                        this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    shell::PlaceTwips(Label3, 120, 120, 4215, 615);
    widgets::ShrinkToFit(Label3);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    shell::PlaceTwips(OKButton, 4680, 120, 1215, 375);

    Label1 = new QLabel(QStringLiteral("Napędy (dyski):"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    shell::PlaceTwips(Label1, 120, 840, 1455, 255);

    Drive1 = new QComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    for (const kod::Drive& drive : drives.Drives()) {
        const QString root = QDir::toNativeSeparators(Q(drive.root));
        Drive1->addItem(drive.cdrom ? root + QStringLiteral(" [CD-ROM]") : root, root);
    }
    shell::PlaceTwips(Drive1, 1680, 840, 4215, 315);
    Label1->setBuddy(Drive1);

    Label2 = new QLabel(QStringLiteral("Katalogi"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    shell::PlaceTwips(Label2, 120, 1320, 1335, 375);

    Dir1 = new shell::DirectoryList(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    QStringList roots;
    for (int i = 0; i < Drive1->count(); ++i)
        roots.push_back(Drive1->itemData(i).toString());
    Dir1->SetDriveRoots(roots);
    shell::PlaceTwips(Dir1, 1680, 1320, 4215, 1215);
    Label2->setBuddy(Dir1);

    Label4 = new QLabel(QStringLiteral("Wybrana ścieżka:"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    shell::PlaceTwips(Label4, 120, 2520, 1335, 255);

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    shell::PlaceTwips(Text1, 240, 2880, 5655, 285);
    Label4->setBuddy(Text1);

    setTabOrder(OKButton, Drive1);
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, Text1);
    widgets::ApplyAccessibleNames(this);

    connect(OKButton, &QPushButton::clicked, this, &Dialog::OKButton_Click);
    connect(Drive1, &QComboBox::currentIndexChanged, this, &Dialog::Drive1_Change);
    connect(Dir1, &shell::DirectoryList::changed, this, &Dialog::Dir1_Change);

    Form_Load();
}

// Shows PdfPath in Text1 and, where they exist, its drive and directory in the lists. Whatever
// cannot be shown stays at its default without a message.
void Dialog::Form_Load() {
    const QString pdfPath = Q(kod::PdfPath);
    Text1->setText(pdfPath);

    const QSignalBlocker blockDir(Dir1);
    Dir1->SetPath(QDir::currentPath());
    SetDriveQuietly(DriveIndexOf(Dir1->Path()));

    const int drive = DriveIndexOf(pdfPath);
    if (drive < 0)
        return;
    SetDriveQuietly(drive);
    Dir1->SetPath(Drive1->itemData(drive).toString());
    Dir1->SetPath(pdfPath);
}

void Dialog::Drive1_Change() {
    const QString root = Drive1->currentData().toString();
    if (!Dir1->SetPath(root)) {
        widgets::ShowMessage(this, QStringLiteral("Błąd napędu!"), QStringLiteral("Error"),
                             widgets::MsgIcon::Exclamation);
        const int back = DriveIndexOf(Dir1->Path());
        SetDriveQuietly(back >= 0 ? back : shownDrive_);
        return;
    }
    shownDrive_ = Drive1->currentIndex();
    Text1->setText(Dir1->Path());
}

void Dialog::Dir1_Change() {
    Text1->setText(Dir1->Path());
}

// Stores Text1 with a trailing separator. PdfPath changes only when pathpdf.txt was written.
void Dialog::OKButton_Click() {
    const std::string path = kod::WithTrailingSeparator(S(Text1->text()));
    if (const QString problem = UnstorablePathMessage(path); !problem.isEmpty()) {
        widgets::ShowMessage(this, problem, widgets::kAppTitle, widgets::MsgIcon::Exclamation);
        return;
    }
    std::string reason;
    switch (kod::WritePdfPathFile(appDir_, path, &reason)) {
    case kod::PdfPathWrite::Written:
        break;
    case kod::PdfPathWrite::ReadOnly:
        widgets::ShowMessage(this,
                             QStringLiteral("Plik pathpdf.txt jest tylko do odczytu i nie może "
                                            "zostać zmieniony. Ścieżka do plików opisów nie "
                                            "została zmieniona."),
                             widgets::kAppTitle, widgets::MsgIcon::Exclamation);
        return;
    case kod::PdfPathWrite::Unstorable:
    case kod::PdfPathWrite::Failed:
        widgets::ShowMessage(this,
                             QStringLiteral("Nie można zapisać pliku pathpdf.txt w katalogu "
                                            "programu. Ścieżka do plików opisów nie została "
                                            "zmieniona."),
                             widgets::kAppTitle, widgets::MsgIcon::Exclamation,
                             QString::fromStdString(reason));
        return;
    }
    kod::PdfPath = path;
    accept();
}

int Dialog::DriveIndexOf(const QString& path) const {
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity kCase = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity kCase = Qt::CaseSensitive;
#endif
    const QString full = WithTrailingSeparator(QDir::toNativeSeparators(path));
    int best = -1;
    qsizetype bestLength = 0;
    for (int i = 0; i < Drive1->count(); ++i) {
        const QString root = WithTrailingSeparator(Drive1->itemData(i).toString());
        if (full.startsWith(root, kCase) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

void Dialog::SetDriveQuietly(int index) {
    const QSignalBlocker block(Drive1);
    Drive1->setCurrentIndex(index);
    shownDrive_ = index;
}
