// What the windows export: a report page into the user's PDF file, the chart pictures, the table
// cells; the chosen file, the tab order by rows, the focus ring and the icons at any pixel ratio.
#include "tests/support/PdfProbe.h"
#include "widgets/ChartExport.h"
#include "widgets/Environment.h"
#include "widgets/FocusRing.h"
#include "widgets/LogicalLayout.h"
#include "widgets/MessageBox.h"
#include "widgets/PictureBox.h"
#include "widgets/PrintPage.h"
#include "widgets/ProgramIcon.h"
#include "widgets/ReportOutput.h"
#include "widgets/SaveFile.h"
#include "widgets/TableExport.h"

#include <QAction>
#include <QClipboard>
#include <QMimeData>
#include <QSvgRenderer>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>
#include <QtWidgets>
#include <stdexcept>

using testsupport::PdfProbe;
using widgets::PictureBox;
using widgets::PrintPage;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The elements of an SVG document by name, each as its attributes plus its text as "#text".
using Element = QHash<QString, QString>;
QList<Element> SvgElements(const QByteArray& svg, const QString& name) {
    QList<Element> found;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != name)
            continue;
        Element e;
        for (const QXmlStreamAttribute& a : xml.attributes())
            e.insert(a.name().toString(), a.value().toString());
        e.insert(QStringLiteral("#text"),
                 xml.readElementText(QXmlStreamReader::IncludeChildElements));
        found << e;
    }
    return found;
}

// The lines of an SVG written by QSvgGenerator, which puts the pen on the enclosing group:
// "stroke width: points".
QStringList SvgLines(const QByteArray& svg) {
    QStringList lines;
    QList<QXmlStreamAttributes> groups;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QStringLiteral("g"))
            groups.removeLast();
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QStringLiteral("g"))
            groups << xml.attributes();
        else if (xml.name() == QStringLiteral("polyline") && !groups.isEmpty())
            lines << QStringLiteral("%1 %2: %3")
                         .arg(groups.last().value(QStringLiteral("stroke")),
                              groups.last().value(QStringLiteral("stroke-width")),
                              xml.attributes().value(QStringLiteral("points")).trimmed());
    }
    return lines;
}

QAction* ActionOf(const QWidget* w, const char* text) {
    for (QAction* a : w->actions())
        if (a->text() == QString::fromUtf8(text))
            return a;
    return nullptr;
}

} // namespace

class TstExports : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QStringList messages_; // "text | detail"
    QList<widgets::SaveRequest> asked_;
    QString answer_; // the path the save dialog returns; empty: Cancel

    QString file(const QString& name) const { return dir_.filePath(name); }

private slots:
    void init() {
        messages_.clear();
        asked_.clear();
        answer_.clear();
        widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
            messages_ << (r.detail.isEmpty() ? r.text : r.text + QStringLiteral(" | ") + r.detail);
            return true;
        });
        widgets::SetSaveFileHandler([this](const widgets::SaveRequest& r) {
            asked_ << r;
            return answer_;
        });
        widgets::SetUserLocale(QLocale::c());
        PrintPage::RedirectToPdf(file(QStringLiteral("printer.pdf")));
        QFile::remove(file(QStringLiteral("printer.pdf")));
    }
    void cleanup() {
        PrintPage::SimulateMissingPrinter(false);
        widgets::SetMessageHandler({});
        widgets::SetSaveFileHandler({});
    }

    // ---- Report pages ----

    // The user's file needs no printer, leaves the printer's redirection alone and is no sent
    // document.
    void pageForTheUsersFile() {
        PrintPage::SimulateMissingPrinter(true);
        const int sent = PrintPage::SentCount();
        const QString pdf = file(QStringLiteral("raport.pdf"));
        QVERIFY(widgets::OutputPage(
            nullptr, {pdf}, [](PrintPage& page) { page.Print(QStringLiteral("Strona próbna")); },
            QStringLiteral("wysłano")));
        QCOMPARE(messages_, QStringList()); // no "sent to the printer" for a file
        QCOMPARE(PdfProbe(pdf).PageCount(), 1);
        QVERIFY(PdfProbe(pdf).Text().contains(QStringLiteral("Strona próbna")));
        QVERIFY(!QFile::exists(file(QStringLiteral("printer.pdf"))));
        QCOMPARE(PrintPage::SentCount(), sent);
    }

    void pageForThePrinterIsConfirmed() {
        QVERIFY(widgets::OutputPage(
            nullptr, {}, [](PrintPage& page) { page.Print(QStringLiteral("druk")); },
            QStringLiteral("wysłano")));
        QCOMPARE(messages_, QStringList{QStringLiteral("wysłano")});
        QVERIFY(PdfProbe(file(QStringLiteral("printer.pdf"))).Text().contains("druk"));
    }

    // A page that fails leaves the former file whole and names it; the printer's failure is the
    // printing error.
    void failedPageLeavesTheFile_data() {
        QTest::addColumn<bool>("toFile");
        QTest::addColumn<bool>("missingFolder");
        QTest::addColumn<QString>("message");
        QTest::newRow("drawing throws, file")
            << true << false << QStringLiteral("Nie można zapisać pliku „%1”. | zła strona");
        QTest::newRow("no such folder")
            << true << true
            << QStringLiteral("Nie można zapisać pliku „%1”. | Nie można utworzyć pliku PDF");
        QTest::newRow("drawing throws, printer")
            << false << false << QStringLiteral("Wystąpił błąd drukowania | zła strona");
    }
    void failedPageLeavesTheFile() {
        QFETCH(bool, toFile);
        QFETCH(bool, missingFolder);
        QFETCH(QString, message);
        const QString pdf =
            file(missingFolder ? QStringLiteral("brak/raport.pdf") : QStringLiteral("raport.pdf"));
        if (!missingFolder)
            WriteFile(pdf, "poprzedni");
        const bool ok = widgets::OutputPage(
            nullptr, {toFile ? pdf : QString()},
            [&](PrintPage& page) {
                page.Print(QStringLiteral("pół strony"));
                if (!missingFolder)
                    throw widgets::PrintError("zła strona");
            },
            QStringLiteral("wysłano"));
        QVERIFY(!ok);
        QCOMPARE(messages_,
                 QStringList{toFile ? message.arg(QDir::toNativeSeparators(pdf)) : message});
        QCOMPARE(ReadAll(pdf), missingFolder ? QByteArray("<unreadable>") : "poprzedni");
        QVERIFY(!QFile::exists(file(QStringLiteral("printer.pdf"))));
    }

    // The print button's context menu and Ctrl+Shift+S ask for the file and hand it over; the
    // folder chosen is proposed next time; Cancel does nothing.
    void pdfExportAction() {
        QDialog window;
        auto* other = new QLineEdit(&window);
        auto* print = new QToolButton(&window);
        print->setFocusPolicy(Qt::StrongFocus);
        QStringList printed;
        widgets::AddPdfExport(print, QStringLiteral("dobor.pdf"),
                              [&](const widgets::PageTarget& t) { printed << t.pdfFile; });
        QCOMPARE(print->contextMenuPolicy(), Qt::ActionsContextMenu);
        QVERIFY(ActionOf(print, widgets::kSavePdfText));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();

        QDir(dir_.path()).mkdir(QStringLiteral("wydruki"));
        answer_ = file(QStringLiteral("wydruki/raport")); // typed without a suffix
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(printed, QStringList{file(QStringLiteral("wydruki/raport.pdf"))});
        QCOMPARE(QApplication::focusWidget(), print); // as a click would have moved it
        QCOMPARE(asked_.size(), 1);
        QCOMPARE(asked_[0].caption, QStringLiteral("Zapisz wydruk jako PDF"));
        QCOMPARE(asked_[0].filter, QStringLiteral("Dokument PDF (*.pdf)"));
        QCOMPARE(QFileInfo(asked_[0].proposedPath).fileName(), QStringLiteral("dobor.pdf"));

        answer_.clear();
        ActionOf(print, widgets::kSavePdfText)->trigger();
        QCOMPARE(printed.size(), 1);
        QCOMPARE(asked_[1].proposedPath, file(QStringLiteral("wydruki/dobor.pdf")));
    }

    // A file is replaced whole or left as it was.
    void savedWhole_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("written") << "plik.csv" << true << QByteArray("nowy");
        QTest::newRow("content failed") << "plik.csv" << false << QByteArray("stary");
        QTest::newRow("no such folder") << "brak/plik.csv" << true << QByteArray("<unreadable>");
    }
    void savedWhole() {
        QFETCH(QString, name);
        QFETCH(bool, written);
        QFETCH(QByteArray, after);
        const QString path = file(name);
        WriteFile(file(QStringLiteral("plik.csv")), "stary");
        bool thrown = false;
        try {
            widgets::SaveWhole(path, [written](QIODevice& f) {
                f.write("no"); // half written when it fails
                return written && f.write("wy") == 2;
            });
        } catch (const widgets::SaveError&) {
            thrown = true;
        }
        QCOMPARE(thrown, after != "nowy");
        QCOMPARE(ReadAll(path), after);
    }

    // The file dialog's own history stays out of the user's configuration.
    void dialogHistoryForTheSession() {
        widgets::KeepDialogHistoryForTheSession();
        QSettings qt(QSettings::UserScope, QStringLiteral("QtProject"));
        const QString folder = QFileInfo(qt.fileName()).absolutePath();
        QVERIFY2(folder.startsWith(QDir::tempPath()), qPrintable(qt.fileName()));
        QVERIFY(!folder.startsWith(
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)));
    }

    // ---- Chart pictures ----

    // A red line, a grey band (x 100..500), a text, a blue line object at x 750 and a hidden
    // green one at x 600, on a box of 400 × 300 pixels (user scale 0..1000 both ways, y up).
    void chartPictures() {
        QWidget window;
        auto* box = new PictureBox(&window);
        box->setAccessibleName(QStringLiteral("wykres próbny"));
        box->setGeometry(0, 0, 400, 300);
        box->Line({100, 100}, {900, 100}, Qt::red, 2);
        box->FillRect(QRectF(QPointF(100, 100), QPointF(500, 900)), QColor(200, 200, 200));
        box->Text({100, 950}, QStringLiteral("Opór przepływu Dp [kPa]"), 10, Qt::black);
        const int blue = box->AddLineObject(Qt::blue, 2);
        box->MoveLineObject(blue, {750, 100}, {750, 900});
        const int green = box->AddLineObject(Qt::green, 2);
        box->MoveLineObject(green, {600, 100}, {600, 900});
        box->SetLineObjectVisible(green, false);
        widgets::AddChartMenu(box, QStringLiteral("wykres"));
        QCOMPARE(box->focusPolicy(), Qt::TabFocus);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // PNG at twice the pixel ratio: 800 × 600. The line object at x 750 is pixel 600 of 800,
        // two pixels wide on the screen, four here; y 500 is row 300.
        answer_ = file(QStringLiteral("wykres.png"));
        ActionOf(box, widgets::kSavePngText)->trigger();
        QCOMPARE(asked_.value(0).caption, QStringLiteral("Zapisz wykres jako PNG"));
        QCOMPARE(QFileInfo(asked_.value(0).proposedPath).fileName(), QStringLiteral("wykres.png"));
        const QImage png(answer_);
        QCOMPARE(png.size(), QSize(800, 600));
        QCOMPARE(png.pixelColor(600, 300), QColor(Qt::blue));
        QCOMPARE(png.pixelColor(480, 300), QColor(Qt::white));     // the hidden line object
        QCOMPARE(png.pixelColor(300, 300), QColor(200, 200, 200)); // the band, x 375
        QCOMPARE(png.pixelColor(400, 540), QColor(Qt::red));       // y 100 is row 540

        // SVG: the text, the band and both visible lines, nothing of the hidden one.
        answer_ = file(QStringLiteral("wykres.svg"));
        ActionOf(box, widgets::kSaveSvgText)->trigger();
        const QByteArray svg = ReadAll(answer_);
        QVERIFY(QSvgRenderer(svg).isValid());
        QCOMPARE(SvgElements(svg, QStringLiteral("title")).value(0).value("#text"),
                 QStringLiteral("wykres próbny"));
        QStringList texts;
        for (const Element& e : SvgElements(svg, QStringLiteral("text")))
            texts << e.value(QStringLiteral("#text")).trimmed();
        QCOMPARE(texts, QStringList{QStringLiteral("Opór przepływu Dp [kPa]")});
        // x 100, 750, 900 are pixels 40, 300, 360; y 100 and 900 are rows 270 and 30.
        QCOMPARE(SvgLines(svg), (QStringList{QStringLiteral("#ff0000 2: 40,270 360,270"),
                                             QStringLiteral("#0000ff 2: 300,270 300,30")}));
        QVERIFY(svg.contains("#c8c8c8")); // the band's fill

        // The clipboard gets both.
        ActionOf(box, widgets::kCopyChartText)->trigger();
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        QVERIFY(copied && copied->hasImage());
        QCOMPARE(qvariant_cast<QImage>(copied->imageData()).size(), QSize(800, 600));
        QVERIFY(copied->data(QStringLiteral("image/svg+xml")).contains("wykres próbny"));
        QCOMPARE(messages_, QStringList());
    }

    void chartToAnUnwritablePlace() {
        QWidget window;
        auto* box = new PictureBox(&window);
        box->resize(100, 100);
        widgets::AddChartMenu(box, QStringLiteral("wykres"));
        answer_ = file(QStringLiteral("brak/wykres.svg"));
        ActionOf(box, widgets::kSaveSvgText)->trigger();
        QCOMPARE(messages_.size(), 1);
        QVERIFY2(messages_[0].startsWith(QStringLiteral("Nie można zapisać pliku „%1”. | ")
                                             .arg(QDir::toNativeSeparators(answer_))),
                 qPrintable(messages_[0]));
        QVERIFY(!QFile::exists(answer_));
    }

    // ---- Tables ----

    void exportedCell_data() {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("comma");
        QTest::newRow("catalogue number") << "0.35"
                                          << "0,35";
        QTest::newRow("negative") << "-0.15"
                                  << "-0,15";
        QTest::newRow("with blanks") << " 44.0 "
                                     << " 44,0 ";
        QTest::newRow("already localised") << "1,07"
                                           << "1,07";
        QTest::newRow("model name") << "orv2.14"
                                    << "orv2.14";
        QTest::newRow("percent") << "20.1%"
                                 << "20.1%";
        QTest::newRow("whole number") << "2"
                                      << "2";
        QTest::newRow("two points") << "1.2.3"
                                    << "1.2.3";
        QTest::newRow("dashes") << "---"
                                << "---";
    }
    void exportedCell() {
        QFETCH(QString, shown);
        QFETCH(QString, comma);
        widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        QCOMPARE(widgets::ExportedCell(shown), comma);
        widgets::SetUserLocale(QLocale::c());
        QCOMPARE(widgets::ExportedCell(shown), shown);
    }

    // A 3 × 3 table; the selection is the block of rows 0..1 and columns 1..2 without the cell at
    // row 0, column 2.
    void copyAndCsv() {
        widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        QTableWidget table(3, 3);
        const char* cells[3][3] = {
            {"typ", "0.97", "a;b"}, {"Q", "1,5", "dwa\nwiersze"}, {"", "cytat \"x\"", "tab\there"}};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                table.setItem(r, c, new QTableWidgetItem(QString::fromUtf8(cells[r][c])));
        table.setSelectionMode(QAbstractItemView::ExtendedSelection);
        widgets::AddTableExport(&table, QStringLiteral("tabela.csv"));
        QVERIFY(ActionOf(&table, widgets::kCopyCellsText) &&
                ActionOf(&table, widgets::kSaveCsvText));
        QCOMPARE(table.contextMenuPolicy(), Qt::ActionsContextMenu);
        table.show();
        QVERIFY(QTest::qWaitForWindowActive(&table));

        QCOMPARE(widgets::SelectedCellsText(table), QString());
        auto* selection = table.selectionModel();
        for (auto [r, c] : {std::pair{0, 1}, {1, 1}, {1, 2}})
            selection->select(table.model()->index(r, c), QItemSelectionModel::Select);
        // Rows end in a line feed; the cell with a line break is quoted.
        const QString tsv = QStringLiteral("0,97\t\n1,5\t\"dwa\nwiersze\"\n");
        QCOMPARE(widgets::SelectedCellsText(table), tsv);
        QGuiApplication::clipboard()->clear();
        table.setFocus();
        QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), tsv);

        // The whole table, BOM first, CR LF, quoted where a cell holds ';', '"' or a line break.
        answer_ = file(QStringLiteral("tabela.csv"));
        ActionOf(&table, widgets::kSaveCsvText)->trigger();
        QCOMPARE(asked_.value(0).filter, QStringLiteral("Plik CSV (*.csv)"));
        QCOMPARE(ReadAll(answer_), QByteArray("\xEF\xBB\xBF"
                                              "typ;0,97;\"a;b\"\r\n"
                                              "Q;1,5;\"dwa\nwiersze\"\r\n"
                                              ";\"cytat \"\"x\"\"\";tab\there\r\n"));
        QCOMPARE(messages_, QStringList());
    }

    // ---- Tab order, focus ring, icons ----

    // Controls placed in a 1000 × 1000 logical area with y up; the upper edges from the top:
    // c 100, a 300 (left 10), b 300 (left 500), the label 400 (no focus), d 700; "chart" last.
    void tabOrderByRows() {
        QWidget window;
        window.resize(500, 500);
        widgets::LogicalLayout layout(&window, 1000, 1000, true);
        auto add = [&](const char* name, double left, double top) {
            auto* e = new QLineEdit(&window);
            e->setObjectName(QString::fromLatin1(name));
            layout.Place(e, left, top, 100, 50);
            return e;
        };
        QWidget* chart = add("chart", 0, 990);
        add("d", 10, 300);
        add("b", 500, 700);
        add("a", 10, 700);
        add("c", 10, 900);
        layout.Place(new QLabel(QStringLiteral("opis"), &window), 10, 600, 100, 50);
        layout.OrderTabsByRows(chart);
        QStringList order;
        QWidget* w = window.findChild<QWidget*>(QStringLiteral("c"));
        for (int i = 0; i < 5; ++i, w = w->nextInFocusChain()) {
            while (!(w->focusPolicy() & Qt::TabFocus))
                w = w->nextInFocusChain();
            order << w->objectName();
        }
        QCOMPARE(order.join(' '), QStringLiteral("c a b d chart"));
    }

    void focusRing() {
        widgets::ShowFocusAlways(*qApp);
        QDialog window;
        auto* a = new QLineEdit(&window);
        auto* b = new QToolButton(&window);
        b->setFocusPolicy(Qt::TabFocus);
        a->setGeometry(10, 10, 100, 30);
        b->setGeometry(10, 60, 40, 40);
        window.resize(200, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        a->setFocus();
        QWidget* ring = widgets::FocusRingOf(a);
        QVERIFY(ring);
        QCOMPARE(ring->geometry(), QRect(8, 8, 104, 34));
        QTest::keyClick(a, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), b);
        QVERIFY(!widgets::FocusRingOf(a));
        QCOMPARE(widgets::FocusRingOf(b)->geometry(), QRect(8, 58, 44, 44));
        b->move(100, 100); // it follows the control
        QCOMPARE(widgets::FocusRingOf(b)->geometry(), QRect(98, 98, 44, 44));
        QVERIFY(widgets::FocusRingOf(b)->testAttribute(Qt::WA_TransparentForMouseEvents));
    }

    // Icons are drawn from their SVG at the size and pixel ratio asked, not scaled from a bitmap.
    void iconsAtAnyPixelRatio_data() {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<int>("pixels");
        QTest::newRow("1") << 1.0 << 32;
        QTest::newRow("1.25") << 1.25 << 40;
        QTest::newRow("2") << 2.0 << 64;
    }
    void iconsAtAnyPixelRatio() {
        QFETCH(double, ratio);
        QFETCH(int, pixels);
        const QPixmap pixmap =
            widgets::ProgramIcon(QStringLiteral("print")).pixmap(QSize(32, 32), ratio);
        QCOMPARE(pixmap.size(), QSize(pixels, pixels));
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        QImage direct(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
        direct.fill(Qt::transparent);
        direct.setDevicePixelRatio(ratio);
        {
            QPainter painter(&direct);
            QSvgRenderer(QStringLiteral(":/icons/print.svg"))
                .render(&painter, QRectF(0, 0, pixels / ratio, pixels / ratio));
        }
        QCOMPARE(pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), direct);
    }
};

QTEST_MAIN(TstExports)
#include "tst_Exports.moc"
