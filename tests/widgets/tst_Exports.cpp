// What the windows save and copy: report pages, chart pictures and table cells, written whole or
// not at all.
#include "core/Catalogue.h"
#include "core/Platform.h"
#include "tests/support/PdfProbe.h"
#include "tests/support/WindowDriver.h"
#include "widgets/ChartExport.h"
#include "widgets/Environment.h"
#include "widgets/PictureBox.h"
#include "widgets/PrintPage.h"
#include "widgets/ReportOutput.h"
#include "widgets/TableExport.h"

#include <QSvgRenderer>
#include <QtTest>
#include <QtWidgets>
#include <cerrno>
#include <sys/mount.h>
#include <unistd.h>

using widgets::PrintPage;

class TstExports : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QStringList messages_;
    QWidget window_;
    widgets::PictureBox* box_ = new widgets::PictureBox(&window_);
    QTableWidget* table_ = new QTableWidget(3, 3, &window_);

    QString file(const QString& name) const { return dir_.filePath(name); }

    static QByteArray Bytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("-");
    }

    // Saves a kind of file (csv, png, svg, pdf, or txt for pathpdf.txt) into `path` as the user
    // would; pathpdf.txt's failure adds its reason to the messages.
    void Save(const QString& kind, const QString& path) {
        const char* actions[] = {widgets::kSaveCsvText, widgets::kSavePngText,
                                 widgets::kSaveSvgText};
        const int action = QStringList{"csv", "png", "svg"}.indexOf(kind);
        std::string reason;
        if (action >= 0)
            testsupport::SaveAs(action ? static_cast<QWidget*>(box_) : table_, actions[action],
                                path);
        else if (kind == QLatin1String("pdf"))
            widgets::OutputPage(nullptr, {path}, [](PrintPage& p) { p.Print("strona"); }, {});
        else if (kod::WritePdfPathFile(QFileInfo(path).path().toStdString(), "/srv/pdf/",
                                       &reason) != kod::PdfPathWrite::Written)
            messages_ << QString::fromStdString(reason);
    }

private slots:
    void initTestCase() {
        widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
            messages_ << (r.detail.isEmpty() ? r.text : r.text + '\n' + r.detail);
            return true;
        });
        widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        PrintPage::RedirectToPdf(file(QStringLiteral("printer.pdf")));
        // 400 × 300 pixels, 0..1000 both ways, y up: a red line at y 100, a grey band x 100..500,
        // a blue line object at x 750 and a hidden green one at x 600.
        box_->setGeometry(0, 0, 400, 300);
        box_->setAccessibleName(QStringLiteral("wykres próbny"));
        box_->Line({100, 100}, {900, 100}, Qt::red, 2);
        box_->FillRect(QRectF(QPointF(100, 100), QPointF(500, 900)), QColor(200, 200, 200));
        box_->MoveLineObject(box_->AddLineObject(Qt::blue, 2), {750, 100}, {750, 900});
        const int green = box_->AddLineObject(Qt::green, 2);
        box_->MoveLineObject(green, {600, 100}, {600, 900});
        box_->SetLineObjectVisible(green, false);
        widgets::AddChartMenu(box_, QStringLiteral("wykres"));
        const char* cells[] = {"typ",          "0.97", "a;b",   "Q",   "1,5",
                               "dwa\nwiersze", "",     "\"x\"", "t\tu"};
        for (int i = 0; i < 9; ++i)
            table_->setItem(i / 3, i % 3, new QTableWidgetItem(QString::fromUtf8(cells[i])));
        table_->setGeometry(0, 300, 400, 200);
        widgets::AddTableExport(table_, QStringLiteral("tabela.csv"));
        window_.show();
        QVERIFY(QTest::qWaitForWindowActive(&window_));
    }
    void init() { messages_.clear(); }

    // Every kind of file over every way a save fails: the former file stays byte for byte, no
    // temporary file is left, and the message names the cause.
    void hostileSaves_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        const char* faults[][2] = {{"none", ""},
                                   {"write", "Brak miejsca na dysku."},
                                   {"flush", "Brak miejsca na dysku."},
                                   {"commit", "Błąd odczytu lub zapisu dysku."},
                                   {"read-only folder", "Brak uprawnień do zapisu w tym folderze."},
                                   {"read-only file", "Plik jest tylko do odczytu."},
                                   {"folder there", "W tym miejscu jest folder o tej nazwie."},
                                   {"full disk", "Brak miejsca na dysku."}};
        for (const char* kind : {"csv", "png", "svg", "pdf", "txt"})
            for (const auto& [fault, reason] : faults)
                QTest::addRow("%s %s", kind, fault) << kind << fault << QString::fromUtf8(reason);
    }
    void hostileSaves() {
        QFETCH(QString, kind);
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        const QTemporaryDir dir(file(QStringLiteral("XXXXXX")));
        const QDir folder(dir.path());
        const QByteArray where = QFile::encodeName(dir.path());
        const bool full = fault == QLatin1String("full disk");
        if (full && ::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("no tmpfs can be mounted here");
        const auto restore = qScopeGuard([&] {
            kod::FailDurableWritesAt(kod::WriteStep::Write, 0);
            QFile::setPermissions(dir.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            if (full)
                ::umount(where.constData());
        });
        const QString path = folder.filePath(kind == "txt" ? "pathpdf.txt" : "plik." + kind);
        QFile old(path);
        QVERIFY(fault == "folder there" ? folder.mkdir(path) : old.open(QIODevice::WriteOnly));
        old.write(old.isOpen() ? "stary" : "");
        old.close();
        QFile filler(folder.filePath("pełny"));
        if (full && filler.open(QIODevice::WriteOnly))
            while (filler.write(QByteArray(4096, 'x')) > 0 && filler.flush()) {
            }
        filler.close();
        const QStringList before = folder.entryList(QDir::NoDotAndDotDot | QDir::AllEntries);

        const int step = QStringList{"write", "flush", "commit"}.indexOf(fault);
        if (step >= 0)
            kod::FailDurableWritesAt(kod::WriteStep(step + 1), step == 2 ? EIO : ENOSPC);
        if (fault == "read-only folder")
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        if (fault == "read-only file")
            QFile::setPermissions(path, QFile::ReadOwner);
        const bool asNobody = fault == "read-only folder" && ::geteuid() == 0; // root writes anyway
        QVERIFY(!asNobody || ::seteuid(65534) == 0);
        Save(kind, path);
        QVERIFY(!asNobody || ::seteuid(0) == 0);
        const QByteArray after = Bytes(path);

        if (reason.isEmpty()) {
            QCOMPARE(messages_, QStringList());
            QVERIFY(after.size() > 10);
            return;
        }
        QCOMPARE(messages_, QStringList{kind == "txt" ? reason
                                                      : QStringLiteral("Nie można zapisać pliku "
                                                                       "„%1”.\n%2")
                                                            .arg(path, reason)});
        QCOMPARE(folder.entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
        QCOMPARE(after, fault == "folder there" ? "-" : "stary");
    }

    // The page goes to the user's file with no printer and no "sent"; to the printer with it.
    void reportPages() {
        PrintPage::SimulateMissingPrinter(true);
        const int sent = PrintPage::SentCount();
        const auto page = [](PrintPage& p) { p.Print(QStringLiteral("Strona próbna")); };
        QVERIFY(widgets::OutputPage(nullptr, {file(QStringLiteral("r.pdf"))}, page, "wysłano"));
        QVERIFY(!widgets::OutputPage(nullptr, {}, page, "wysłano"));
        PrintPage::SimulateMissingPrinter(false);
        QCOMPARE(PrintPage::SentCount(), sent);
        QVERIFY(widgets::OutputPage(nullptr, {}, page, "wysłano"));
        QCOMPARE(PrintPage::SentCount(), sent + 1);
        QCOMPARE(messages_, (QStringList{"Wystąpił błąd drukowania\nW systemie nie ustawiono "
                                         "drukarki domyślnej.",
                                         "wysłano"}));
        for (const char* pdf : {"r.pdf", "printer.pdf"})
            QVERIFY(testsupport::PdfProbe(file(pdf)).Text().contains("Strona próbna"));
    }

    // The print button's Ctrl+Shift+S moves the focus as a click would, asks for a PDF file (the
    // folder chosen last, the name proposed) and hands it over with its suffix.
    void pdfExportAction() {
        auto* print = new QToolButton(&window_);
        print->setFocusPolicy(Qt::StrongFocus);
        print->show();
        QStringList printed;
        widgets::AddPdfExport(print, QStringLiteral("dobor.pdf"),
                              [&](const widgets::PageTarget& t) { printed << t.pdfFile; });
        QList<widgets::SaveRequest> asked;
        widgets::SetSaveFileHandler([&](const widgets::SaveRequest& r) {
            asked << r;
            return file(QStringLiteral("raport"));
        });
        table_->setFocus();
        for (int i = 0; i < 2; ++i)
            QTest::keyClick(&window_, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        widgets::SetSaveFileHandler({});
        QCOMPARE(QApplication::focusWidget(), print);
        QCOMPARE(printed, QStringList(2, file(QStringLiteral("raport.pdf"))));
        QCOMPARE(asked.value(1).caption + asked.value(1).filter + asked.value(1).proposedPath,
                 "Zapisz wydruk jako PDFDokument PDF (*.pdf)" + file(QStringLiteral("dobor.pdf")));
    }

    // PNG at twice the pixel ratio, 800 × 600: x 750 is column 600, y 500 row 300, y 100 row 540.
    // The SVG drawn at 400 × 300: half those.
    void chartPictures() {
        Save(QStringLiteral("png"), file(QStringLiteral("wykres.png")));
        Save(QStringLiteral("svg"), file(QStringLiteral("wykres.svg")));
        const QImage png(file(QStringLiteral("wykres.png")));
        const QByteArray svg = Bytes(file(QStringLiteral("wykres.svg")));
        QImage drawn(400, 300, QImage::Format_RGB32);
        drawn.fill(Qt::white);
        QPainter painter(&drawn);
        QSvgRenderer(svg).render(&painter);
        painter.end();
        QCOMPARE(png.size(), QSize(800, 600));
        const std::tuple<int, int, QColor> pixels[] = {{600, 300, Qt::blue},
                                                       {480, 300, Qt::white},
                                                       {300, 300, QColor(200, 200, 200)},
                                                       {680, 540, Qt::red}};
        for (const auto& [x, y, colour] : pixels)
            QVERIFY(png.pixelColor(x, y) == colour && drawn.pixelColor(x / 2, y / 2) == colour);
        QVERIFY(svg.contains("<title>wykres próbny</title>"));
        testsupport::SaveAs(box_, widgets::kCopyChartText, {});
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(qvariant_cast<QImage>(copied->imageData()).size(), QSize(800, 600));
        QCOMPARE(copied->data(QStringLiteral("image/svg+xml")), svg);
    }

    // A point decimal becomes the locale's; anything else stays as shown.
    void exportedCell_data() {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("comma");
        for (const char* cell :
             {"0.35|0,35", "-0.15|-0,15", " 44.0 | 44,0 ", "+2.5|+2,5", "1,07|1,07",
              "orv2.14|orv2.14", "20.1%|20.1%", "2|2", "1.2.3|1.2.3", "1.|1.", ".5|.5", "---|---"})
            QTest::newRow(cell) << QString(cell).section('|', 0, 0)
                                << QString(cell).section('|', 1, 1);
    }
    void exportedCell() {
        QFETCH(QString, shown);
        QFETCH(QString, comma);
        QCOMPARE(widgets::ExportedCell(shown), comma);
        widgets::SetUserLocale(QLocale::c());
        QCOMPARE(widgets::ExportedCell(shown), shown);
        widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
    }

    // Ctrl+C copies rows 0..1, columns 1..2 without the cell at row 0, column 2; the CSV is the
    // whole table.
    void copyAndCsv() {
        table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
        table_->clearSelection();
        QCOMPARE(widgets::SelectedCellsText(*table_), QString());
        for (auto [r, c] : {std::pair{0, 1}, {1, 1}, {1, 2}})
            table_->selectionModel()->select(table_->model()->index(r, c),
                                             QItemSelectionModel::Select);
        table_->setFocus();
        QTest::keyClick(table_, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), "0,97\t\n1,5\t\"dwa\nwiersze\"\n");
        Save(QStringLiteral("csv"), file(QStringLiteral("tabela.csv")));
        QCOMPARE(
            Bytes(file(QStringLiteral("tabela.csv"))),
            "\xEF\xBB\xBFtyp;0,97;\"a;b\"\r\nQ;1,5;\"dwa\nwiersze\"\r\n;\"\"\"x\"\"\";t\tu\r\n");
    }
};

QTEST_MAIN(TstExports)
#include "tst_Exports.moc"
