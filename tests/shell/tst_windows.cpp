// The settings dialog, the information and diagnostics windows and the help window.
#include "ShellTestSupport.h"
#include "shell/Dialog.h"
#include "shell/DirectoryList.h"
#include "shell/Help.h"
#include "shell/frmInformacja.h"
#include "shell/frmZelko.h"
#include "widgets/Environment.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextBrowser>
#include <QtTest>
#include <memory>

using shelltest::AppDir;
using shelltest::FakeDrives;
using shelltest::Messages;
using shelltest::ReadBytes;

class WindowsTest : public QObject {
    Q_OBJECT

private:
    // A machine whose drives are directories: C (no CD), D (CD-ROM, with PDF and "Katalog B"),
    // and X, which does not exist and so cannot be read.
    std::unique_ptr<QTemporaryDir> machine_;
    std::unique_ptr<FakeDrives> drives_;
    std::unique_ptr<AppDir> app_;

    QString Root(const char* drive) const {
        return machine_->filePath(QString::fromLatin1(drive)) + '/';
    }

    struct Controls {
        QComboBox* Drive1;
        shell::DirectoryList* Dir1;
        QLineEdit* Text1;
        QAbstractButton* OKButton;
    };
    static Controls ControlsOf(const Dialog& dialog) {
        return {dialog.findChild<QComboBox*>(QStringLiteral("Drive1")),
                dialog.findChild<shell::DirectoryList*>(QStringLiteral("Dir1")),
                dialog.findChild<QLineEdit*>(QStringLiteral("Text1")),
                dialog.findChild<QAbstractButton*>(QStringLiteral("OKButton"))};
    }
    static int RowOf(const shell::DirectoryList* list, const QString& text) {
        const auto items = list->findItems(text, Qt::MatchExactly);
        return items.isEmpty() ? -1 : list->row(items.front());
    }

private slots:
    void init() {
        machine_ = std::make_unique<QTemporaryDir>();
        QDir root(machine_->path());
        QVERIFY(root.mkpath(QStringLiteral("C/Windows")));
        QVERIFY(root.mkpath(QStringLiteral("D/PDF/stare")));
        QVERIFY(root.mkpath(QStringLiteral("D/Katalog B")));
        drives_ =
            std::make_unique<FakeDrives>(std::vector<kod::Drive>{{widgets::S(Root("C")), false},
                                                                 {widgets::S(Root("D")), true},
                                                                 {widgets::S(Root("X")), false}},
                                         widgets::S(Root("C")));
        app_ = std::make_unique<AppDir>(false);
        kod::PdfPath = widgets::S(Root("D") + "PDF/");
        kod::TestMode = false;
    }

    void cleanup() {
        app_.reset();
        drives_.reset();
        machine_.reset();
    }

    void dialogLayout() {
        Dialog dialog(app_->Path(), *drives_);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Ustawienie ścieżki do plików opisów .pdf"));
        const auto label = [&](const char* name) {
            return dialog.findChild<QLabel*>(QString::fromLatin1(name))->text();
        };
        QCOMPARE(label("Label3"),
                 QStringLiteral("Wybierz katalog, w którym znajdują się pliki z opisami urządzeń "
                                "w formacie pdf. Domyślnie znajdują się na krążku instalacyjnym. "
                                "Możesz je przekopiować do innego katalogu."));
        QCOMPARE(label("Label1"), QStringLiteral("Napędy (dyski):"));
        QCOMPARE(label("Label2"), QStringLiteral("Katalogi"));
        QCOMPARE(label("Label4"), QStringLiteral("Wybrana ścieżka:"));
        const Controls c = ControlsOf(dialog);
        QCOMPARE(c.OKButton->text(), QStringLiteral("OK"));
        QCOMPARE(c.Drive1->count(), 3);
        QVERIFY(!c.Text1->isReadOnly());
        // 6030 × 3195 twips at 96 dots per inch (15 twips a pixel): 402 × 213 pixels.
        QCOMPARE(dialog.logicalDpiX(), 96);
        QCOMPARE(dialog.size(), QSize(402, 213));
        // OK at 4680, 120 twips: 312, 8 pixels.
        QCOMPARE(c.OKButton->pos(), QPoint(312, 8));

        // Screen readers name the lists and the text box after their labels.
        QCOMPARE(c.Drive1->accessibleName(), QStringLiteral("Napędy (dyski):"));
        QCOMPARE(c.Dir1->accessibleName(), QStringLiteral("Katalogi"));
        QCOMPARE(c.Text1->accessibleName(), QStringLiteral("Wybrana ścieżka:"));

        // Tab goes down the window: OK, drives, directories, path.
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        c.OKButton->setFocus();
        QStringList order{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order, QStringList({"OKButton", "Drive1", "Dir1", "Text1"}));
    }

    void formLoadShowsPdfPath() {
        Messages messages;
        Dialog dialog(app_->Path(), *drives_);
        const Controls c = ControlsOf(dialog);
        QCOMPARE(c.Text1->text(), Root("D") + "PDF/");
        QCOMPARE(c.Drive1->currentIndex(), 1);
        QCOMPARE(c.Dir1->Path(), Root("D") + "PDF"); // no trailing separator
        QVERIFY(RowOf(c.Dir1, QStringLiteral("stare")) >= 0);
        QVERIFY(RowOf(c.Dir1, QStringLiteral("..")) >= 0);
        QVERIFY(messages.records.empty());
    }

    void formLoadWithMissingDirectory_data() {
        QTest::addColumn<QString>("pdfPath");
        QTest::addColumn<int>("drive"); // -1: none of the machine's drives
        QTest::newRow("missing directory") << QStringLiteral("D/brak/") << 1;
        QTest::newRow("unreadable drive") << QStringLiteral("X/PDF/") << 2;
        QTest::newRow("unknown drive") << QStringLiteral("Q:\\PDF\\") << -1;
    }

    void formLoadWithMissingDirectory() {
        QFETCH(QString, pdfPath);
        QFETCH(int, drive);
        if (drive >= 0)
            pdfPath = machine_->filePath(pdfPath);
        kod::PdfPath = widgets::S(pdfPath);
        Messages messages;
        Dialog dialog(app_->Path(), *drives_);
        const Controls c = ControlsOf(dialog);
        QCOMPARE(c.Text1->text(), pdfPath);
        QVERIFY(messages.records.empty()); // no message at load
        // On a readable drive the lists show its root, reported with its separator.
        if (drive == 1)
            QCOMPARE(c.Dir1->Path(), Root("D"));
        QVERIFY(shell::DirectoryList::IsReadableDirectory(c.Dir1->Path()));
    }

    void okStoresPath_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("typed");    // for "typed": what the user types
        QTest::addColumn<QString>("expected"); // below the machine directory unless absolute
        QTest::newRow("directory from the lists") << "lists"
                                                  << ""
                                                  << "D/PDF/";
        QTest::newRow("drive root") << "root"
                                    << ""
                                    << "D/";
        QTest::newRow("typed with separator") << "typed"
                                              << "/srv/pdf/"
                                              << "/srv/pdf/";
        QTest::newRow("typed without separator") << "typed"
                                                 << "/srv/pdf"
                                                 << "/srv/pdf/";
    }

    void okStoresPath() {
        QFETCH(QString, how);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        if (!expected.startsWith('/'))
            expected = machine_->filePath(expected);
        kod::PdfPath = widgets::S(Root("C"));
        Dialog dialog(app_->Path(), *drives_);
        const Controls c = ControlsOf(dialog);
        if (how == QLatin1String("lists")) {
            c.Drive1->setCurrentIndex(1);
            QCOMPARE(c.Text1->text(), Root("D")); // the drive's root
            QVERIFY(c.Dir1->EnterRow(RowOf(c.Dir1, QStringLiteral("PDF"))));
            QCOMPARE(c.Text1->text(), Root("D") + "PDF");
        } else if (how == QLatin1String("root")) {
            c.Drive1->setCurrentIndex(1);
        } else {
            c.Text1->clear();
            QTest::keyClicks(c.Text1, typed);
        }
        c.OKButton->click();

        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(widgets::Q(kod::PdfPath), expected);
        QCOMPARE(ReadBytes(app_->File("pathpdf.txt")), "\"" + expected.toUtf8() + "\"\r\n");
    }

    void okWritesWindows1250() {
        Dialog dialog(app_->Path(), *drives_);
        ControlsOf(dialog).Text1->setText(QStringLiteral("/opisy/urządzeń"));
        ControlsOf(dialog).OKButton->click();
        // ą = B9, d, z, e, ń = F1 in Windows-1250.
        QCOMPARE(ReadBytes(app_->File("pathpdf.txt")), QByteArray("\"/opisy/urz\xB9"
                                                                  "dze\xF1/\"\r\n"));
        QCOMPARE(kod::PdfPath, std::string("/opisy/urządzeń/"));
    }

    void closeBoxKeepsPath() {
        QVERIFY(shelltest::WriteBytes(app_->File("pathpdf.txt"), "\"D:\\\"\r\n"));
        const std::string before = kod::PdfPath;
        Dialog dialog(app_->Path(), *drives_);
        dialog.show();
        ControlsOf(dialog).Drive1->setCurrentIndex(0);
        ControlsOf(dialog).Text1->setText(QStringLiteral("/inna/"));
        dialog.close();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(kod::PdfPath, before);
        QCOMPARE(ReadBytes(app_->File("pathpdf.txt")), QByteArray("\"D:\\\"\r\n"));
    }

    void unreadableDriveReturnsToPreviousDrive() {
        Messages messages;
        Dialog dialog(app_->Path(), *drives_);
        const Controls c = ControlsOf(dialog);
        QCOMPARE(c.Drive1->currentIndex(), 1);

        c.Drive1->setCurrentIndex(2); // X does not exist
        QCOMPARE(messages.records.size(), std::size_t{1});
        QCOMPARE(messages.records.front().text, QStringLiteral("Błąd napędu!"));
        QCOMPARE(messages.records.front().title, QStringLiteral("Error"));
        QCOMPARE(messages.records.front().icon, widgets::MsgIcon::Exclamation);
        QVERIFY(!messages.records.front().yesNo);
        QCOMPARE(c.Drive1->currentIndex(), 1); // back to the drive of the directory list
        QCOMPARE(c.Dir1->Path(), Root("D") + "PDF");
        QCOMPARE(c.Text1->text(), Root("D") + "PDF/");

        // The list works on after the error.
        c.Drive1->setCurrentIndex(0);
        QCOMPARE(messages.records.size(), std::size_t{1});
        QCOMPARE(c.Text1->text(), Root("C"));
    }

    void pathThatCannotBeStored_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("pathpdfIsDirectory");
        QTest::newRow("pathpdf.txt not writable") << QStringLiteral("/srv/pdf") << true;
        QTest::newRow("double quote") << QStringLiteral("/srv/\"pdf\"") << false;
        QTest::newRow("outside Windows-1250") << QStringLiteral("/srv/文件") << false;
    }

    void pathThatCannotBeStored() {
        QFETCH(QString, typed);
        QFETCH(bool, pathpdfIsDirectory);
        if (pathpdfIsDirectory)
            QVERIFY(QDir(app_->dir.path()).mkdir(QStringLiteral("pathpdf.txt")));
        else
            QVERIFY(shelltest::WriteBytes(app_->File("pathpdf.txt"), "\"C:\\\"\r\n"));
        const std::string before = kod::PdfPath;
        Messages messages;
        Dialog dialog(app_->Path(), *drives_);
        dialog.show();
        ControlsOf(dialog).Text1->setText(typed);
        ControlsOf(dialog).OKButton->click();

        QCOMPARE(messages.records.size(), std::size_t{1});
        QVERIFY(!messages.records.front().text.isEmpty());
        QVERIFY(dialog.isVisible()); // the window stays open for another try
        QCOMPARE(kod::PdfPath, before);
        if (!pathpdfIsDirectory)
            QCOMPARE(ReadBytes(app_->File("pathpdf.txt")), QByteArray("\"C:\\\"\r\n"));
        QCOMPARE(QDir(app_->dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
                 pathpdfIsDirectory ? QStringList{} : QStringList{"pathpdf.txt"});
    }

    void directoryListNavigation() {
        shell::DirectoryList list;
        QSignalSpy changed(&list, &shell::DirectoryList::changed);
        QVERIFY(list.SetPath(Root("D")));
        QCOMPARE(list.Path(), Root("D").chopped(1));
        // ".." first, then the subdirectories by name; files are not listed.
        QVERIFY(shelltest::WriteBytes(Root("D") + "plik.pdf", "%PDF"));
        QVERIFY(list.SetPath(Root("D")));
        QStringList shown;
        for (int i = 0; i < list.count(); ++i)
            shown << list.item(i)->text();
        QCOMPARE(shown, QStringList({"..", "Katalog B", "PDF"}));
        QCOMPARE(changed.count(), 1); // the same path again is no change

        // Enter on the current entry goes into it; ".." goes back up.
        list.setCurrentRow(RowOf(&list, QStringLiteral("PDF")));
        QTest::keyClick(list.viewport(), Qt::Key_Return);
        QCOMPARE(list.Path(), Root("D") + "PDF");
        QVERIFY(list.EnterRow(RowOf(&list, QStringLiteral(".."))));
        QCOMPARE(list.Path(), Root("D").chopped(1));
        QCOMPARE(changed.count(), 3);

        // A path that cannot be read changes nothing.
        QVERIFY(!list.SetPath(Root("X")));
        QVERIFY(!list.SetPath(Root("D") + "plik.pdf"));
        QCOMPARE(list.Path(), Root("D").chopped(1));
        QCOMPARE(changed.count(), 3);

        // The file system's root keeps its separator and has no "..".
        QVERIFY(list.SetPath(QStringLiteral("/")));
        QCOMPARE(list.Path(), QStringLiteral("/"));
        QCOMPARE(RowOf(&list, QStringLiteral("..")), -1);
    }

    void informationWindow() {
        frmInformacja window;
        QCOMPARE(window.objectName(), QStringLiteral("frmInformacja"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Informacje o programie"));
        // 6570 × 4170 twips at 15 twips a pixel.
        QCOMPARE(window.size(), QSize(438, 278));
        auto* picture = window.findChild<QLabel*>(QStringLiteral("Picture1"));
        QVERIFY(picture != nullptr);
        QCOMPARE(picture->pixmap().deviceIndependentSize().toSize(), QSize(315, 248));
        QVERIFY(window.rect().contains(picture->geometry()));
        // The picture is drawn, not blank: its corners (frame) and middle differ from white.
        const QImage image = picture->pixmap().toImage();
        QVERIFY(image.pixelColor(157, 224) != QColor(Qt::white)); // the maker's band
        auto* exit = window.findChild<QAbstractButton*>(QStringLiteral("cmdExit"));
        QCOMPARE(exit->toolTip(), QStringLiteral("wyjście z okna \"Informacje o programie\""));
        QVERIFY(!exit->icon().isNull());
        QVERIFY(!exit->geometry().intersects(picture->geometry()));
        exit->click();
        QCOMPARE(window.result(), int(QDialog::Accepted));
    }

    void diagnosticsWindow_data() {
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("chooseTest");
        QTest::addColumn<bool>("useButton"); // else the close box
        QTest::addColumn<bool>("after");
        QTest::newRow("button, unchanged, was on") << true << false << true << false;
        QTest::newRow("button, test chosen") << false << true << true << true;
        QTest::newRow("close box, test chosen") << false << true << false << false;
        QTest::newRow("close box, was on") << true << false << false << true;
    }

    void diagnosticsWindow() {
        QFETCH(bool, before);
        QFETCH(bool, chooseTest);
        QFETCH(bool, useButton);
        QFETCH(bool, after);
        kod::TestMode = before;
        frmZelko window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Ustawienia"));
        QCOMPARE(window.size(), QSize(435, 296)); // 6525 × 4440 twips at 15 twips a pixel
        auto* opTest = window.findChild<QRadioButton*>(QStringLiteral("opTest"));
        auto* opNorma = window.findChild<QRadioButton*>(QStringLiteral("opNorma"));
        QCOMPARE(opTest->text(), QStringLiteral("Czy to test?"));
        QCOMPARE(opNorma->text(), QStringLiteral("Czy to normalne działanie"));
        QVERIFY(opNorma->isChecked() && !opTest->isChecked());
        window.show();
        if (chooseTest) {
            opTest->click();
            QVERIFY(!opNorma->isChecked()); // one group
        }
        if (useButton)
            window.findChild<QAbstractButton*>(QStringLiteral("cmdExit"))->click();
        else
            window.close();
        QCOMPARE(kod::TestMode, after);
    }

    void helpFromAModalWindow() {
        QVERIFY(QFile::copy(QStringLiteral(VARMI_HELP_PAGE), app_->File("varmi.html")));
        frmZelko window;
        window.setWindowModality(Qt::ApplicationModal);
        window.show();
        shell::ShowHelp(&window, app_->Path());
        auto* help = window.findChild<QDialog*>(QStringLiteral("frmPomoc"));
        QVERIFY(help != nullptr);
        QVERIFY(help->isVisible());
        QVERIFY(!help->isModal());
        QVERIFY(help->findChild<QTextBrowser*>()->toPlainText().contains(
            QStringLiteral("Dobór wymienników ciepła")));
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    widgets::SetUserLocale(QLocale::c());
    WindowsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_windows.moc"
