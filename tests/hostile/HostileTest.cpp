// Hostile input in every window: random keystrokes, pasted texts, sliders, lists, options,
// buttons and the charts' mouse, with the program's rules checked after every step. The seed is
// VARMI_HOSTILE_SEED when set, else a few fixed seeds and one from the clock; the steps per window
// are VARMI_HOSTILE_STEPS (default 250). A failure names its seed and row, so that
//   VARMI_HOSTILE_SEED=<seed> hostile_input_test "window:<row>"
// replays it.
#include "coefficients/frmWskKT.h"
#include "coefficients/frmwsk.h"
#include "core/Cp1250.h"
#include "core/Kod.h"
#include "descriptions/ProductCatalogue.h"
#include "descriptions/frmPDF.h"
#include "descriptions/sheets/DataSheet.h"
#include "nomograms/frmHydra.h"
#include "nomograms/frmQG.h"
#include "parameters/frmParametry.h"
#include "selection/frmDobor.h"
#include "shell/ApplicationKeys.h"
#include "shell/Dialog.h"
#include "shell/frmVarmi.h"
#include "shell/frmZelko.h"
#include "tests/hostile/Driver.h"
#include "widgets/Environment.h"
#include "widgets/PrintPage.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <memory>
#include <random>

namespace {

const char* const kWindows[] = {"frmDobor",     "frmHydra", "frmQG",  "frmwsk",  "frmWskKT",
                                "frmParametry", "frmPDF",   "Dialog", "frmZelko"};

// Drives whose roots are directories of the test.
struct FakeDrives : kod::DriveSystem {
    std::vector<kod::Drive> drives;
    std::vector<kod::Drive> Drives() const override { return drives; }
    std::string FallbackRoot() const override { return drives.front().root; }
};

std::vector<quint64> Seeds() {
    bool ok = false;
    const quint64 fixed = qEnvironmentVariable("VARMI_HOSTILE_SEED").toULongLong(&ok);
    if (ok)
        return {fixed};
    return {1, 2, 3, static_cast<quint64>(QDateTime::currentMSecsSinceEpoch())};
}

int Steps() {
    bool ok = false;
    const int steps = qEnvironmentVariableIntValue("VARMI_HOSTILE_STEPS", &ok);
    return ok && steps > 0 ? steps : 250;
}

// Each row has its own stream of numbers, the same for the same seed and row (FNV-1a of the row's
// name mixed with the seed).
std::uint64_t RowSeed(quint64 seed, const QString& row) {
    std::uint32_t name = 2166136261u;
    for (const char c : row.toUtf8())
        name = (name ^ static_cast<unsigned char>(c)) * 16777619u;
    std::seed_seq mix{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32),
                      name};
    std::uint32_t out[2];
    mix.generate(out, out + 2);
    return (std::uint64_t(out[0]) << 32) | out[1];
}

// Help windows and popups are closed again at once: the steps go to the window under test.
void Settle(int step) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String("frmPomoc") && top->isVisible())
            top->close();
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    if (step % 10 == 9) // now and then the windows paint what they hold
        QCoreApplication::processEvents();
}

bool Activate(QWidget* window) {
    QCoreApplication::processEvents(); // activations the platform still has queued
    if (QApplication::activeWindow() == window)
        return true;
    window->activateWindow();
    return QTest::qWaitForWindowActive(window, 1000);
}

QString Report(const QString& row, quint64 seed, int step, const QString& failure,
               const QStringList& done) {
    return QStringLiteral("%1, step %2: %3\nreplay: VARMI_HOSTILE_SEED=%4 hostile_input_test "
                          "\"%5\"\nlast steps:\n  %6")
        .arg(row)
        .arg(step)
        .arg(failure)
        .arg(seed)
        .arg(QString::fromLatin1(QTest::currentTestFunction()) + QLatin1Char(':') + row,
             done.join(QStringLiteral("\n  ")));
}

void Keep(QStringList& done, const QString& step) {
    done << step;
    if (done.size() > 15)
        done.removeFirst();
}

} // namespace

class HostileTest : public QObject {
    Q_OBJECT

    QTemporaryDir app_, machine_, pdf_;
    FakeDrives drives_;
    // Popup menus (a toolbar's overflow button, reached by Tab and pressed with Space) run a loop
    // of their own; they are closed again as a user would, also while that loop runs.
    QTimer popupCloser_;

    QString Page() const { return machine_.filePath(QStringLiteral("page.pdf")); }

    // The start of every row: the catalogue loaded, pathpdf.txt naming the test's PDF directory,
    // test mode off, the printer there, the user's locale with a point or with a comma.
    void Reset(hostile::Driver& driver) {
        QFile::remove(app_.filePath(QStringLiteral("pathpdf.txt")));
        QCOMPARE(kod::WritePdfPathFile(app_.path().toStdString(), pdf_.path().toStdString() + '/'),
                 kod::PdfPathWrite::Written);
        kod::LoadParameters(app_.path().toStdString(), drives_);
        kod::TestMode = false;
        widgets::PrintPage::RedirectToPdf(Page());
        widgets::PrintPage::SimulateMissingPrinter(false);
        widgets::SetUserLocale(driver.Chance(0.5) ? QLocale::c()
                                                  : QLocale(QLocale::Polish, QLocale::Poland));
        // pathpdf.txt always holds PdfPath whole, and nothing else is left in the directory.
        driver.AddCheck([this]() -> QString {
            QFile f(app_.filePath(QStringLiteral("pathpdf.txt")));
            if (!f.open(QIODevice::ReadOnly))
                return QStringLiteral("pathpdf.txt cannot be read");
            const QByteArray held = f.readAll();
            const QByteArray expected =
                '"' + QByteArray::fromStdString(kod::ToCp1250(kod::PdfPath)) + "\"\r\n";
            if (held != expected)
                return QStringLiteral("pathpdf.txt holds %1 while PdfPath is %2")
                    .arg(QString::fromLatin1(held.toPercentEncoding(" \"/\\")),
                         widgets::Q(kod::PdfPath));
            const QStringList known{"parametr.txt", "pathpdf.txt", "raport.txt", "varmi.html"};
            for (const QString& file : QDir(app_.path()).entryList(QDir::Files | QDir::Hidden))
                if (!known.contains(file))
                    return QStringLiteral("%1 was left in the program's directory").arg(file);
            return {};
        });
    }

    std::unique_ptr<QWidget> Open(const QString& name) {
        std::unique_ptr<QWidget> w;
        if (name == QLatin1String("frmDobor"))
            w = std::make_unique<frmDobor>();
        else if (name == QLatin1String("frmHydra"))
            w = std::make_unique<frmHydra>();
        else if (name == QLatin1String("frmQG"))
            w = std::make_unique<frmQG>();
        else if (name == QLatin1String("frmwsk"))
            w = std::make_unique<frmwsk>();
        else if (name == QLatin1String("frmWskKT"))
            w = std::make_unique<frmWskKT>();
        else if (name == QLatin1String("frmParametry"))
            w = std::make_unique<frmParametry>();
        else if (name == QLatin1String("frmPDF"))
            w = std::make_unique<frmPDF>();
        else if (name == QLatin1String("Dialog"))
            w = std::make_unique<Dialog>(app_.path().toStdString(), drives_);
        else
            w = std::make_unique<frmZelko>();
        w->show();
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("%s did not become active", qPrintable(name));
        return w;
    }

private slots:
    void initTestCase() {
        QVERIFY(app_.isValid() && machine_.isValid() && pdf_.isValid());
        QVERIFY(QFile::copy(QStringLiteral(VARMI_CATALOGUE), app_.filePath("parametr.txt")));
        QVERIFY(QFile::copy(QStringLiteral(VARMI_HELP_PAGE), app_.filePath("varmi.html")));
        widgets::SetAppDirectory(app_.path().toStdString());
        shell::InstallApplicationKeys(*qApp);
        connect(&popupCloser_, &QTimer::timeout, [] {
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
        });
        popupCloser_.start(20);
        // Directory names the settings dialog must refuse or store: a double quote, characters
        // outside Windows-1250, Polish letters.
        for (const char* d :
             {"C", "C/ąęłśżź", "C/文件", "C/z \"cudzysłowem\"", "D/PDF/stare", "D/inny"})
            QVERIFY(QDir(machine_.path()).mkpath(QString::fromUtf8(d)));
        // The settings dialog starts in the current directory.
        QVERIFY(QDir::setCurrent(machine_.filePath("C")));
        drives_.drives = {{machine_.filePath("C").toStdString() + '/', false},
                          {machine_.filePath("D").toStdString() + '/', true},
                          {machine_.filePath("X").toStdString() + '/', false}};

        // The descriptions: one good, one cut short, one of garbage, one empty, one a directory;
        // the others missing.
        const auto products = descriptions::Products();
        const QString good = pdf_.filePath(QString::fromUtf8(products[0].file));
        QVERIFY(descriptions::WriteDataSheet(products[0], good));
        QFile full(good);
        QVERIFY(full.open(QIODevice::ReadOnly));
        const QByteArray bytes = full.readAll();
        auto write = [this](const char* name, const QByteArray& content) {
            QFile f(pdf_.filePath(QString::fromUtf8(name)));
            return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
        };
        QVERIFY(write(products[1].file, bytes.left(bytes.size() / 2)));
        QVERIFY(write(products[2].file, QByteArray(5000, '\x9c')));
        QVERIFY(write(products[3].file, QByteArray()));
        QVERIFY(QDir(pdf_.path()).mkdir(QString::fromUtf8(products[4].file)));
    }

    void cleanup() {
        widgets::SetUserLocale(QLocale::c());
        widgets::PrintPage::SimulateMissingPrinter(false);
    }

    void window_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<quint64>("seed");
        for (const char* name : kWindows)
            for (quint64 seed : Seeds())
                QTest::addRow("%s seed %llu", name, seed) << QString::fromLatin1(name) << seed;
    }

    // Each window alone, opened again whenever a step closed it.
    void window() {
        QFETCH(QString, name);
        QFETCH(quint64, seed);
        const QString row = QString::fromLatin1(QTest::currentDataTag());
        hostile::Driver driver(RowSeed(seed, row), Page());
        Reset(driver);
        driver.SetDirectorySandbox(QDir::cleanPath(machine_.path()));
        std::unique_ptr<QWidget> w = Open(name);
        QStringList done;
        const int steps = Steps();
        for (int step = 0; step < steps; ++step) {
            if (!w->isVisible()) {
                w.reset();
                w = Open(name);
                Keep(done, QStringLiteral("(opened again)"));
            }
            Activate(w.get());
            Keep(done, driver.Step(w.get()));
            Settle(step);
            const QString failure = driver.Check(w.get());
            QVERIFY2(failure.isEmpty(), qPrintable(Report(row, seed, step, failure, done)));
        }
    }

    void menus_data() {
        QTest::addColumn<quint64>("seed");
        for (quint64 seed : Seeds())
            QTest::addRow("seed %llu", seed) << seed;
    }

    // The main window's menus, toolbar and diagnostics key open the tool windows one at a time;
    // each gets a few random steps and is closed by its exit button, Escape or its close box.
    // Pasek is back whenever a tool window is gone. "Wyjście" ends the program and is left out.
    void menus() {
        QFETCH(quint64, seed);
        const QString row = QString::fromLatin1(QTest::currentDataTag());
        hostile::Driver driver(RowSeed(seed, QStringLiteral("menus ") + row), Page());
        Reset(driver);
        driver.SetDirectorySandbox(QDir::cleanPath(machine_.path()));
        frmVarmi main(app_.path().toStdString(), drives_);
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        auto* pasek = main.findChild<QToolBar*>(QStringLiteral("Pasek"));
        QVERIFY(pasek != nullptr);

        QList<QAction*> triggers;
        for (QAction* a : main.findChildren<QAction*>()) {
            const QString n = a->objectName();
            const bool menuEntry = n.startsWith(QLatin1String("mnu")) && a->menu() == nullptr &&
                                   n != QLatin1String("mnuWyjscie");
            const bool button = pasek->actions().contains(a) && n != QLatin1String("Wyjscie");
            if (menuEntry || button)
                triggers << a;
        }
        QVERIFY(triggers.size() > 10);

        QStringList done;
        const int rounds = std::max(1, Steps() / 5);
        int step = 0;
        for (int round = 0; round < rounds; ++round) {
            QString failure;
            const int inner = 1 + driver.Pick(10);
            bool ran = false;
            // Runs inside the tool window's own event loop when it is modal.
            auto drive = [&] {
                ran = true;
                QPointer<QWidget> tool = QApplication::activeModalWidget();
                if (tool.isNull())
                    tool = main.findChild<QDialog*>(QStringLiteral("frmParametry"));
                if (tool.isNull() || !tool->isVisible())
                    return;
                Keep(done, QStringLiteral("(in %1)").arg(tool->objectName()));
                for (int i = 0; i < inner && !tool.isNull() && tool->isVisible(); ++i, ++step) {
                    Activate(tool);
                    Keep(done, driver.Step(tool));
                    Settle(step);
                    if (tool.isNull())
                        break;
                    failure = driver.Check(tool);
                    if (!failure.isEmpty())
                        break;
                }
                if (tool.isNull() || !tool->isVisible())
                    return;
                auto* exit = tool->findChild<QAbstractButton*>(QStringLiteral("cmdExit"));
                switch (driver.Pick(3)) {
                case 0:
                    if (exit != nullptr) {
                        QTest::mouseClick(exit, Qt::LeftButton);
                        Keep(done, QStringLiteral("click cmdExit"));
                        break;
                    }
                    [[fallthrough]];
                case 1:
                    QTest::keyClick(tool, Qt::Key_Escape);
                    Keep(done, QStringLiteral("Escape"));
                    if (tool.isNull() || !tool->isVisible())
                        break;
                    [[fallthrough]];
                default:
                    tool->close();
                    Keep(done, QStringLiteral("close box"));
                    break;
                }
            };
            QTimer::singleShot(0, &main, drive);
            if (driver.Chance(0.1)) {
                Keep(done, QStringLiteral("Shift+Alt+J"));
                QTest::keyClick(main.centralWidget(), Qt::Key_J,
                                Qt::ShiftModifier | Qt::AltModifier);
            } else {
                QAction* a = triggers[driver.Pick(triggers.size())];
                Keep(done, QStringLiteral("trigger %1").arg(a->objectName()));
                a->trigger();
            }
            if (!ran)
                QTest::qWait(0); // a modeless window, or none: the step runs now
            QTRY_VERIFY(ran);
            QVERIFY2(failure.isEmpty(), qPrintable(Report(row, seed, step, failure, done)));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            const QString closed = QApplication::activeModalWidget() == nullptr
                                       ? QString()
                                       : QStringLiteral("a modal window stayed open");
            QVERIFY2(closed.isEmpty(), qPrintable(Report(row, seed, step, closed, done)));
            QVERIFY2(
                pasek->isVisible(),
                qPrintable(Report(row, seed, step, QStringLiteral("Pasek stayed hidden"), done)));
            Activate(&main);
        }
    }
};

QTEST_MAIN(HostileTest)
#include "HostileTest.moc"
