#include "core/Catalogue.h"
#include "descriptions/ProductCatalogue.h"
#include "descriptions/frmPDF.h"
#include "descriptions/sheets/DataSheet.h"
#include "widgets/CompanyLine.h"
#include "widgets/MessageBox.h"

#include <QDir>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPdfView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <memory>

namespace {

const descriptions::Product& ProductOf(const char* key) {
    for (const descriptions::Product& p : descriptions::Products())
        if (std::string_view(p.key) == key)
            return p;
    qFatal("no product %s", key);
}

QString FirstPageText(QPdfDocument* document) {
    return document ? document->getAllText(0).text() : QString();
}

const char* const kDevelopmentDirectory = "/zelko/varmi/pdf/";

} // namespace

class ViewerTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<frmPDF> w_;
    QStringList messages_;

    QString file(const QString& name) const { return dir_.filePath(name); }
    QPdfDocument* shown() const { return w_->Viewer()->document(); }
    QAction* action(const QString& key) const {
        for (QAction* a : w_->Toolbar()->actions())
            if (a->data().toString() == key)
                return a;
        return nullptr;
    }
    // Clicks the toolbar button of a key.
    void press(const char* key) {
        QAction* a = action(QString::fromUtf8(key));
        QVERIFY2(a, key);
        QTest::mouseClick(w_->Toolbar()->widgetForAction(a), Qt::LeftButton);
    }
    // The sheet of `product` written under the name `name` in the test directory.
    void writeSheet(const char* product, const char* name) {
        QVERIFY(descriptions::WriteDataSheet(ProductOf(product), file(QString::fromUtf8(name))));
    }
    static QString missing(const QString& name, const QString& directory) {
        return QStringLiteral("Nie ma pliku <<%1>> w katalogu %2 w menu <<Ustawienia>> wybierz "
                              "właściwy katalog z plikami .pdf")
            .arg(name, directory);
    }

private slots:
    void initTestCase() {
        QVERIFY(!QFile::exists(QString::fromLatin1(kDevelopmentDirectory)));
        writeSheet("orv", "Orv.pdf");
        writeSheet("plytowe", "plytowe.pdf");
        writeSheet("kotly", "kotly.pdf");
        writeSheet("odgazowywacze", "odgaz.pdf");
        // Present but not readable: text, an empty file, a cut one, a directory.
        QFile text(file(QStringLiteral("Wezly.pdf")));
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("to nie jest plik PDF\r\n") > 0);
        text.close();
        QFile empty(file(QStringLiteral("zasobniki.pdf")));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        QFile whole(file(QStringLiteral("kotly.pdf")));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        QFile cut(file(QStringLiteral("lutowane.pdf")));
        QVERIFY(cut.open(QIODevice::WriteOnly) && cut.write(whole.read(whole.size() / 3)) > 0);
        cut.close();
        QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("spiralne.pdf")));
    }
    void init() {
        kod::PdfPath = dir_.path().toStdString() + "/";
        kod::TestMode = false;
        messages_.clear();
        widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
            const bool titled = r.title == QStringLiteral("Dobór wymienników firmy Skarvel");
            messages_ << (titled ? r.text : QStringLiteral("[%1] %2").arg(r.title, r.text));
            return true;
        });
        w_ = std::make_unique<frmPDF>();
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    }
    void cleanup() {
        w_.reset();
        kod::TestMode = false;
    }

    void toolbar() {
        QCOMPARE(w_->windowTitle(),
                 QStringLiteral("Opisy urządzeń produkowanych przez \"Skarvel\""));
        const QList<QAction*> actions = w_->Toolbar()->actions();
        QStringList keys;
        for (QAction* a : actions) {
            if (a->isSeparator())
                continue;
            keys << a->data().toString();
            QVERIFY(!a->icon().isNull());
            QVERIFY(!a->toolTip().isEmpty());
        }
        // Nineteen products, the insulation jackets not among them, and the exit button.
        QCOMPARE(keys.size(), 20);
        QVERIFY(!keys.contains(QStringLiteral("izolacje")));
        QCOMPARE(keys.first(), QStringLiteral("orv"));
        QCOMPARE(keys.last(), QStringLiteral("wyjście"));
        QCOMPARE(action(QStringLiteral("wyjście"))->toolTip(),
                 QStringLiteral("wyjście z wyboru opisu"));
        QCOMPARE(action(QStringLiteral("orv"))->toolTip(),
                 QStringLiteral("wymienniki płaszczowo-rurowe ORV woda - woda"));
    }

    void viewerPlacement() {
        // Left 10, top 68 below the top edge, 1000 × 680 of the window's 1024 × 768.
        const QSize s = w_->size();
        const QRect r = w_->Viewer()->geometry();
        QVERIFY(std::abs(r.left() - 10.0 / 1024 * s.width()) <= 1);
        QVERIFY(std::abs(r.top() - 68.0 / 768 * s.height()) <= 1);
        QVERIFY(std::abs(r.width() - 1000.0 / 1024 * s.width()) <= 1);
        QVERIFY(std::abs(r.height() - 680.0 / 768 * s.height()) <= 1);
    }

    void presentFileLoads_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("title");
        QTest::newRow("capital first letter") << "orv" << 2 << "Wymienniki płaszczowo-rurowe ORV";
        QTest::newRow("named after its key") << "plytowe" << 2 << "Wymienniki płytowe skręcane";
        QTest::newRow("one page") << "kotly" << 1 << "Kotły wodne niskotemperaturowe";
        QTest::newRow("shorter name") << "odgazowywacze" << 1 << "Odgazowywacze termiczne";
    }
    void presentFileLoads() {
        QFETCH(QString, key);
        QFETCH(int, pages);
        QFETCH(QString, title);
        press(key.toUtf8().constData());
        QCOMPARE(messages_, QStringList());
        QVERIFY(shown());
        QCOMPARE(shown()->pageCount(), pages);
        QVERIFY(FirstPageText(shown()).contains(title));
        QVERIFY(FirstPageText(shown()).contains(QString::fromUtf8(widgets::kMakerAddress)));
    }

    void missingFile_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("separator");
        QTest::newRow("no such file") << "naczynia"
                                      << "naczynia.pdf" << true;
        // The directory without its separator: "<dir>Orv.pdf" is looked for, and the message
        // shows the directory as it is held.
        QTest::newRow("directory without separator") << "orv"
                                                     << "Orv.pdf" << false;
    }
    void missingFile() {
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(bool, separator);
        kod::PdfPath = dir_.path().toStdString() + (separator ? "/" : "");
        press(key.toUtf8().constData());
        QCOMPARE(messages_, QStringList{missing(name, QString::fromStdString(kod::PdfPath))});
        QVERIFY(!shown());
    }

    void unreadableFileKeepsTheShownDocument_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::newRow("text") << "wezly"
                              << "Wezly.pdf";
        QTest::newRow("empty") << "zasobniki"
                               << "zasobniki.pdf";
        QTest::newRow("cut short") << "lutowane"
                                   << "lutowane.pdf";
        QTest::newRow("directory") << "spiralne"
                                   << "spiralne.pdf";
    }
    void unreadableFileKeepsTheShownDocument() {
        QFETCH(QString, key);
        QFETCH(QString, name);
        press("orv");
        QPdfDocument* before = shown();
        QVERIFY(before && messages_.isEmpty());
        press(key.toUtf8().constData());
        QCOMPARE(messages_, QStringList{missing(name, dir_.path() + "/")});
        QCOMPARE(shown(), before);
        QCOMPARE(shown()->pageCount(), 2);
        QVERIFY(
            FirstPageText(shown()).contains(QStringLiteral("Wymienniki płaszczowo-rurowe ORV")));
    }

    void testModeIgnoresPdfPath() {
        press("orv");
        QPdfDocument* before = shown();
        kod::TestMode = true;
        // Present in the configured directory, looked for in the development one only.
        press("plytowe");
        QCOMPARE(messages_, QStringList());
        QCOMPARE(shown(), before);
        QCOMPARE(shown()->pageCount(), 2);
        QVERIFY(FirstPageText(shown()).contains(QStringLiteral("ORV")));
        QVERIFY(!w_->wywolanie_opisu("kotly.pdf"));
        QCOMPARE(messages_, QStringList());
    }

    void sameButtonTwiceLoadsAgain() {
        press("kotly");
        QCOMPARE(shown()->pageCount(), 1);
        // The file changes between the two presses: the second shows the new one.
        writeSheet("orv", "kotly.pdf");
        press("kotly");
        QCOMPARE(messages_, QStringList());
        QCOMPARE(shown()->pageCount(), 2);
        QVERIFY(
            FirstPageText(shown()).contains(QStringLiteral("Wymienniki płaszczowo-rurowe ORV")));
        writeSheet("kotly", "kotly.pdf");
    }

    void keyWithoutCatalogueEntry() {
        w_->tbOpisy_ButtonClick(QStringLiteral("nieznany"));
        QCOMPARE(messages_, QStringList{missing(QString(), dir_.path() + "/")});
        QVERIFY(!shown());
        // The product without a button is still known by its key.
        messages_.clear();
        w_->tbOpisy_ButtonClick(QStringLiteral("izolacje"));
        QCOMPARE(messages_,
                 QStringList{missing(QStringLiteral("izolacje.pdf"), dir_.path() + "/")});
    }

    void exitCloses() {
        QSignalSpy finished(w_.get(), &QDialog::finished);
        press("wyjście");
        QCOMPARE(finished.count(), 1);
        QVERIFY(!w_->isVisible());
        QCOMPARE(messages_, QStringList());
        w_->show();
        w_->close(); // the close box
        QCOMPARE(finished.count(), 2);
        w_->show();
        QTest::keyClick(w_.get(), Qt::Key_Escape); // as the exit button
        QCOMPARE(finished.count(), 3);
    }

    void sheetOfEveryProduct() {
        QTemporaryDir out;
        for (const descriptions::Product& p : descriptions::Products()) {
            const QString path = out.filePath(QString::fromUtf8(p.file));
            QVERIFY2(descriptions::WriteDataSheet(p, path), p.key);
            QPdfDocument sheet;
            QCOMPARE(sheet.load(path), QPdfDocument::Error::None);
            QVERIFY(sheet.pageCount() == 1 || sheet.pageCount() == 2);
            const QString text = FirstPageText(&sheet);
            QVERIFY2(text.contains(QStringLiteral("Plik opisu: ") + QString::fromUtf8(p.file)),
                     p.key);
            QVERIFY(text.contains(QStringLiteral("Dane techniczne")));
        }
        // A sheet that cannot be written leaves nothing behind.
        const QString blocked = out.filePath(QStringLiteral("brak/Orv.pdf"));
        QVERIFY(!descriptions::WriteDataSheet(ProductOf("orv"), blocked));
        QVERIFY(!QFile::exists(blocked));
    }
};

QTEST_MAIN(ViewerTest)
#include "ViewerTest.moc"
