// The shell: start-up, the main window's menus, toolbar and keys, every tool window it opens, the
// settings and diagnostics windows, help and Qt's own texts. Tables in tests/data/shell.
#include "core/AppDirectory.h"
#include "core/Kod.h"
#include "shell/ApplicationKeys.h"
#include "shell/Dialog.h"
#include "shell/QtTranslations.h"
#include "shell/frmVarmi.h"
#include "tests/support/WindowDriver.h"

#include <QtTest>
#include <QtWidgets>

using namespace testsupport;
using widgets::Q;

namespace {

// Drives as "A:\ D:\*" (a star marks a CD-ROM); with no CD-ROM the fallback is C:\.
struct FakeDrives : kod::DriveSystem {
    std::vector<kod::Drive> drives;
    explicit FakeDrives(const QString& list = {}) {
        for (const QString& d : list.split(' ', Qt::SkipEmptyParts))
            drives.push_back({widgets::S(d.endsWith('*') ? d.chopped(1) : d), d.endsWith('*')});
    }
    std::vector<kod::Drive> Drives() const override { return drives; }
    std::string FallbackRoot() const override { return "C:\\"; }
};

const QString kData = QStringLiteral(VARMI_TEST_DATA "/shell/");

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

    QTemporaryDir app_, machine_; // machine_: drives C, D (CD-ROM, with PDF) and X (missing)
    FakeDrives drives_;
    std::unique_ptr<frmVarmi> window_;
    QStringList messages_; // "title: text"
    bool answer_ = true;   // to Yes/No questions

    QToolBar* Pasek() const { return window_->findChild<QToolBar*>("Pasek"); }
    QAction* Action(const QString& name) const { return window_->findChild<QAction*>(name); }
    template <class T = QAbstractButton> T* Child(QWidget* w, QString n) {
        return w->findChild<T*>(n);
    }

private slots:
    void initTestCase() {
        QVERIFY(QDir(machine_.path()).mkpath("C") && QDir(machine_.path()).mkpath("D/PDF"));
        drives_ = FakeDrives(QString("%1/C/ %1/D/* %1/X/").arg(machine_.path()));
        QVERIFY(QFile::copy(VARMI_CATALOGUE, app_.filePath("parametr.txt")) &&
                QFile::copy(VARMI_HELP_PAGE, app_.filePath("varmi.html")));
        widgets::SetAppDirectory(app_.path().toStdString());
        shell::InstallApplicationKeys(*qApp);
        QVERIFY(shell::InstallQtTranslations(*qApp)); // Qt's own texts in Polish
        QCOMPARE(QDialogButtonBox(QDialogButtonBox::Cancel).buttons()[0]->text(), "Anuluj");
        widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
            messages_ << r.title + ": " + r.text;
            return answer_;
        });
    }
    void init() {
        QDir(app_.path()).rmdir("pathpdf.txt");
        QVERIFY(WriteBytes(app_.filePath("pathpdf.txt"), "\"/opisy/\"\r\n"));
        kod::TestMode = true;
        QVERIFY(frmVarmi::StartUp(app_.path().toStdString(), drives_).isEmpty() && !kod::TestMode);
        window_ = std::make_unique<frmVarmi>(app_.path().toStdString(), drives_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        messages_.clear();
        answer_ = true;
    }

    void startUp_data() { AddTableRows(kData + "startup.tsv"); }
    void startUp() {
        QFETCH(QStringList, row);
        QTemporaryDir dir;
        const QString file = dir.filePath("pathpdf.txt"), sheets = dir.filePath("pdf");
        const QByteArray before = QByteArray::fromPercentEncoding(row[2].toUtf8());
        QVERIFY(row[1] == "0" || QFile::copy(VARMI_CATALOGUE, dir.filePath("parametr.txt")));
        QVERIFY(row[4] == "0" || QDir(dir.path()).mkdir("pdf"));
        QVERIFY(row[2] == "-" || (row[2] == "DIR" ? QDir(dir.path()).mkdir("pathpdf.txt")
                                                  : WriteBytes(file, before)));
        QVERIFY(row[2] != "000" || QFile::setPermissions(file, {}));
        kod::SetCatalogue({}, {});
        kod::PdfPath = "<untouched>";
        const QString message =
            frmVarmi::StartUp(dir.path().toStdString(), FakeDrives(row[3]), sheets.toStdString());
        QCOMPARE(message.left(row[5].size()), row[5]);
        QVERIFY(row[5].isEmpty() ? message.isEmpty() : message.endsWith(" zakończony."));
        const QString pdfPath = row[6] == "S/" ? sheets + '/' : row[6];
        QCOMPARE(Q(kod::PdfPath), pdfPath);
        QCOMPARE(ReadBytes(file), row[7] == "-"   ? ('"' + pdfPath + "\"\r\n").toUtf8()
                                  : row[7] == "=" ? before
                                                  : row[7].toUtf8());
        QCOMPARE(Q(kod::ParamTable[0][2]), row[5].isEmpty() ? "orv2.14" : "");
    }

    // An installed copy: the user's parametr.txt follows the package's unless the user changed it.
    void catalogueUpgrade_data() { AddTableRows(kData + "upgrade.tsv"); }
    void catalogueUpgrade() {
        QFETCH(QStringList, row);
        QTemporaryDir exe, user;
        const QString files[] = {user.filePath("parametr.txt"),
                                 user.filePath(kod::kDeliveredCatalogue),
                                 exe.filePath("parametr.txt")};
        for (int i = 0; i < 3; ++i)
            QVERIFY(row[i + 1] == "-" || WriteBytes(files[i], row[i + 1].toUtf8()));
        QVERIFY(WriteBytes(exe.filePath(kod::kInstalledMarker), ""));
        QVERIFY(kod::ChooseAppDirectory(exe.path().toStdString(), user.path().toStdString())
                    .error.empty());
        for (int i = 0; i < 2; ++i)
            QCOMPARE(ReadBytes(files[i]), row[i + 4] == "-" ? "<unreadable>" : row[i + 4].toUtf8());
        QCOMPARE(kod::CatalogueDiffers(user.path().toStdString(), exe.path().toStdString()),
                 row[6] == "1");
    }

    void menusAndToolbar() {
        QList<QAction*> pasek;
        for (const QStringList& row : TableRows(kData + "texts.tsv")) {
            QAction* a = Action(row[0]);
            const QWidget* in =
                row[2] == "-" ? window_->menuBar() : window_->findChild<QWidget*>(row[2]);
            const QString text = row[2] != "Pasek" ? a->text()
                                                   : a->toolTip() + a->data().toString() +
                                                         (a->icon().isNull() ? "!" : "");
            QVERIFY2(in->actions().contains(a) && text == row[1] + row.value(3),
                     qPrintable(row[0]));
            row[2] == "Pasek" ? pasek.append(a) : void();
        }
        QCOMPARE(Pasek()->actions(), pasek);
    }
    void toolWindowsGiveBackPasek_data() { AddTableRows(kData + "toolwindows.tsv"); }
    void toolWindowsGiveBackPasek() {
        QFETCH(QStringList, row);
        answer_ = row[4] != "no"; // the way it is closed
        QString wrong;
        auto check = [&](QWidget* w) { // F1 opens the help over it; a twips window has its size
            QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_F1);
            auto* help = w->findChild<QDialog*>("frmPomoc", Qt::FindDirectChildrenOnly);
            const QString size = QString("%1x%2").arg(w->width()).arg(w->height());
            wrong += QString(help && help->close() ? "" : "no help") +
                     (Pasek()->isHidden() ? "" : "Pasek") +
                     (row[5] == "-" || row[5] == size ? "" : size) +
                     (w->isModal() == row[1].endsWith('~') ? "modal" : "");
            CloseBy(w, row[4], row[3]);
        };
        ModalWatcher watcher(check);
        Action(QString(row[1]).remove('?').remove('~'))->trigger();
        if (row[1].endsWith('~')) // from the toolbar the parameter table leaves the menu usable
            window_->menuBar()->isEnabled() ? check(window_->findChild<QDialog*>(row[2])) : void();
        QCOMPARE(watcher.seen,
                 row[4] == "no" || row[1].endsWith('~') ? QStringList() : QStringList{row[2]});
        const QString confirmation = QString(ReadBytes(kData + "confirmation.txt")).arg("/opisy/");
        QCOMPARE(messages_.join(""),
                 row[1].endsWith('?') ? "Oglądanie opisów urządzeń: " + confirmation : "");
        QVERIFY(wrong.isEmpty() && Pasek()->isVisible());
        QTRY_VERIFY(window_->findChildren<QDialog*>().isEmpty()); // closed windows are gone
    }

    void diagnostics() {
        kod::TestMode = true;
        kod::SkippedDrives = {"/media/a\"b/"};
        const QString where = "Katalog danych programu: " + app_.path() +
                              "\nPominięto napęd CD-ROM "
                              "/media/a\"b/: jego ścieżki nie można zapisać w pliku pathpdf.txt.";
        for (const QStringList& row : TableRows(kData + "diagnostics.tsv")) {
            bool fresh = false;
            ModalWatcher watcher([&](QWidget* w) {
                fresh = Child<QRadioButton>(w, "opNorma")->isChecked() &&
                        Child<QLabel>(w, "etKatalog")->text() == where;
                row[1] == "-" ? void() : Child(w, row[1])->click();
                row[2] == "1" ? void(w->close()) : Child(w, "cmdExit")->click();
            });
            QTest::keySequence(window_->centralWidget(), QKeySequence(row[0]));
            QVERIFY2(kod::TestMode == (row[3] == "1") && fresh == (row[4] == "1"),
                     qPrintable(row.join(' ')));
        }
        kod::SkippedDrives.clear();
    }

    void settings_data() { AddTableRows(kData + "settings.tsv"); }
    void settings() {
        QFETCH(QStringList, row);
        const QString pathpdf = app_.filePath("pathpdf.txt");
        if (row[4] == "<unreadable>")
            QVERIFY(QFile::remove(pathpdf) && QDir(app_.path()).mkdir("pathpdf.txt"));
        QVERIFY(!row[5].startsWith("Plik") ||
                QFile::setPermissions(pathpdf, QFileDevice::ReadOwner));
        Dialog dialog(app_.path().toStdString(), drives_);
        dialog.show();
        auto* text = Child<QLineEdit>(&dialog, "Text1");
        auto* list = Child<QListWidget>(&dialog, "Dir1");
        text->setText(row[1].section(':', -1)); // else drive D, then X or Enter on D's PDF
        for (int i = 1; row[1].startsWith("D:") && i <= 2; ++i)
            Child<QComboBox>(&dialog, "Drive1")->setCurrentIndex(row[1] == "D:X" ? i : 1);
        list->setCurrentItem(list->findItems(row[1].section(':', 1), Qt::MatchExactly).value(0));
        row[1] == "D:PDF" ? QTest::keyClick(list, Qt::Key_Return) : void();
        QTest::keyClick(text, Qt::Key_X, Qt::AltModifier); // reaches the access keys only

        row[2] == "1" ? Child(&dialog, "OKButton")->click() : void(dialog.close());
        QFile::setPermissions(pathpdf, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        const QString stored = row[3].startsWith('/') ? row[3] : machine_.filePath(row[3]);
        QCOMPARE(Q(kod::PdfPath), stored);
        QCOMPARE(ReadBytes(pathpdf), row[4] == "-"
                                         ? '"' + stored.toUtf8() + "\"\r\n"
                                         : QByteArray::fromPercentEncoding(row[4].toUtf8()));
        QCOMPARE(messages_.size(), int(!row[5].isEmpty()));
        QVERIFY(messages_.isEmpty() || messages_[0].contains(": " + row[5]));
        QCOMPARE(dialog.isVisible(), row[2] == "1" && dialog.result() != QDialog::Accepted);
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
