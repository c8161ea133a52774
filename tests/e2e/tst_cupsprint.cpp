// The selection report printed through a CUPS scheduler of the test's own (with-cups.sh): with a
// default destination it arrives as one page holding the report's text; otherwise the user is told
// the scheduler's reason and nothing is counted as sent.
#include "core/Catalogue.h"
#include "selection/SelectionPrintout.h"
#include "selection/frmDobor.h"
#include "tests/support/PdfProbe.h"
#include "widgets/Environment.h"
#include "widgets/MessageBox.h"
#include "widgets/PrintPage.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class CupsPrintTest : public QObject {
    Q_OBJECT

private slots:
    void selectionReport() {
        QTemporaryDir dir;
        QVERIFY(QFile::copy(QStringLiteral(VARMI_CATALOGUE), dir.filePath("parametr.txt")));
        QVERIFY(kod::WritePdfPathFile(dir.path().toStdString(), "/tmp/") ==
                kod::PdfPathWrite::Written);
        widgets::SetAppDirectory(dir.path().toStdString());
        kod::LoadParameters(dir.path().toStdString());
        QStringList messages;
        widgets::SetMessageHandler([&messages](const widgets::MessageRecord& r) {
            messages << r.text + '|' + r.detail;
            return true;
        });
        const QDir spool(qEnvironmentVariable("VARMI_CUPS_SPOOL"));
        const int sent = widgets::PrintPage::SentCount();
        frmDobor window;
        window.show();
        window.cmdDruk_Click();

        const QString mode = qEnvironmentVariable("VARMI_CUPS_MODE");
        const QString failed = QStringLiteral("Wystąpił błąd drukowania|");
        const QString expected =
            mode == "default"     ? QString::fromUtf8(selection::kPrintSentText) + '|'
            : mode == "nodefault" ? failed + "W systemie nie ustawiono drukarki domyślnej."
            : mode == "reject"
                ? failed + "Drukarka „varmi_test” nie przyjęła zadania: Destination \"varmi_test\" "
                           "is not accepting jobs."
                : failed + "Usługa drukowania systemu (CUPS) nie działa: brak połączenia z "
                           "127.0.0.1.";
        QCOMPARE(messages, QStringList{expected});
        QCOMPARE(widgets::PrintPage::SentCount(), sent + (mode == "default"));
        QStringList documents;
        for (int waited = 0; waited < 100 && documents.isEmpty() && mode == "default"; ++waited) {
            QTest::qWait(100);
            documents = spool.entryList({QStringLiteral("d*-001")}, QDir::Files);
        }
        QTest::qWait(300); // a second job would show by now
        documents = spool.entryList({QStringLiteral("d*-001")}, QDir::Files);
        QCOMPARE(documents.size(), int(mode == "default"));
        if (documents.isEmpty())
            return;
        const testsupport::PdfProbe pdf(spool.filePath(documents[0]));
        QCOMPARE(pdf.PageCount(), 1);
        for (const char* text :
             {"Dobór wymienników", "orv3.55", "najkorzystniejszy wariant", "1.596"})
            QVERIFY2(pdf.Text().contains(QString::fromUtf8(text)), text);
    }
};

QTEST_MAIN(CupsPrintTest)
#include "tst_cupsprint.moc"
