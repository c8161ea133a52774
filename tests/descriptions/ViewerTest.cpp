// The product catalogue and the description viewer, hostile files included.
#include "core/Catalogue.h"
#include "descriptions/PageView.h"
#include "descriptions/ProductCatalogue.h"
#include "descriptions/frmPDF.h"
#include "descriptions/sheets/DataSheet.h"
#include "widgets/CompanyLine.h"
#include "widgets/MessageBox.h"

#include <QProcess>
#include <QtTest>
#include <QtWidgets>
#include <csignal>

namespace {

const descriptions::Product& ProductOf(const char* key) {
    for (const descriptions::Product& p : descriptions::Products())
        if (std::string_view(p.key) == key)
            return p;
    qFatal("no product %s", key);
}

QString Missing(const QString& name, const QString& dir) {
    return QString("Dobór wymienników firmy Skarvel: Nie ma pliku <<%1>> w katalogu %2 w menu "
                   "<<Ustawienia>> wybierz właściwy "
                   "katalog z plikami .pdf")
        .arg(name, dir);
}

qint64 PeakMemoryKiB() {
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    const QByteArray text = status.readAll();
    return text.mid(text.indexOf("VmHWM:") + 6).trimmed().split(' ').first().toLongLong();
}

} // namespace

class ViewerTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<frmPDF> w_;
    QStringList messages_;

    QString file(const char* name) const { return dir_.filePath(name); }
    bool write(const char* name, const QByteArray& bytes) const {
        QFile f(file(name));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }
    const descriptions::RenderedPages& shown() const { return w_->Viewer()->Pages(); }
    // Presses a product's button and waits until the viewer has finished with it.
    bool press(const char* key) {
        QSignalSpy done(w_.get(), &frmPDF::DescriptionOpened);
        for (QAction* a : w_->Toolbar()->actions())
            if (a->data().toString() == QString::fromUtf8(key))
                QTest::mouseClick(w_->Toolbar()->widgetForAction(a), Qt::LeftButton);
        return (done.count() == 1 || done.wait(15000)) && done.first().first().toBool();
    }

private slots:
    void initTestCase() {
        for (auto [key, name] : {std::pair{"orv", "Orv.pdf"},
                                 {"plytowe", "plytowe.pdf"},
                                 {"kotly", "kotly.pdf"},
                                 {"odgazowywacze", "odgaz.pdf"}})
            QVERIFY(descriptions::WriteDataSheet(ProductOf(key), file(name)));
        QFile whole(file("kotly.pdf"));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        QVERIFY(write("lutowane.pdf", whole.read(whole.size() / 3)));
        QVERIFY(write("Wezly.pdf", "to nie jest plik PDF\r\n") && write("zasobniki.pdf", ""));
        QVERIFY(QDir(dir_.path()).mkdir("spiralne.pdf"));
        for (auto [data, name] : {std::pair{"looping", "naczynia"}, {"inflating", "sprzegla"}})
            QVERIFY(QFile::copy(QString(VARMI_TEST_DATA "/descriptions/%1.pdf").arg(data),
                                file(name) + QString(".pdf")));
    }
    void init() {
        kod::PdfPath = dir_.path().toStdString() + "/";
        kod::TestMode = false;
        messages_.clear();
        widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
            messages_ << r.title + ": " + r.text;
            return true;
        });
        w_ = std::make_unique<frmPDF>();
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    }

    void catalogue() {
        QStringList keys, renamed; // files not named "<key>.pdf"
        int buttons = 0;
        for (const descriptions::Product& p : descriptions::Products()) {
            keys << p.key;
            if (QString(p.key) + ".pdf" != p.file)
                renamed << p.file;
            buttons += *p.picture != 0;
            QCOMPARE(descriptions::DescriptionFile(p.key), std::string(p.file));
            QVERIFY(*p.toolTip);
        }
        QCOMPARE(keys.size(), 20);
        QCOMPARE(buttons, 19);
        QCOMPARE(keys.removeDuplicates(), 0);
        QCOMPARE(renamed, QStringList({"Orv.pdf", "Wezly.pdf", "odgaz.pdf"}));
        QCOMPARE(descriptions::DescriptionFile("izolacje"), "izolacje.pdf"); // no button
        for (const char* key : {"", "ORV", "orv ", "wyjście"})
            QCOMPARE(descriptions::DescriptionFile(key), std::string());
        QCOMPARE(descriptions::DescriptionPath("odgaz.pdf", true, "/media/cdrom/"),
                 "/zelko/varmi/pdf/odgaz.pdf");
        QCOMPARE(descriptions::DescriptionPath("Orv.pdf", false, "/srv/opisy"),
                 "/srv/opisyOrv.pdf");
    }

    void toolbarAndPlacement() {
        QCOMPARE(w_->windowTitle(), "Opisy urządzeń produkowanych przez \"Skarvel\"");
        QStringList keys;
        for (QAction* a : w_->Toolbar()->actions())
            if (!a->isSeparator() && !a->icon().isNull())
                keys << a->data().toString() + ' ' + a->toolTip();
        QCOMPARE(keys.size(), 20);
        QCOMPARE(keys.first(), "orv wymienniki płaszczowo-rurowe ORV woda - woda");
        QCOMPARE(keys.last(), "wyjście wyjście z wyboru opisu");
        // Left 10, 68 below the top, 1000 × 680 of the window's 1024 × 768.
        const QRectF r = w_->Viewer()->geometry();
        const double sx = w_->width() / 1024.0, sy = w_->height() / 768.0;
        QVERIFY(std::abs(r.left() - 10 * sx) <= 1 && std::abs(r.top() - 68 * sy) <= 1);
        QVERIFY(std::abs(r.width() - 1000 * sx) <= 1 && std::abs(r.height() - 680 * sy) <= 1);
    }

    void opens_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("title");
        QTest::newRow("capital") << "orv" << 2 << "Wymienniki płaszczowo-rurowe ORV";
        QTest::newRow("key.pdf") << "plytowe" << 2 << "Wymienniki płytowe skręcane";
        QTest::newRow("shorter") << "odgazowywacze" << 1 << "Odgazowywacze termiczne";
    }
    void opens() {
        QFETCH(QString, key);
        QFETCH(int, pages);
        QFETCH(QString, title);
        QVERIFY(press(qPrintable(key)));
        QCOMPARE(messages_, QStringList());
        QCOMPARE(int(shown().images.size()), pages);
        QVERIFY(shown().text.contains(title));
        QVERIFY(shown().text.contains(QString::fromUtf8(widgets::kMakerAddress)));
        QCOMPARE(shown().images[0].width(), w_->Viewer()->viewport()->width());
    }

    // A file that cannot be shown leaves the pages shown before; the message names it.
    void unshownFileKeepsThePages_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        for (auto [key, name] : {std::pair{"wezly", "Wezly.pdf"},
                                 {"zasobniki", "zasobniki.pdf"},
                                 {"lutowane", "lutowane.pdf"},
                                 {"spiralne", "spiralne.pdf"},
                                 {"naczynia", "naczynia.pdf"},
                                 {"sprzegla", "sprzegla.pdf"},
                                 {"rozdzielacze", "rozdzielacze.pdf"}})
            QTest::newRow(key) << key << name;
    }
    void unshownFileKeepsThePages() {
        QFETCH(QString, key);
        QFETCH(QString, name);
        QVERIFY(press("kotly"));
        const qint64 before = shown().images[0].cacheKey();
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!press(qPrintable(key)));
        QVERIFY(clock.elapsed() < 12000);
        QCOMPARE(messages_, QStringList{Missing(name, dir_.path() + "/")});
        QCOMPARE(shown().images[0].cacheKey(), before);
        QVERIFY(shown().text.contains("Kotły wodne niskotemperaturowe"));
        QVERIFY(PeakMemoryKiB() < 600 * 1024);
    }

    // Closing the viewer ends the helper still at work on a looping sheet.
    void closingStopsTheHelper() {
        w_->wywolanie_opisu("naczynia.pdf");
        auto* helper = w_->findChild<QProcess*>();
        QVERIFY(helper && helper->waitForStarted());
        const qint64 pid = helper->processId();
        w_->close();
        QCOMPARE(::kill(pid_t(pid), 0), -1);
        QTest::qWait(200);
        QCOMPARE(messages_, QStringList());
    }

    void testModeIgnoresPdfPath() {
        QVERIFY(press("orv"));
        kod::TestMode = true;
        QVERIFY(!press("plytowe")); // present in PdfPath, looked for only in the fixed directory
        QCOMPARE(messages_, QStringList());
        QVERIFY(shown().text.contains("ORV"));
    }

    void sameButtonLoadsAgainAndUnknownKey() {
        QVERIFY(press("odgazowywacze"));
        QVERIFY(descriptions::WriteDataSheet(ProductOf("orv"), file("odgaz.pdf")));
        QVERIFY(press("odgazowywacze"));
        QCOMPARE(int(shown().images.size()), 2);
        QVERIFY(descriptions::WriteDataSheet(ProductOf("odgazowywacze"), file("odgaz.pdf")));
        w_->tbOpisy_ButtonClick("nieznany");
        w_->tbOpisy_ButtonClick("izolacje");
        kod::PdfPath = dir_.path().toStdString(); // as held, without its separator
        QVERIFY(!press("orv"));
        QCOMPARE(messages_, QStringList({Missing("", dir_.path() + "/"),
                                         Missing("izolacje.pdf", dir_.path() + "/"),
                                         Missing("Orv.pdf", dir_.path())}));
    }

    void sheetOfEveryProduct() {
        QTemporaryDir out;
        kod::PdfPath = out.path().toStdString() + "/";
        for (const descriptions::Product& p : descriptions::Products()) {
            QVERIFY2(descriptions::WriteDataSheet(p, out.filePath(p.file)), p.key);
            w_->wywolanie_opisu(p.file);
            QTRY_VERIFY_WITH_TIMEOUT(shown().text.contains(QString("Plik opisu: ") + p.file),
                                     10000);
            QVERIFY(shown().text.contains("Dane techniczne"));
        }
        QVERIFY(!descriptions::WriteDataSheet(ProductOf("orv"), out.filePath("brak/Orv.pdf")));
        QVERIFY(!QFile::exists(out.filePath("brak/Orv.pdf")));
        QCOMPARE(messages_, QStringList());
    }
};

QTEST_MAIN(ViewerTest)
#include "ViewerTest.moc"
