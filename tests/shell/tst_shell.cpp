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

QString Data(const char* name) {
    return QStringLiteral(VARMI_TEST_DATA "/shell/") + name;
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

    QTemporaryDir app_, machine_; // machine_: drives C, D (CD-ROM, with PDF) and X (missing)
    FakeDrives drives_;
    std::unique_ptr<frmVarmi> window_;
    QStringList messages_; // "title: text"
    bool answer_ = true;   // to Yes/No questions

    static std::filesystem::path PathOf(const QString& dir) { return dir.toStdString(); }
    QString Root(const char* drive) const { return machine_.filePath(drive) + '/'; }
    QToolBar* Pasek() const { return window_->findChild<QToolBar*>("Pasek"); }
    QAction* Action(const QString& name) const { return window_->findChild<QAction*>(name); }
    template <typename T = QAbstractButton> static T* Child(QWidget* w, const QString& name) {
        return w->findChild<T*>(name);
    }
    static QString Confirmation(const QString& path) {
        return QString::fromUtf8(ReadBytes(Data("confirmation.txt"))).arg(path);
    }

private slots:
    void initTestCase() {
        QVERIFY(QDir(machine_.path()).mkpath("C") && QDir(machine_.path()).mkpath("D/PDF"));
        drives_ = FakeDrives(Root("C") + ' ' + Root("D") + "* " + Root("X"));
        QVERIFY(QFile::copy(VARMI_CATALOGUE, app_.filePath("parametr.txt")) &&
                QFile::copy(VARMI_HELP_PAGE, app_.filePath("varmi.html")));
        widgets::SetAppDirectory(PathOf(app_.path()));
        shell::InstallApplicationKeys(*qApp);
        widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
            messages_ << r.title + ": " + r.text;
            return answer_;
        });
    }
    void init() {
        QDir(app_.path()).rmdir("pathpdf.txt");
        QVERIFY(WriteBytes(app_.filePath("pathpdf.txt"), "\"/opisy/\"\r\n"));
        kod::TestMode = true;
        QVERIFY(frmVarmi::StartUp(PathOf(app_.path()), drives_).isEmpty() && !kod::TestMode);
        window_ = std::make_unique<frmVarmi>(PathOf(app_.path()), drives_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        messages_.clear();
        answer_ = true;
    }

    void startUp_data() { AddTableRows(Data("startup.tsv")); }
    void startUp() {
        QFETCH(QStringList, row);
        QTemporaryDir dir;
        const QString file = dir.filePath("pathpdf.txt"), sheets = dir.filePath("pdf");
        const QByteArray before =
            row[2] == "000" ? "000" : QByteArray::fromPercentEncoding(row[2].toUtf8());
        QVERIFY(row[1] == "0" || QFile::copy(VARMI_CATALOGUE, dir.filePath("parametr.txt")));
        QVERIFY(row[4] == "0" || QDir(dir.path()).mkdir("pdf"));
        QVERIFY(row[2] == "-" || (row[2] == "DIR" ? QDir(dir.path()).mkdir("pathpdf.txt")
                                                  : WriteBytes(file, before)));
        QVERIFY(row[2] != "000" || QFile::setPermissions(file, {}));
        kod::SetCatalogue({}, {});
        kod::PdfPath = "<untouched>";
        const QString message =
            frmVarmi::StartUp(PathOf(dir.path()), FakeDrives(row[3]), PathOf(sheets));
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
    void catalogueUpgrade_data() { AddTableRows(Data("upgrade.tsv")); }
    void catalogueUpgrade() {
        QFETCH(QStringList, row);
        QTemporaryDir exe, user;
        const QString files[] = {user.filePath("parametr.txt"),
                                 user.filePath(kod::kDeliveredCatalogue),
                                 exe.filePath("parametr.txt")};
        for (int i = 0; i < 3; ++i)
            QVERIFY(row[i + 1] == "-" || WriteBytes(files[i], row[i + 1].toUtf8()));
        QVERIFY(WriteBytes(exe.filePath(kod::kInstalledMarker), ""));
        const kod::AppDirectoryChoice choice =
            kod::ChooseAppDirectory(PathOf(exe.path()), PathOf(user.path()));
        QVERIFY(choice.perUser && choice.error.empty());
        for (int i = 0; i < 2; ++i)
            QCOMPARE(ReadBytes(files[i]), row[i + 4] == "-" ? "<unreadable>" : row[i + 4].toUtf8());
        QCOMPARE(kod::CatalogueDiffers(PathOf(user.path()), PathOf(exe.path())), row[6] == "1");
    }

    void menusAndToolbar() {
        for (const QStringList& row : TableRows(Data("menus.tsv"))) {
            const QWidget* menu = row[2] == "-" ? static_cast<QWidget*>(window_->menuBar())
                                                : window_->findChild<QMenu*>(row[2]);
            QVERIFY2(Action(row[0])->text() == row[1] && menu->actions().contains(Action(row[0])),
                     qPrintable(row[0]));
        }
        QStringList buttons, expected;
        for (const QAction* a : Pasek()->actions())
            buttons << a->data().toString() + '\t' + a->toolTip() + (a->icon().isNull() ? "!" : "");
        for (const QStringList& row : TableRows(Data("toolbar.tsv")))
            expected << row.join('\t');
        QCOMPARE(buttons, expected);
    }

    // Every tool window, whichever way it is closed: Pasek hidden meanwhile and back afterwards;
    // F1 opens the help over it; a window laid out in twips has its size (on a screen too small
    // to grow it).
    void toolWindowsGiveBackPasek_data() {
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<QString>("way");
        for (const QStringList& row : TableRows(Data("toolwindows.tsv")))
            for (QString way : {"exit", "Escape", "close box", "no"})
                if (way != "no" || row[0].endsWith('?'))
                    QTest::addRow("%s, %s", qPrintable(row[0]), qPrintable(way)) << row << way;
    }
    void toolWindowsGiveBackPasek() {
        QFETCH(QStringList, row);
        QFETCH(QString, way);
        answer_ = way != "no";
        QString wrong;
        ModalWatcher watcher([&](QWidget* modal) {
            QTest::keyClick(modal->focusWidget() ? modal->focusWidget() : modal, Qt::Key_F1);
            auto* help = modal->findChild<QDialog*>("frmPomoc", Qt::FindDirectChildrenOnly);
            wrong += QString(help && help->close() ? "" : "no help") +
                     (Pasek()->isHidden() ? "" : "Pasek shown") +
                     (row.size() < 4 || QSize(row[3].section('x', 0, 0).toInt(),
                                              row[3].section('x', 1).toInt()) == modal->size()
                          ? ""
                          : "size");
            CloseBy(modal, way, row[2]);
        });
        const bool confirmed = row[0].endsWith('?');
        Action(row[0].remove('?'))->trigger();
        QCOMPARE(watcher.seen, way == "no" ? QStringList() : QStringList{row[1]});
        QCOMPARE(messages_,
                 confirmed ? QStringList{"Oglądanie opisów urządzeń: " + Confirmation("/opisy/")}
                           : QStringList());
        QCOMPARE(wrong, QString());
        QVERIFY(Pasek()->isVisible());
        QVERIFY(window_->findChildren<QDialog*>().isEmpty()); // closed windows are gone
    }

    // From the toolbar the parameter table opens modeless: the menu stays usable meanwhile.
    void parametersFromToolbarModeless() {
        Action("Parametry")->trigger();
        auto* table = window_->findChild<QDialog*>("frmParametry");
        QVERIFY(table && table->isVisible() && !table->isModal() &&
                !QApplication::activeModalWidget());
        QVERIFY(Pasek()->isHidden() && window_->menuBar()->isEnabled());
        Child(table, "cmdExit")->click();
        QVERIFY(Pasek()->isVisible());
    }

    void diagnostics() {
        kod::TestMode = true;
        kod::SkippedDrives = {"/media/a\"b/"};
        const QString where =
            "Katalog danych programu: " + app_.path() +
            "\nPominięto napęd "
            "CD-ROM /media/a\"b/: jego ścieżki nie można zapisać w pliku pathpdf.txt.";
        for (const QStringList& row : TableRows(Data("diagnostics.tsv"))) {
            bool fresh = false;
            ModalWatcher watcher([&](QWidget* w) {
                fresh = Child<QRadioButton>(w, "opNorma")->isChecked() &&
                        Child<QLabel>(w, "etKatalog")->text() == where;
                if (row[1] != "-")
                    Child(w, row[1])->click();
                row[2] == "1" ? void(w->close()) : Child(w, "cmdExit")->click();
            });
            const QKeyCombination key = QKeySequence(row[0])[0];
            QTest::keyClick(window_->centralWidget(), key.key(), key.keyboardModifiers());
            QTest::qWait(30);
            QVERIFY2(kod::TestMode == (row[3] == "1") && fresh == (row[4] == "1"),
                     qPrintable(row.join(' ')));
        }
        kod::SkippedDrives.clear();
    }

    void settings_data() { AddTableRows(Data("settings.tsv")); }
    void settings() {
        QFETCH(QStringList, row);
        const QString pathpdf = app_.filePath("pathpdf.txt");
        if (row[4] == "<unreadable>")
            QVERIFY(QFile::remove(pathpdf) && QDir(app_.path()).mkdir("pathpdf.txt"));
        QVERIFY(!row[5].startsWith("Plik") ||
                QFile::setPermissions(pathpdf, QFileDevice::ReadOwner));
        Dialog dialog(PathOf(app_.path()), drives_);
        dialog.show();
        auto* text = Child<QLineEdit>(&dialog, "Text1");
        auto* list = Child<QListWidget>(&dialog, "Dir1");
        text->setText(row[1].section(':', -1)); // else drive D, then X or Enter on D's PDF
        for (int i = 1; row[1].startsWith("D:") && i <= 2; ++i)
            Child<QComboBox>(&dialog, "Drive1")->setCurrentIndex(row[1] == "D:X" ? i : 1);
        list->setCurrentItem(list->findItems(row[1].section(':', 1), Qt::MatchExactly).value(0));
        row[1] == "D:PDF" ? QTest::keyClick(list, Qt::Key_Return) : void();
        if (row[1].startsWith("Alt:")) { // Alt+letter types nothing, AltGr's letters do
            QTest::keyClick(text, Qt::Key_X, Qt::AltModifier);
            QTest::sendKeyEvent(QTest::KeyAction::Click, text, Qt::Key_unknown, "ą",
                                Qt::AltModifier);
        }
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
        answer_ = false; // the confirmation of the same run shows the path in effect
        Action("Opisy")->trigger();
        QVERIFY(messages_.last().endsWith(Confirmation(stored)));
    }

    void qtTextsArePolish() {
        QVERIFY(shell::InstallQtTranslations(*qApp));
        QCOMPARE(QDialogButtonBox(QDialogButtonBox::Cancel).buttons()[0]->text(), "Anuluj");
    }

    void wyjscieEndsTheEventLoop() { // last: it ends the running event loop
        for (const char* trigger : {"mnuWyjscie", "Wyjscie"}) {
            QTimer::singleShot(0, Action(trigger), &QAction::trigger);
            QTimer::singleShot(5000, [] { QCoreApplication::exit(7); }); // 7: the loop went on
            QCOMPARE(QApplication::exec(), 0);
        }
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
