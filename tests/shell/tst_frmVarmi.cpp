// The main window: menus, toolbar, tool windows, the diagnostics key and help.
#include "ShellTestSupport.h"
#include "shell/frmVarmi.h"
#include "widgets/Environment.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QTextBrowser>
#include <QToolBar>
#include <QtTest>
#include <memory>

using shelltest::AppDir;
using shelltest::FakeDrives;
using shelltest::Messages;
using shelltest::ModalWatcher;

namespace {

// Counts the hide events of a widget.
class HideCounter : public QObject {
public:
    explicit HideCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide)
            ++count;
        return false;
    }
};

// Closes a tool window the way a row of a test asks.
void CloseWindow(QWidget* window, const QString& how) {
    if (how == QLatin1String("close box")) {
        window->close();
    } else if (auto* button = window->findChild<QAbstractButton*>(how)) {
        button->click();
    } else {
        QFAIL(qPrintable(QStringLiteral("no control %1 in %2").arg(how, window->objectName())));
    }
}

const QString kConfirmationTitle = QStringLiteral("Oglądanie opisów urządzeń");

QString ConfirmationText(const QString& pdfPath) {
    // The five lines of the confirmation, joined by CR LF.
    return QStringLiteral("oglądanie opisu urządzeń produkowanych przez 'Skarvel'") + "\r\n" +
           QStringLiteral("wymaga obecności w napędzie dysku CD z plikami .pdf ") + "\r\n" +
           QStringLiteral(
               "lub podania w menu: <<Ustawienia>> ścieżki do katalogu z tymi plikami.") +
           "\r\n" + QStringLiteral(" Aktualna ścieżka do plików .pdf to: ") + pdfPath + "\r\n" +
           QStringLiteral("Jeżeli chcesz przejść do przeglądania opisów naciśnij przycisk 'TAK', "
                          "jeśli nie przycisk 'NIE'");
}

} // namespace

class FrmVarmiTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppDir> app_;
    std::unique_ptr<FakeDrives> drives_;
    std::unique_ptr<frmVarmi> window_;

    QToolBar* Pasek() const { return window_->findChild<QToolBar*>(QStringLiteral("Pasek")); }
    QAction* Action(const QString& name) const { return window_->findChild<QAction*>(name); }

private slots:
    void init() {
        app_ = std::make_unique<AppDir>();
        QVERIFY(QFile::copy(QStringLiteral(VARMI_HELP_PAGE), app_->File("varmi.html")));
        QVERIFY(shelltest::WriteBytes(app_->File("pathpdf.txt"), "\"/opisy/\"\r\n"));
        widgets::SetAppDirectory(app_->Path());
        drives_ = std::make_unique<FakeDrives>(std::vector<kod::Drive>{{"/", false}}, "/");
        QCOMPARE(frmVarmi::StartUp(app_->Path(), *drives_), QString());
        window_ = std::make_unique<frmVarmi>(app_->Path(), *drives_);
        window_->show();
        QApplication::setActiveWindow(window_.get());
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QVERIFY(Pasek() != nullptr);
        QVERIFY(!Pasek()->isHidden());
    }

    void cleanup() {
        window_.reset();
        widgets::SetAppDirectory({});
        app_.reset();
    }

    void windowLook() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Skarvel - Dobór wymienników ciepła"));
        QCOMPARE(window_->centralWidget()->palette().color(QPalette::Window),
                 QColor(128, 128, 128));
        QVERIFY(window_->centralWidget()->autoFillBackground());
        QCOMPARE(window_->size(), window_->screen()->availableGeometry().size());
    }

    void menuEntries_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("under"); // the menu holding the entry; "" for the bar
        struct Row {
            const char *name, *caption, *under;
        };
        const Row rows[] = {
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
        for (const Row& row : rows)
            QTest::newRow(row.name)
                << QString::fromLatin1(row.name) << QString::fromUtf8(row.caption)
                << QString::fromLatin1(row.under);
    }

    void menuEntries() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, under);
        QAction* action = Action(name);
        QVERIFY(action != nullptr);
        QCOMPARE(action->text(), caption);
        const QList<QAction*> siblings = under.isEmpty()
                                             ? window_->menuBar()->actions()
                                             : window_->findChild<QMenu*>(under)->actions();
        QVERIFY(siblings.contains(action));
    }

    void menuBarOrder() {
        QStringList names;
        for (const QAction* action : window_->menuBar()->actions())
            names << action->objectName();
        QCOMPARE(names, QStringList({"mnuDobor", "mnuWykresy", "mnuOpisy", "mnuParametry",
                                     "mnuUstawienia", "mnuWyjscie"}));
    }

    void toolbarButtons() {
        const QStringList keys = {"Informacja", "Opisy", "Parametry", "Hydra",  "Ciepło",
                                  "wskQ",       "WskKT", "dobór",     "Wyjście"};
        const QStringList tips = {"informacje o programie",
                                  "opisy urządzeń produkcji Skarvel",
                                  "wartości obliczeniowe do doboru wymienników",
                                  "nomogram: opór przepływu - natężenie przepływu",
                                  "nomogram: moc cieplna - natężenia przepływu ",
                                  "nomogram:współczynniki przenikania - moc cieplna",
                                  "współczynniki przenikania - temperatura T12",
                                  "dobór wymienników",
                                  "koniec pracy z programem"};
        QStringList shownKeys, shownTips;
        for (QAction* action : Pasek()->actions()) {
            shownKeys << action->data().toString();
            shownTips << action->toolTip();
            QVERIFY2(!action->icon().isNull(), qPrintable(action->objectName()));
            QVERIFY(Pasek()->widgetForAction(action) != nullptr);
        }
        QCOMPARE(shownKeys, keys);
        QCOMPARE(shownTips, tips);
    }

    void toolWindowsShowPasekAgain_data() {
        QTest::addColumn<QString>("trigger"); // an action's objectName
        QTest::addColumn<QString>("window");  // class of the modal window expected
        QTest::addColumn<QString>("close");   // how it is closed
        struct Row {
            const char *name, *trigger, *window, *close;
        };
        const Row rows[] = {
            {"menu info, button", "mnuInfo", "frmInformacja", "cmdExit"},
            {"menu info, close box", "mnuInfo", "frmInformacja", "close box"},
            {"toolbar info", "Informacja", "frmInformacja", "cmdExit"},
            {"settings, OK", "mnuUstawienia", "Dialog", "OKButton"},
            {"settings, close box", "mnuUstawienia", "Dialog", "close box"},
            {"menu selection, button", "mnuDobor", "frmDobor", "cmdExit"},
            {"menu selection, close box", "mnuDobor", "frmDobor", "close box"},
            {"toolbar selection, button", "dobor", "frmDobor", "cmdExit"},
            {"toolbar selection, close box", "dobor", "frmDobor", "close box"},
        };
        for (const Row& row : rows)
            QTest::newRow(row.name)
                << QString::fromLatin1(row.trigger) << QString::fromLatin1(row.window)
                << QString::fromLatin1(row.close);
    }

    void toolWindowsShowPasekAgain() {
        QFETCH(QString, trigger);
        QFETCH(QString, window);
        QFETCH(QString, close);
        bool hiddenMeanwhile = false;
        ModalWatcher watcher([&](QWidget* modal) {
            hiddenMeanwhile = Pasek()->isHidden();
            CloseWindow(modal, close);
        });

        QVERIFY(Action(trigger) != nullptr);
        Action(trigger)->trigger();

        QCOMPARE(watcher.seen, QStringList{window});
        QVERIFY(!watcher.stuck);
        QVERIFY(hiddenMeanwhile);
        QVERIFY(!Pasek()->isHidden());
        QVERIFY(Pasek()->isVisible());
    }

    void descriptionsConfirmation_data() {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("answerYes");
        QTest::newRow("menu, No") << "mnuOpisyUrzadzen" << false;
        QTest::newRow("menu, Yes") << "mnuOpisyUrzadzen" << true;
        QTest::newRow("toolbar, No") << "Opisy" << false;
        QTest::newRow("toolbar, Yes") << "Opisy" << true;
    }

    void descriptionsConfirmation() {
        QFETCH(QString, trigger);
        QFETCH(bool, answerYes);
        Messages messages(answerYes);
        bool hiddenMeanwhile = false;
        messages.observe = [&](const widgets::MessageRecord&) {
            hiddenMeanwhile = Pasek()->isHidden();
        };
        ModalWatcher watcher([](QWidget* modal) { modal->close(); });

        Action(trigger)->trigger();

        QCOMPARE(messages.records.size(), std::size_t{1});
        const widgets::MessageRecord& box = messages.records.front();
        QVERIFY(box.yesNo);
        QCOMPARE(box.title, kConfirmationTitle);
        QCOMPARE(box.text, ConfirmationText(QStringLiteral("/opisy/")));
        QVERIFY(hiddenMeanwhile);
        QVERIFY(watcher.seen.isEmpty()); // no viewer in this build, whatever the answer
        QVERIFY(!Pasek()->isHidden());
    }

    void confirmationShowsPathChangedInSameRun() {
        ModalWatcher watcher([](QWidget* modal) {
            modal->findChild<QLineEdit*>(QStringLiteral("Text1"))
                ->setText(QStringLiteral("/dane/opisy pdf"));
            modal->findChild<QAbstractButton*>(QStringLiteral("OKButton"))->click();
        });
        Action(QStringLiteral("mnuUstawienia"))->trigger();
        QCOMPARE(watcher.seen, QStringList{"Dialog"});

        Messages messages(false);
        Action(QStringLiteral("Opisy"))->trigger();
        QCOMPARE(messages.records.size(), std::size_t{1});
        // OK added the trailing separator.
        QCOMPARE(messages.records.front().text,
                 ConfirmationText(QStringLiteral("/dane/opisy pdf/")));
    }

    void entriesWithoutWindowDoNothing_data() {
        QTest::addColumn<QString>("trigger");
        for (const char* name : {"mnuHydra", "mnuCieplo", "mnuWskKT", "mnuWsk", "mnuParametry",
                                 "Parametry", "Hydra", "Cieplo", "wskQ", "WskKT"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void entriesWithoutWindowDoNothing() {
        QFETCH(QString, trigger);
        HideCounter hides(Pasek());
        Messages messages;
        ModalWatcher watcher([](QWidget* modal) { modal->close(); });

        Action(trigger)->trigger();
        QTest::qWait(30);

        QVERIFY(watcher.seen.isEmpty());
        QVERIFY(messages.records.empty());
        QCOMPARE(hides.count, 0);
    }

    void unknownKeysDoNothing_data() {
        QTest::addColumn<QString>("key");
        // Keys differ from the buttons' in case or diacritics only.
        for (const char* key : {"informacja", "opisy", "Dobór", "dobor", "Wyjscie", "wyjście", ""})
            QTest::newRow(key) << QString::fromUtf8(key);
    }

    void unknownKeysDoNothing() {
        QFETCH(QString, key);
        HideCounter hides(Pasek());
        Messages messages;
        ModalWatcher watcher([](QWidget* modal) { modal->close(); });

        window_->Pasek_ButtonClick(key);
        QTest::qWait(30);

        QVERIFY(watcher.seen.isEmpty());
        QVERIFY(messages.records.empty());
        QCOMPARE(hides.count, 0);
        // Had the key ended the application, this loop would not run its timer.
        QEventLoop loop;
        QTimer::singleShot(0, &loop, [&loop] { loop.exit(3); });
        QCOMPARE(loop.exec(), 3);
    }

    void diagnosticsKey_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("focus"); // the widget that receives the key
        QTest::addColumn<bool>("opens");
        const auto shiftAlt = Qt::ShiftModifier | Qt::AltModifier;
        QTest::newRow("Shift+Alt+J") << int(Qt::Key_J) << shiftAlt << "client" << true;
        QTest::newRow("Ctrl+Shift+Alt+J")
            << int(Qt::Key_J) << (shiftAlt | Qt::ControlModifier) << "client" << true;
        QTest::newRow("Shift+Alt+J on a toolbar button")
            << int(Qt::Key_J) << shiftAlt << "Hydra" << true;
        QTest::newRow("Shift+Alt+J on the window") << int(Qt::Key_J) << shiftAlt << "" << true;
        QTest::newRow("Alt+J") << int(Qt::Key_J) << Qt::KeyboardModifiers(Qt::AltModifier)
                               << "client" << false;
        QTest::newRow("Shift+J") << int(Qt::Key_J) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                 << "client" << false;
        QTest::newRow("Ctrl+Alt+J")
            << int(Qt::Key_J) << (Qt::ControlModifier | Qt::AltModifier) << "client" << false;
        QTest::newRow("J") << int(Qt::Key_J) << Qt::KeyboardModifiers() << "client" << false;
        QTest::newRow("Shift+Alt+K") << int(Qt::Key_K) << shiftAlt << "client" << false;
    }

    void diagnosticsKey() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, focus);
        QFETCH(bool, opens);
        QWidget* target = focus.isEmpty() ? window_.get() : window_->findChild<QWidget*>(focus);
        QVERIFY(target != nullptr);
        HideCounter hides(Pasek());
        ModalWatcher watcher([](QWidget* modal) { modal->close(); });

        QTest::keyClick(target, Qt::Key(key), modifiers);
        QTest::qWait(30);

        QCOMPARE(watcher.seen, opens ? QStringList{"frmZelko"} : QStringList{});
        QCOMPARE(hides.count, 0); // the diagnostics window leaves Pasek alone
    }

    void testModeFlows() {
        const auto openDiagnostics = [this](std::function<void(QWidget*)> use) {
            ModalWatcher watcher(std::move(use));
            QTest::keyClick(window_->centralWidget(), Qt::Key_J,
                            Qt::ShiftModifier | Qt::AltModifier);
            QCOMPARE(watcher.seen, QStringList{"frmZelko"});
        };
        const auto option = [](QWidget* w, const char* name) {
            return w->findChild<QRadioButton*>(QString::fromLatin1(name));
        };
        const auto clickExit = [](QWidget* w) {
            w->findChild<QAbstractButton*>(QStringLiteral("cmdExit"))->click();
        };
        QCOMPARE(kod::TestMode, false); // cleared at start-up

        bool normalAtOpen = false;
        openDiagnostics([&](QWidget* w) {
            normalAtOpen = option(w, "opNorma")->isChecked() && !option(w, "opTest")->isChecked();
            option(w, "opTest")->click();
            clickExit(w);
        });
        QVERIFY(normalAtOpen);
        QCOMPARE(kod::TestMode, true);

        // Reopened: the normal option is selected again; the close box keeps TestMode.
        normalAtOpen = false;
        openDiagnostics([&](QWidget* w) {
            normalAtOpen = option(w, "opNorma")->isChecked();
            w->close();
        });
        QVERIFY(normalAtOpen);
        QCOMPARE(kod::TestMode, true);

        // The button with nothing changed clears it.
        openDiagnostics(clickExit);
        QCOMPARE(kod::TestMode, false);
    }

    void f1OpensHelp() {
        QTest::keyClick(window_->centralWidget(), Qt::Key_F1);
        auto* help = window_->findChild<QDialog*>(QStringLiteral("frmPomoc"));
        QVERIFY(help != nullptr);
        QVERIFY(help->isVisible());
        const QString text = help->findChild<QTextBrowser*>()->toPlainText();
        for (const char* file : {"parametr.txt", "pathpdf.txt", "raport.txt"})
            QVERIFY2(text.contains(QString::fromLatin1(file)), file);

        // A second F1 brings the same window forward.
        QTest::keyClick(window_->centralWidget(), Qt::Key_F1);
        QCOMPARE(window_->findChildren<QDialog*>(QStringLiteral("frmPomoc")).size(), 1);
    }

    void f1WithoutHelpPage() {
        QVERIFY(QFile::remove(app_->File("varmi.html")));
        Messages messages;
        QTest::keyClick(window_->centralWidget(), Qt::Key_F1);
        QCOMPARE(messages.records.size(), std::size_t{1});
        QVERIFY(messages.records.front().text.contains(QStringLiteral("Nie znaleziono pliku "
                                                                      "pomocy varmi.html")));
        QVERIFY(window_->findChild<QDialog*>(QStringLiteral("frmPomoc")) == nullptr);
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    widgets::SetUserLocale(QLocale::c());
    FrmVarmiTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_frmVarmi.moc"
