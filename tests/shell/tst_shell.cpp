// The shell: start-up, the main window's menus, toolbar and keys, the settings dialog and help.
#include "core/Kod.h"
#include "selection/frmDobor.h"
#include "shell/ApplicationKeys.h"
#include "shell/Dialog.h"
#include "shell/frmVarmi.h"
#include "shell/frmZelko.h"
#include "widgets/Environment.h"
#include "widgets/MessageBox.h"

#include <QtTest>
#include <QtWidgets>

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

// Records the message boxes, answering Yes/No ones with `yes`; `observe` runs while a box is up.
struct Messages {
    std::vector<widgets::MessageRecord> records;
    std::function<void()> observe = [] {};
    explicit Messages(bool yes = false) {
        widgets::SetMessageHandler([this, yes](const widgets::MessageRecord& record) {
            records.push_back(record);
            observe();
            return yes;
        });
    }
    ~Messages() { widgets::SetMessageHandler({}); }
};

// While it lives, hands each new modal window to `handle`, which must close it at once; one left
// open is recorded as "stuck" and hidden, which ends its exec().
struct ModalWatcher {
    QStringList seen; // class names, in order
    QTimer timer;
    QPointer<QWidget> handled;
    explicit ModalWatcher(std::function<void(QWidget*)> handle) {
        QObject::connect(&timer, &QTimer::timeout, [this, handle] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                seen << (modal == handled ? "stuck" : modal->metaObject()->className());
                modal == handled ? modal->hide() : handle(handled = modal);
            }
        });
        timer.start(10);
    }
};

template <typename T> T* Child(const QObject* parent, const QString& name) {
    T* child = parent->findChild<T*>(name);
    return child != nullptr ? child : (qFatal("no %s", qPrintable(name)), nullptr);
}

// Rows of a table are named by their first field and fetched by index as "row".
template <typename Row, std::size_t N> void AddRows(const Row (&rows)[N]) {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < N; ++i)
        QTest::newRow(std::get<0>(rows[i])) << int(i);
}

QString Confirmation(const QString& pdfPath) {
    return QString("oglądanie opisu urządzeń produkowanych przez 'Skarvel'\r\nwymaga obecności w "
                   "napędzie dysku CD z plikami .pdf \r\nlub podania w menu: <<Ustawienia>> "
                   "ścieżki do katalogu z tymi plikami.\r\n Aktualna ścieżka do plików .pdf to: "
                   "%1\r\nJeżeli chcesz przejść do przeglądania opisów naciśnij przycisk 'TAK', "
                   "jeśli nie przycisk 'NIE'")
        .arg(pdfPath);
}

using Text = const char*;

// Name, parametr.txt present, pathpdf.txt before (nullptr: absent, "DIR": a directory), drives,
// part of the error ("" for none), PdfPath after, pathpdf.txt after, the first designation loaded.
const std::tuple<Text, bool, Text, Text, Text, Text, Text, Text> kStartUp[] = {
    {"normal", true, "\"/srv/opisy\"\r\n", "/", "", "/srv/opisy", "\"/srv/opisy\"\r\n", "orv2.14"},
    {"parametr.txt missing", false, nullptr, "/", "Nie można odczytać pliku parametr.txt",
     "<untouched>", "<unreadable>", ""},
    {"first CD-ROM", true, nullptr, "A:\\ C:\\ D:\\* E:\\*", "", "D:\\", "\"D:\\\"\r\n", "orv2.14"},
    {"empty, no CD-ROM", true, "\"\"\r\n", "A:\\ E:\\", "", "C:\\", "\"C:\\\"\r\n", "orv2.14"},
    {"pathpdf.txt unwritable", true, "DIR", "D:\\*", "Nie można zapisać pliku pathpdf.txt",
     "<untouched>", "<unreadable>", ""},
};

// Name, caption and the menu holding the entry ("" for the bar).
const std::tuple<Text, Text, Text> kMenus[] = {
    {"mnuDobor", "Dobór", ""},
    {"mnuWykresy", "Wykresy", ""},
    {"mnuHydra", "Wykresy &hydrauliczne", "mnuWykresy"},
    {"mnuCieplo", "Wykresy &cieplne", "mnuWykresy"},
    {"mnuWskKT", "Wykresy wskaźników od temperatury T12", "mnuWykresy"},
    {"mnuWsk", "Wykresy &wskaźników od mocy cieplnej", "mnuWykresy"},
    {"mnuOpisy", "&Informacja ", ""},
    {"mnuInfo", "Informacja o programie", "mnuOpisy"},
    {"mnuOpisyUrzadzen", "Opisy urządzań", "mnuOpisy"},
    {"mnuParametry", "&Parametry", ""},
    {"mnuUstawienia", "&Ustawienia", ""},
    {"mnuWyjscie", "&Wyjście", ""},
};

// Trigger, whether the Yes/No confirmation comes first, the modal window's class and the control
// that closes it (nullptr: only its close box; the other way is always the close box, and "no"
// for the confirmation).
const std::tuple<Text, bool, Text, Text> kToolWindows[] = {
    {"mnuInfo", false, "frmInformacja", "cmdExit"},
    {"Informacja", false, "frmInformacja", "cmdExit"},
    {"mnuUstawienia", false, "Dialog", "OKButton"},
    {"mnuOpisyUrzadzen", true, "frmPDF", nullptr},
    {"Opisy", true, "frmPDF", nullptr},
    {"mnuDobor", false, "frmDobor", "cmdExit"},
    {"dobor", false, "frmDobor", "cmdExit"},
    {"mnuHydra", false, "frmHydra", "cmdExit"},
    {"Hydra", false, "frmHydra", "cmdExit"},
    {"mnuCieplo", false, "frmQG", "cmdExit"},
    {"Cieplo", false, "frmQG", "cmdExit"},
    {"mnuWsk", false, "frmwsk", "cmdExit"},
    {"wskQ", false, "frmwsk", "cmdExit"},
    {"mnuWskKT", false, "frmWskKT", "cmdExit"},
    {"WskKT", false, "frmWskKT", "cmdExit"},
    {"mnuParametry", false, "frmParametry", "cmdExit"},
};

// Name, typed (nullptr: drive D picked), OK (else the close box), PdfPath after (was /opisy/;
// relative: below machine_), pathpdf.txt after (nullptr: PdfPath quoted), refused.
const std::tuple<Text, Text, bool, Text, Text, bool> kSettings[] = {
    {"with separator", "/srv/pdf/", true, "/srv/pdf/", nullptr, false},
    {"without separator", "/srv/pdf", true, "/srv/pdf/", nullptr, false},
    {"drive root", nullptr, true, "D/", nullptr, false},
    {"Windows-1250", "/urządzeń", true, "/urządzeń/", "\"/urz\xB9\x64ze\xF1/\"\r\n", false},
    {"close box", "/inna/", false, "/opisy/", nullptr, false},
    {"double quote", "/a\"b", true, "/opisy/", nullptr, true},
    {"outside Windows-1250", "/文件", true, "/opisy/", nullptr, true},
    {"pathpdf.txt a directory", "/srv/pdf", true, "/opisy/", "<unreadable>", true},
};

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

    QTemporaryDir app_, machine_; // machine_: drives C, D (CD-ROM, with PDF) and X (missing)
    FakeDrives drives_;
    std::unique_ptr<frmVarmi> window_;

    static std::filesystem::path PathOf(const QTemporaryDir& d) { return d.path().toStdString(); }
    static QByteArray ReadBytes(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    static bool WriteBytes(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }
    QString Root(const char* drive) const { return machine_.filePath(drive) + '/'; }
    QToolBar* Pasek() const { return Child<QToolBar>(window_.get(), "Pasek"); }
    QAction* Action(const QString& name) const { return Child<QAction>(window_.get(), name); }

private slots:
    void initTestCase() {
        QVERIFY(QDir(machine_.path()).mkpath("C") && QDir(machine_.path()).mkpath("D/PDF"));
        drives_ = FakeDrives(Root("C") + ' ' + Root("D") + "* " + Root("X"));
        QVERIFY(QFile::copy(VARMI_CATALOGUE, app_.filePath("parametr.txt")));
        QVERIFY(QFile::copy(VARMI_HELP_PAGE, app_.filePath("varmi.html")));
        widgets::SetAppDirectory(PathOf(app_));
        shell::InstallApplicationKeys(*qApp);
    }

    void init() {
        QDir(app_.path()).rmdir("pathpdf.txt");
        QVERIFY(WriteBytes(app_.filePath("pathpdf.txt"), "\"/opisy/\"\r\n"));
        kod::TestMode = true;
        QCOMPARE(frmVarmi::StartUp(PathOf(app_), drives_), QString());
        window_ = std::make_unique<frmVarmi>(PathOf(app_), drives_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }

    void startUp_data() { AddRows(kStartUp); }
    void startUp() {
        QFETCH(int, row);
        const auto& [name, catalogue, pathpdf, drives, error, pdfPath, fileAfter, model0] =
            kStartUp[row];
        QTemporaryDir dir;
        if (catalogue)
            QVERIFY(QFile::copy(VARMI_CATALOGUE, dir.filePath("parametr.txt")));
        if (pathpdf != nullptr)
            QVERIFY(pathpdf == QLatin1String("DIR")
                        ? QDir(dir.path()).mkdir("pathpdf.txt")
                        : WriteBytes(dir.filePath("pathpdf.txt"), pathpdf));
        kod::SetCatalogue({}, {});
        kod::PdfPath = "<untouched>";

        const QString message = frmVarmi::StartUp(PathOf(dir), FakeDrives(drives));
        QVERIFY2(*error
                     ? message.contains(error) && message.endsWith("Program zostanie zakończony.")
                     : message.isEmpty(),
                 qPrintable(message));
        QCOMPARE(Q(kod::PdfPath), pdfPath);
        QCOMPARE(ReadBytes(dir.filePath("pathpdf.txt")), fileAfter);
        QCOMPARE(Q(kod::ParamTable[0][2]), model0); // row 0, columns 2..5: the designations
    }

    void menuCaptions_data() { AddRows(kMenus); }
    void menuCaptions() {
        QFETCH(int, row);
        const auto& [name, caption, under] = kMenus[row];
        QCOMPARE(Action(name)->text(), QString::fromUtf8(caption));
        const QWidget* menu = *under == 0 ? static_cast<QWidget*>(window_->menuBar())
                                          : Child<QMenu>(window_.get(), under);
        QVERIFY(menu->actions().contains(Action(name)));
    }

    void toolbarButtons() {
        const char* rows[][2] = {
            {"Informacja", "informacje o programie"},
            {"Opisy", "opisy urządzeń produkcji Skarvel"},
            {"Parametry", "wartości obliczeniowe do doboru wymienników"},
            {"Hydra", "nomogram: opór przepływu - natężenie przepływu"},
            {"Ciepło", "nomogram: moc cieplna - natężenia przepływu "},
            {"wskQ", "nomogram:współczynniki przenikania - moc cieplna"},
            {"WskKT", "współczynniki przenikania - temperatura T12"},
            {"dobór", "dobór wymienników"},
            {"Wyjście", "koniec pracy z programem"},
        };
        const QList<QAction*> buttons = Pasek()->actions();
        QCOMPARE(buttons.size(), qsizetype(std::size(rows)));
        for (qsizetype i = 0; i < buttons.size(); ++i) {
            QCOMPARE(buttons[i]->data().toString(), QString::fromUtf8(rows[i][0]));
            QCOMPARE(buttons[i]->toolTip(), QString::fromUtf8(rows[i][1]));
            QVERIFY2(!buttons[i]->icon().isNull(), rows[i][0]);
        }
    }

    void pasekShownAgain_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("close");
        for (int i = 0; i < int(std::size(kToolWindows)); ++i) {
            const auto& [trigger, confirmed, window, button] = kToolWindows[i];
            QStringList ways{"close box"};
            if (button)
                ways << button;
            if (confirmed)
                ways << "no";
            for (const QString& close : ways)
                QTest::addRow("%s, %s", trigger, qPrintable(close)) << i << close;
        }
    }
    void pasekShownAgain() {
        QFETCH(int, row);
        QFETCH(QString, close);
        const auto& [trigger, confirmed, window, button] = kToolWindows[row];
        bool hiddenMeanwhile = false;
        Messages messages(close != "no");
        messages.observe = [&] { hiddenMeanwhile = Pasek()->isHidden(); };
        ModalWatcher watcher([&](QWidget* modal) {
            hiddenMeanwhile = Pasek()->isHidden();
            close == "close box" ? void(modal->close())
                                 : Child<QAbstractButton>(modal, close)->click();
        });

        Action(trigger)->trigger();

        QCOMPARE(watcher.seen, close == "no" ? QStringList() : QStringList{window});
        QCOMPARE(messages.records.size(), std::size_t(confirmed));
        for (const widgets::MessageRecord& box : messages.records) {
            QCOMPARE(box.title, "Oglądanie opisów urządzeń");
            QCOMPARE(box.text, Confirmation("/opisy/"));
        }
        QVERIFY(hiddenMeanwhile);
        QVERIFY(Pasek()->isVisible());
        QVERIFY(window_->findChildren<QDialog*>().isEmpty()); // closed windows are gone
    }

    // From the toolbar the parameter table opens modeless: the menu stays usable while it is
    // open, and Pasek comes back when it is closed.
    void parametersFromToolbarModeless() {
        Action("Parametry")->trigger();
        auto* table = window_->findChild<QDialog*>("frmParametry");
        QVERIFY(table && table->isVisible() && !table->isModal());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QVERIFY(Pasek()->isHidden());
        QVERIFY(window_->menuBar()->isEnabled());
        Child<QAbstractButton>(table, "cmdExit")->click();
        QVERIFY(Pasek()->isVisible());
        QTRY_VERIFY(window_->findChild<QDialog*>("frmParametry") == nullptr);
    }

    void diagnosticsKey_data() {
        QTest::addColumn<bool>("opens");
        for (const char* key : {"Shift+Alt+J", "Ctrl+Shift+Alt+J"})
            QTest::newRow(key) << true;
        for (const char* key : {"Alt+J", "Shift+J", "Ctrl+Alt+J"})
            QTest::newRow(key) << false;
    }
    void diagnosticsKey() {
        QFETCH(bool, opens);
        ModalWatcher watcher([](QWidget* modal) { modal->close(); });
        const QKeyCombination key = QKeySequence(QTest::currentDataTag())[0];
        QTest::keyClick(window_->centralWidget(), key.key(), key.keyboardModifiers());
        QTest::qWait(30);
        QCOMPARE(watcher.seen, opens ? QStringList{"frmZelko"} : QStringList());
    }

    void testModeFlows() {
        QCOMPARE(kod::TestMode, false); // init() set it before start-up
        // In order: the option clicked, if any; closed by the close box, else the button.
        const std::tuple<const char*, const char*, bool, bool> steps[] = {
            {"test chosen", "opTest", false, true},
            {"reopened, close box", nullptr, true, true},
            {"nothing changed", nullptr, false, false},
            {"test chosen, close box", "opTest", true, false},
        };
        for (const auto& [name, click, closeBox, after] : steps) {
            bool normalShown = false;
            ModalWatcher watcher([&](QWidget* w) {
                normalShown = Child<QRadioButton>(w, "opNorma")->isChecked() &&
                              !Child<QRadioButton>(w, "opTest")->isChecked() &&
                              Child<QLabel>(w, "etKatalog")->text() ==
                                  "Katalog danych programu: " + app_.path();
                if (click != nullptr)
                    Child<QRadioButton>(w, click)->click();
                closeBox ? void(w->close()) : Child<QAbstractButton>(w, "cmdExit")->click();
            });
            QTest::keyClick(window_.get(), Qt::Key_J, Qt::ShiftModifier | Qt::AltModifier);
            QVERIFY2(normalShown, name); // also when reopened while TestMode is on
            QVERIFY2(kod::TestMode == after, name);
        }
    }

    void settingsStore_data() { AddRows(kSettings); }
    void settingsStore() {
        QFETCH(int, row);
        const auto& [name, typed, ok, path, file, refused] = kSettings[row];
        const QString stored = path[0] == '/' ? path : machine_.filePath(path);
        if (file == QLatin1String("<unreadable>"))
            QVERIFY(QFile::remove(app_.filePath("pathpdf.txt")) &&
                    QDir(app_.path()).mkdir("pathpdf.txt"));
        Messages messages;
        Dialog dialog(PathOf(app_), drives_);
        dialog.show();
        typed ? Child<QLineEdit>(&dialog, "Text1")->setText(typed)
              : Child<QComboBox>(&dialog, "Drive1")->setCurrentIndex(1);
        ok ? Child<QAbstractButton>(&dialog, "OKButton")->click() : void(dialog.close());

        QCOMPARE(Q(kod::PdfPath), stored);
        QCOMPARE(ReadBytes(app_.filePath("pathpdf.txt")),
                 file ? QByteArray(file) : "\"" + stored.toUtf8() + "\"\r\n");
        QCOMPARE(messages.records.size(), std::size_t(refused));
        QCOMPARE(dialog.isVisible(), refused); // a refused path leaves the window open
        QCOMPARE(dialog.result(), int(ok && !refused ? QDialog::Accepted : QDialog::Rejected));
        // The confirmation of the same run shows the path in effect.
        Action("Opisy")->trigger();
        QCOMPARE(messages.records.back().text, Confirmation(stored));
    }

    // A pathpdf.txt that the user made read-only is left alone, and the user is told.
    void readOnlyPathFileIsLeftAlone() {
        const QString file = app_.filePath("pathpdf.txt");
        QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        Messages messages;
        Dialog dialog(PathOf(app_), drives_);
        dialog.show();
        Child<QLineEdit>(&dialog, "Text1")->setText("/srv/inne/");
        Child<QAbstractButton>(&dialog, "OKButton")->click();
        QCOMPARE(messages.records.size(), std::size_t(1));
        QVERIFY(messages.records[0].text.startsWith("Plik pathpdf.txt jest tylko do odczytu"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(Q(kod::PdfPath), "/opisy/");
        QCOMPARE(ReadBytes(file), "\"/opisy/\"\r\n");
        QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }

    // The diagnostics window names the CD-ROMs that start-up passed over.
    void diagnosticsNameSkippedDrives() {
        kod::SkippedDrives = {"/media/a\"b/"};
        frmZelko window;
        QVERIFY(Child<QLabel>(&window, "etKatalog")
                    ->text()
                    .endsWith("\nPominięto napęd CD-ROM /media/a\"b/: jego ścieżki nie można "
                              "zapisać w pliku pathpdf.txt."));
        kod::SkippedDrives.clear();
    }

    void unreadableDriveReturnsToList() {
        Messages messages;
        Dialog dialog(PathOf(app_), drives_);
        auto* drive = Child<QComboBox>(&dialog, "Drive1");
        drive->setCurrentIndex(1);
        drive->setCurrentIndex(2); // X does not exist
        QCOMPARE(messages.records.size(), std::size_t(1));
        QCOMPARE(messages.records[0].text, "Błąd napędu!");
        QCOMPARE(drive->currentIndex(), 1);
        QCOMPARE(Child<QLineEdit>(&dialog, "Text1")->text(), Root("D"));
        drive->setCurrentIndex(0); // the list works on
        QCOMPARE(messages.records.size(), std::size_t(1));
        QCOMPARE(Child<QLineEdit>(&dialog, "Text1")->text(), Root("C"));
    }

    // F1 opens the help over whichever window has the focus.
    void f1OpensHelpEverywhere() {
        Dialog settings(PathOf(app_), drives_, window_.get());
        frmDobor selection(window_.get());
        for (QWidget* w : {static_cast<QWidget*>(window_.get()), static_cast<QWidget*>(&settings),
                           static_cast<QWidget*>(&selection)}) {
            w->show();
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            QWidget* focus = w->focusWidget() ? w->focusWidget() : w;
            QTest::keyClick(focus, Qt::Key_F1);
            auto* help = w->findChild<QDialog*>("frmPomoc", Qt::FindDirectChildrenOnly);
            QVERIFY2(help != nullptr && help->isVisible(), w->metaObject()->className());
            QVERIFY(help->findChild<QTextBrowser*>()->toPlainText().contains("pathpdf.txt"));
            help->close();
        }
    }

    // Alt with a letter reaches the access keys only; AltGr's Polish letters still type.
    void altLetterTypesNothing() {
        Dialog dialog(PathOf(app_), drives_);
        dialog.show();
        auto* text = Child<QLineEdit>(&dialog, "Text1");
        text->setFocus();
        text->setText("/a");
        QTest::keyClick(text, Qt::Key_X, Qt::AltModifier);
        QTest::keyClick(text, Qt::Key_5, Qt::AltModifier);
        QCOMPARE(text->text(), "/a");
        QTest::keyClicks(text, "x");
        QTest::sendKeyEvent(QTest::KeyAction::Click, text, Qt::Key_unknown, QString("ą"),
                            Qt::AltModifier);
        QCOMPARE(text->text(), "/axą");
    }

    // Enter on the directory list enters the directory, as a double click does; the dialog stays.
    void enterOnDirectoryListEntersIt() {
        Messages messages;
        Dialog dialog(PathOf(app_), drives_);
        dialog.show();
        auto* drive = Child<QComboBox>(&dialog, "Drive1");
        drive->setCurrentIndex(1); // D, which holds PDF
        auto* list = Child<QListWidget>(&dialog, "Dir1");
        const auto found = list->findItems("PDF", Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        list->setCurrentItem(found[0]);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(QDir::fromNativeSeparators(Child<QLineEdit>(&dialog, "Text1")->text()),
                 machine_.filePath("D/PDF"));
        QCOMPARE(Q(kod::PdfPath), "/opisy/"); // nothing stored until OK
        QCOMPARE(messages.records.size(), std::size_t(0));
    }

    // Last: ending the application stops the running event loop.
    void wyjscieEndsTheEventLoop() {
        for (const char* trigger : {"mnuWyjscie", "Wyjscie"}) {
            QTimer::singleShot(0, Action(trigger), &QAction::trigger);
            QTimer::singleShot(5000, [] { QCoreApplication::exit(7); }); // 7: the loop went on
            QVERIFY2(QApplication::exec() == 0, trigger);
        }
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
