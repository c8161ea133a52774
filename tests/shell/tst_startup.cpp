// Start-up of the program in an application directory of its own.
#include "ShellTestSupport.h"
#include "shell/frmVarmi.h"
#include "widgets/Environment.h"

#include <QAction>
#include <QtTest>

using shelltest::AppDir;
using shelltest::FakeDrives;

Q_DECLARE_METATYPE(std::vector<kod::Drive>)

class StartUpTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        kod::ParamTable = {};
        kod::PdfPath = "<untouched>";
        kod::TestMode = true;
    }

    void loadsCatalogueAndClearsTestMode() {
        AppDir app;
        QVERIFY(shelltest::WriteBytes(app.File("pathpdf.txt"), "\"/srv/opisy\"\r\n"));
        const FakeDrives drives({{"/", false}}, "/");

        QCOMPARE(frmVarmi::StartUp(app.Path(), drives), QString());
        QCOMPARE(kod::TestMode, false);
        // Row 0, columns 2..5 of the catalogue hold the model designations.
        QCOMPARE(QString::fromStdString(kod::ParamTable[0][2]), QStringLiteral("orv2.14"));
        QCOMPARE(QString::fromStdString(kod::ParamTable[0][5]), QStringLiteral("orv3.55"));
        // An existing pathpdf.txt is taken as it stands and not rewritten.
        QCOMPARE(kod::PdfPath, std::string("/srv/opisy"));
        QCOMPARE(shelltest::ReadBytes(app.File("pathpdf.txt")), QByteArray("\"/srv/opisy\"\r\n"));
    }

    void missingCatalogueIsReported() {
        AppDir app(false);
        const FakeDrives drives({{"/", false}}, "/");

        const QString message = frmVarmi::StartUp(app.Path(), drives);
        QVERIFY2(message.contains(QStringLiteral("parametr.txt")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("Program zostanie zakończony")),
                 qPrintable(message));
        // Nothing was loaded and nothing written.
        QCOMPARE(kod::ParamTable[0][2], std::string());
        QCOMPARE(kod::PdfPath, std::string("<untouched>"));
        QVERIFY(!QFile::exists(app.File("pathpdf.txt")));
    }

    void pdfPathFallback_data() {
        QTest::addColumn<std::vector<kod::Drive>>("drives");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first CD-ROM") << std::vector<kod::Drive>{{"A:\\", false},
                                                                 {"C:\\", false},
                                                                 {"D:\\", true},
                                                                 {"E:\\", true}}
                                      << QStringLiteral("D:\\");
        QTest::newRow("no CD-ROM")
            << std::vector<kod::Drive>{{"A:\\", false}, {"C:\\", false}} << QStringLiteral("C:\\");
    }

    void pdfPathFallback() {
        QFETCH(std::vector<kod::Drive>, drives);
        QFETCH(QString, expected);
        AppDir app;
        const FakeDrives system(drives, "C:\\");

        QCOMPARE(frmVarmi::StartUp(app.Path(), system), QString());
        QCOMPARE(QString::fromStdString(kod::PdfPath), expected);
        // One quoted field and CR LF.
        QCOMPARE(shelltest::ReadBytes(app.File("pathpdf.txt")),
                 "\"" + expected.toLatin1() + "\"\r\n");
    }

    void unwritablePdfPathFileIsReported() {
        AppDir app;
        // A directory in place of the file: neither readable as text nor replaceable.
        QVERIFY(QDir(app.dir.path()).mkdir(QStringLiteral("pathpdf.txt")));
        const FakeDrives drives({{"D:\\", true}}, "C:\\");

        const QString message = frmVarmi::StartUp(app.Path(), drives);
        QVERIFY2(message.contains(QStringLiteral("pathpdf.txt")), qPrintable(message));
        QCOMPARE(kod::PdfPath, std::string("<untouched>"));
    }

    // Last: ending the application stops the running event loop.
    void wyjscieEndsTheApplication_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("menu") << QStringLiteral("mnuWyjscie");
        QTest::newRow("toolbar") << QStringLiteral("Wyjscie");
    }

    void wyjscieEndsTheApplication() {
        QFETCH(QString, action);
        AppDir app;
        const FakeDrives drives({{"/", false}}, "/");
        QCOMPARE(frmVarmi::StartUp(app.Path(), drives), QString());
        frmVarmi window(app.Path(), drives);
        window.show();
        auto* trigger = window.findChild<QAction*>(action);
        QVERIFY(trigger != nullptr);

        QTimer::singleShot(0, trigger, &QAction::trigger);
        // 7 stands for "the loop did not end by itself".
        QTimer::singleShot(5000, [] { QCoreApplication::exit(7); });
        QCOMPARE(QApplication::exec(), 0);
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    widgets::SetUserLocale(QLocale::c());
    StartUpTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_startup.moc"
