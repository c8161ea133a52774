// The reports printed by the real windows through a CUPS scheduler of the test's own
// (tests/e2e/with-cups.sh): with a default destination each report reaches it as one page holding
// the report's text; without one, or without a scheduler, the user is told why and nothing is sent.
#include "core/Catalogue.h"
#include "selection/SelectionPrintout.h"
#include "selection/frmDobor.h"
#include "tests/support/PdfProbe.h"
#include "widgets/Environment.h"
#include "widgets/MessageBox.h"
#include "widgets/PrintPage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

QString Mode() {
    return qEnvironmentVariable("VARMI_CUPS_MODE");
}

// The documents the scheduler keeps, oldest first.
QStringList Documents() {
    const QDir spool(qEnvironmentVariable("VARMI_CUPS_SPOOL"));
    QStringList files;
    for (const QString& name : spool.entryList({QStringLiteral("d*-001")}, QDir::Files, QDir::Name))
        files << spool.filePath(name);
    return files;
}

} // namespace

class CupsPrintTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QStringList messages_; // text, then " | " and the detail when there is one

    // Runs a report and checks what the user is told and what reaches the scheduler.
    void Report(const std::function<void()>& print, const QString& sentText,
                const QStringList& expectedText) {
        const QStringList before = Documents();
        messages_.clear();
        print();
        if (Mode() == QLatin1String("default")) {
            QCOMPARE(messages_, QStringList{sentText});
            QStringList added;
            QElapsedTimer waited;
            waited.start();
            while ((added = Documents()).size() == before.size() && waited.elapsed() < 10000)
                QTest::qWait(50);
            for (const QString& f : before)
                added.removeAll(f);
            QCOMPARE(added.size(), 1);
            const testsupport::PdfProbe pdf(added[0]);
            QVERIFY2(pdf.IsOpen(), qPrintable(added[0]));
            QCOMPARE(pdf.PageCount(), 1);
            for (const QString& text : expectedText)
                QVERIFY2(pdf.Text().contains(text), qPrintable(text));
        } else {
            QCOMPARE(messages_, QStringList{QStringLiteral("Wystąpił błąd drukowania | W systemie "
                                                           "nie ustawiono drukarki domyślnej.")});
            QTest::qWait(200);
            QCOMPARE(Documents(), before);
        }
    }

private slots:
    void initTestCase() {
        QVERIFY(!Mode().isEmpty()); // run through with-cups.sh
        QVERIFY(QFile::copy(QStringLiteral(VARMI_CATALOGUE), dir_.filePath("parametr.txt")));
        QCOMPARE(kod::WritePdfPathFile(dir_.path().toStdString(), "/tmp/"),
                 kod::PdfPathWrite::Written);
        widgets::SetAppDirectory(dir_.path().toStdString());
        kod::LoadParameters(dir_.path().toStdString());
        widgets::PrintPage::RedirectToPdf(QString()); // the real default printer
        widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
            messages_ << (r.detail.isEmpty() ? r.text : r.text + QStringLiteral(" | ") + r.detail);
            return true;
        });
    }

    void selectionReport() {
        frmDobor window;
        window.show();
        Report([&] { window.cmdDruk_Click(); }, QString::fromUtf8(selection::kPrintSentText),
               {QStringLiteral("Dobór wymienników"), QStringLiteral("orv3.55"),
                QStringLiteral("najkorzystniejszy wariant"), QStringLiteral("1.596")});
    }
};

QTEST_MAIN(CupsPrintTest)
#include "tst_cupsprint.moc"
