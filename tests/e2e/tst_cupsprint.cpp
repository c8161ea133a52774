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
    void printOn() {
        const bool queue = mode == "default" || mode == "nodefault";
        for (const auto& [printer, copies, paper, points] :
             {std::tuple{"", 0, QPageSize::A4, QSize()},
              {"varmi_test", 2, QPageSize::A5, QSize(420, 595)},
              {"varmi_test", 3, QPageSize::Letter, QSize(612, 792)}}) {
            if (*printer && !queue)
                continue;
            widgets::SetPrintDialogHandler([&]() -> std::optional<widgets::PageTarget> {
                if (!*printer)
                    return std::nullopt;
                return widgets::PageTarget{{}, {printer, copies, QPageSize(paper), {}}};
            });
            const int before = spool.entryList({QStringLiteral("d*-001")}, QDir::Files).size();
            frmDobor window;
            window.show();
            for (QAction* a : window.findChild<QWidget*>("cmdDruk")->actions())
                if (a->text() == QString::fromUtf8(widgets::kPrintOnText))
                    a->trigger();
            QCOMPARE(messages, QStringList());
            QTest::qWait(500); // the scheduler has written the document by now
            const QStringList documents = spool.entryList({QStringLiteral("d*-001")}, QDir::Files);
            QCOMPARE(documents.size(), before + bool(*printer));
            if (!*printer)
                continue;
            ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES); // d<job>-001, the newest
            const QByteArray uri = "ipp://localhost/jobs/" + documents.last().mid(1, 5).toLatin1();
            ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.data());
            ipp_t* job = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
            QCOMPARE(ippGetInteger(ippFindAttribute(job, "copies", IPP_TAG_ZERO), 0), copies);
            ippDelete(job);
            const testsupport::PdfProbe pdf(spool.filePath(documents.last()));
            QCOMPARE(pdf.Render(0, 72).image.size(), points);
        }
        widgets::SetPrintDialogHandler({});
    }
};

QTEST_MAIN(CupsPrintTest)
#include "tst_cupsprint.moc"
