// The selection report printed through a CUPS scheduler of the test's own (with-cups.sh): with a
// default destination it arrives as one page holding the report's text; otherwise the user is told
// the scheduler's reason and nothing is counted as sent. A printer chosen in the print dialog gets
// the job, with no default destination needed, on the chosen paper and with the chosen copies.
#include "core/Catalogue.h"
#include "selection/SelectionPrintout.h"
#include "selection/frmDobor.h"
#include "tests/support/PdfProbe.h"
#include "widgets/Environment.h"
#include "widgets/MessageBox.h"
#include "widgets/PrintPage.h"
#include "widgets/ReportOutput.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <cups/cups.h>

class CupsPrintTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QStringList messages;
    const QDir spool{qEnvironmentVariable("VARMI_CUPS_SPOOL")};
    const QString mode = qEnvironmentVariable("VARMI_CUPS_MODE");

    // The scheduler's value of an integer attribute of the job, 0 when it has none.
    static int JobInteger(int job, const char* attribute) {
        ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        const QByteArray uri = "ipp://localhost/jobs/" + QByteArray::number(job);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.data());
        ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
        const int value = ippGetInteger(ippFindAttribute(response, attribute, IPP_TAG_ZERO), 0);
        ippDelete(response);
        return value;
    }

private slots:
    void initTestCase() {
        QVERIFY(QFile::copy(QStringLiteral(VARMI_CATALOGUE), dir_.filePath("parametr.txt")));
        QVERIFY(kod::WritePdfPathFile(dir_.path().toStdString(), "/tmp/") ==
                kod::PdfPathWrite::Written);
        widgets::SetAppDirectory(dir_.path().toStdString());
        kod::LoadParameters(dir_.path().toStdString());
        widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
            messages << r.text + '|' + r.detail;
            return true;
        });
    }
    void init() { messages.clear(); }

    void selectionReport() {
        const int sent = widgets::PrintPage::SentCount();
        frmDobor window;
        window.show();
        window.cmdDruk_Click();

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

    // "Drukuj na…" with the dialog answered: Cancel prints nothing; a printed page needs no
    // message. A5 is 419.5 × 595.3 pt, Letter 612 × 792 pt.
    void printOn_data() {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("paper");
        QTest::addColumn<QSize>("points");
        QTest::newRow("cancel") << QString() << 0 << 0 << QSize();
        if (mode != "default" && mode != "nodefault")
            return;
        QTest::newRow("A5 twice") << "varmi_test" << 2 << int(QPageSize::A5) << QSize(420, 595);
        QTest::newRow("Letter 3") << "varmi_test" << 3 << int(QPageSize::Letter) << QSize(612, 792);
    }
    void printOn() {
        QFETCH(QString, printer);
        QFETCH(int, copies);
        QFETCH(int, paper);
        QFETCH(QSize, points);
        widgets::SetPrintDialogHandler([&]() -> std::optional<widgets::PageTarget> {
            if (printer.isEmpty())
                return std::nullopt;
            return widgets::PageTarget{
                {}, {printer, copies, QPageSize(QPageSize::PageSizeId(paper)), {}}};
        });
        const QStringList before = spool.entryList({QStringLiteral("d*-001")}, QDir::Files);
        frmDobor window;
        window.show();
        for (QAction* a : window.findChild<QWidget*>("cmdDruk")->actions())
            if (a->text() == QString::fromUtf8(widgets::kPrintOnText))
                a->trigger();
        widgets::SetPrintDialogHandler({});
        QCOMPARE(messages, QStringList());
        QTest::qWait(500); // the scheduler has written the document by now
        QStringList added = spool.entryList({QStringLiteral("d*-001")}, QDir::Files);
        for (const QString& old : before)
            added.removeOne(old);
        QCOMPARE(added.size(), int(!printer.isEmpty()));
        if (added.isEmpty())
            return;
        const int job = added[0].mid(1, added[0].indexOf('-') - 1).toInt();
        QCOMPARE(JobInteger(job, "copies"), copies);
        const QSize page =
            testsupport::PdfProbe(spool.filePath(added[0])).Render(0, 72).image.size();
        QCOMPARE(page, points);
    }
};

QTEST_MAIN(CupsPrintTest)
#include "tst_cupsprint.moc"
