// The product catalogue and the description viewer, hostile files included
// (tests/data/descriptions).
#include "core/Catalogue.h"
#include "descriptions/PageView.h"
#include "descriptions/ProductCatalogue.h"
#include "descriptions/frmPDF.h"
#include "descriptions/sheets/DataSheet.h"
#include "widgets/MessageBox.h"

#include <QProcess>
#include <QtTest>
#include <QtWidgets>
#include <csignal>
#include <sys/resource.h>

namespace {

const QString kData = QStringLiteral(VARMI_TEST_DATA "/descriptions/");

const descriptions::Product& ProductOf(const char* key) {
    for (const descriptions::Product& p : descriptions::Products())
        if (std::string_view(p.key) == key)
            return p;
    qFatal("no product %s", key);
}

QString Missing(const QString& name, const QString& dir) {
    return QString("Dobór wymienników firmy Skarvel: Nie ma pliku <<%1>> w katalogu %2 w menu "
                   "<<Ustawienia>> wybierz właściwy katalog z plikami .pdf")
        .arg(name, dir);
}

} // namespace

class ViewerTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<frmPDF> w_;
    QStringList messages_;

    QString file(const char* name) const { return dir_.filePath(name); }
    const descriptions::RenderedPages& shown() const { return w_->Viewer()->Pages(); }
    // Presses a product's button and waits until the viewer has finished with it.
    bool press(const QString& key) {
        QSignalSpy done(w_.get(), &frmPDF::DescriptionOpened);
        for (QAction* a : w_->Toolbar()->actions())
            if (a->data().toString() == key)
                QTest::mouseClick(w_->Toolbar()->widgetForAction(a), Qt::LeftButton);
        return (done.count() == 1 || done.wait(15000)) && done.first().first().toBool();
    }

private slots:
    void initTestCase() {
        for (const char* key : {"orv", "plytowe", "kotly", "odgazowywacze"})
            QVERIFY(descriptions::WriteDataSheet(ProductOf(key), file(ProductOf(key).file)));
        for (const QString& name : QDir(kData).entryList({"*.pdf"}))
            QVERIFY(QFile::copy(kData + name, dir_.filePath(name)));
        QVERIFY(QDir(dir_.path()).mkdir("spiralne.pdf"));
        widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
            messages_ << r.title + ": " + r.text;
            return true;
        });
    }
    void init() {
        kod::PdfPath = dir_.path().toStdString() + "/";
        kod::TestMode = false;
        messages_.clear();
        w_ = std::make_unique<frmPDF>();
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    }

    void catalogueAndToolbar() {
        QStringList keys, renamed; // files not named "<key>.pdf"
        for (const descriptions::Product& p : descriptions::Products()) {
            keys << p.key;
            QString(p.key) + ".pdf" == p.file ? void() : renamed.append(p.file);
            QVERIFY(descriptions::DescriptionFile(p.key) == p.file && *p.toolTip);
        }
        QVERIFY(keys.size() == 20 && keys.removeDuplicates() == 0);
        QCOMPARE(renamed, QStringList({"Orv.pdf", "Wezly.pdf", "odgaz.pdf"}));
        for (const char* key : {"", "ORV", "orv ", "wyjście"})
            QCOMPARE(descriptions::DescriptionFile(key), std::string());
        QCOMPARE(descriptions::DescriptionPath("a.pdf", true, "/cd/"), "/zelko/varmi/pdf/a.pdf");
        QCOMPARE(descriptions::DescriptionPath("a.pdf", false, "/srv"), "/srva.pdf");
        QCOMPARE(w_->windowTitle(), "Opisy urządzeń produkowanych przez \"Skarvel\"");
        QStringList buttons;
        for (QAction* a : w_->Toolbar()->actions())
            a->isSeparator() || a->icon().isNull() ? void() : buttons.append(a->data().toString());
        QCOMPARE(buttons, keys.mid(0, 19) << "wyjście");
        const QRectF r = w_->Viewer()->geometry();
        const double x = w_->width() / 1024.0, y = w_->height() / 768.0;
        QVERIFY(std::abs(r.left() - 10 * x) <= 1 && std::abs(r.top() - 68 * y) <= 1);
        QVERIFY(std::abs(r.width() - 1000 * x) <= 1 && std::abs(r.height() - 680 * y) <= 1);
    }

    // A file that cannot be shown, hostile ones included, leaves the pages shown before within
    // seconds and memory bounds; the message names it.
    void pressAfterAnother_data() {
        QTest::addColumn<QStringList>("row");
        QFile table(kData + "viewer.tsv");
        QVERIFY(table.open(QIODevice::ReadOnly));
        for (const QString& line : QString(table.readAll()).split('\n', Qt::SkipEmptyParts))
            QTest::newRow(qPrintable(line.section('\t', 0, 0))) << line.split('\t');
    }
    void pressAfterAnother() {
        QFETCH(QStringList, row);
        const bool shows = row[1] != "0";
        QVERIFY(press("kotly"));
        const qint64 before = shown().images[0].cacheKey();
        const QDeadlineTimer deadline(12000);
        QVERIFY(press(row[0]) == shows && !deadline.hasExpired());
        QCOMPARE(messages_,
                 shows ? QStringList() : QStringList{Missing(row[2], dir_.path() + "/")});
        QCOMPARE(int(shown().images.size()), shows ? row[1].toInt() : 1);
        QVERIFY(shows ? shown().text.contains(row[2]) : shown().images[0].cacheKey() == before);
        QCOMPARE(shown().images[0].width(), w_->Viewer()->viewport()->width());
        rusage use{};
        QVERIFY(getrusage(RUSAGE_SELF, &use) == 0 && use.ru_maxrss < 600 * 1024); // KiB
    }
    void sameButtonTestModeUnknownKeysClosing() {
        QVERIFY(press("odgazowywacze"));
        QVERIFY(descriptions::WriteDataSheet(ProductOf("orv"), file("odgaz.pdf")));
        QVERIFY(press("odgazowywacze")); // the file changed meanwhile: loaded again
        QVERIFY(descriptions::WriteDataSheet(ProductOf("odgazowywacze"), file("odgaz.pdf")));
        QCOMPARE(int(shown().images.size()), 2);
        kod::TestMode = true;
        QVERIFY(!press("plytowe")); // present in PdfPath, looked for in the fixed directory only
        kod::TestMode = false;
        // Closing the viewer ends the helper still at work on a looping sheet.
        w_->wywolanie_opisu("naczynia.pdf");
        QProcess* helper = w_->findChildren<QProcess*>().constLast(); // the newest
        QVERIFY(helper->waitForStarted());
        const qint64 pid = helper->processId();
        w_->close();
        QCOMPARE(::kill(pid_t(pid), 0), -1);
        w_->tbOpisy_ButtonClick("nieznany");
        w_->tbOpisy_ButtonClick("izolacje");
        kod::PdfPath = dir_.path().toStdString(); // as held, without its separator
        w_->wywolanie_opisu("Orv.pdf");
        QCOMPARE(messages_, QStringList({Missing("", dir_.path() + "/"),
                                         Missing("izolacje.pdf", dir_.path() + "/"),
                                         Missing("Orv.pdf", dir_.path())}));
        QVERIFY(shown().text.contains("ORV"));
    }
    void sheetOfEveryProduct() {
        QTemporaryDir out;
        kod::PdfPath = out.path().toStdString() + "/";
        for (const descriptions::Product& p : descriptions::Products()) {
            QVERIFY2(descriptions::WriteDataSheet(p, out.filePath(p.file)), p.key);
            w_->wywolanie_opisu(p.file); // the one product without a button too
            QTRY_VERIFY_WITH_TIMEOUT(shown().text.contains("Plik opisu: " + QString(p.file)), 9000);
            QVERIFY(shown().text.contains("Dane techniczne"));
        }
        QVERIFY(!descriptions::WriteDataSheet(ProductOf("orv"), out.filePath("brak/Orv.pdf")));
        QVERIFY(!QFile::exists(out.filePath("brak/Orv.pdf")));
        QCOMPARE(messages_, QStringList());
    }
};

QTEST_MAIN(ViewerTest)
#include "ViewerTest.moc"
