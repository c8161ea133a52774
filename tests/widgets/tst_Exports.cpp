// The printed page, and the files and copies of reports, charts and tables.
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

// A4 with 10 mm (28.35 pt) margins: the printable area is 538.58 × 785.20 pt. Liberation Mono
// (for Courier New) advances 1229/2048 em, its line is 2320/2048 em.
constexpr double kMargin = 28.346, kColumn = 10.0 * 1229 / 2048, kLine = 10.0 * 2320 / 2048;

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

    // Saves csv, png, svg, pdf or txt (pathpdf.txt, whose failure gives the reason alone).
    void Save(const QString& kind, const QString& path) {
        const char* actions[] = {widgets::kSaveCsvText, widgets::kSavePngText,
                                 widgets::kSaveSvgText};
        const int action = QStringList{"csv", "png", "svg"}.indexOf(kind);
        std::string reason;
        if (action >= 0)
            testsupport::SaveAs(action ? static_cast<QWidget*>(box_) : table_, actions[action],
                                path);
        else if (kind == "pdf")
            widgets::OutputPage(nullptr, {path}, [](auto& p) { p.Print("strona"); }, {});
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
        // 400 × 300 pixels, 0..1000 both ways, y up: a red line at y 100, a grey band x 100..500,
        // a blue line object at x 750.
        box_->setGeometry(0, 0, 400, 300);
        box_->setAccessibleName(QStringLiteral("wykres próbny"));
        box_->Line({100, 100}, {900, 100}, Qt::red, 2);
        box_->FillRect(QRectF(QPointF(100, 100), QPointF(500, 900)), QColor(200, 200, 200));
        box_->MoveLineObject(box_->AddLineObject(Qt::blue, 2), {750, 100}, {750, 900});
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

    // Every kind over every way a save fails: the old file stays, no temporary file, the cause.
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
        const bool full = fault == "full disk"; // a real one, where a tmpfs can be mounted
        if (full && ::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("no tmpfs here");
        const auto restore = qScopeGuard([&] {
            kod::FailDurableWritesAt(kod::WriteStep::Write, 0);
            QFile::setPermissions(dir.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            if (full)
                ::umount(where.constData());
        });
        const QString path = folder.filePath(kind == "txt" ? "pathpdf.txt" : "plik." + kind);
        QFile old(path), filler(folder.filePath("pełny"));
        QVERIFY(fault == "folder there" ? folder.mkdir(path) : old.open(QIODevice::WriteOnly));
        QVERIFY(!old.isOpen() || (old.write("stary") == 5 && old.flush()));
        while (full && (filler.isOpen() || filler.open(QIODevice::WriteOnly)) &&
               filler.write(QByteArray(4096, 'x')) > 0 && filler.flush()) {
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
        const QString shown = QStringLiteral("Nie można zapisać pliku „%1”.\n").arg(path) + reason;
        const QByteArray after = Bytes(path);
        QCOMPARE(messages_,
                 reason.isEmpty() ? QStringList() : QStringList{kind == "txt" ? reason : shown});
        QCOMPARE(folder.entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
        QVERIFY(reason.isEmpty() ? after.size() > 10
                                 : after == (fault == "folder there" ? "-" : "stary"));
    }

    // PNG at twice the pixel ratio, 800 × 600: x 750 is column 600, x 375 column 300, x 600
    // column 480, y 500 row 300, y 100 row 540. The clipboard gets the same.
    void chartPictures() {
        Save(QStringLiteral("png"), file(QStringLiteral("wykres.png")));
        Save(QStringLiteral("svg"), file(QStringLiteral("wykres.svg")));
        const QImage png(file(QStringLiteral("wykres.png")));
        QCOMPARE(png.size(), QSize(800, 600));
        for (const auto& [x, y, colour] : {std::tuple{600, 300, QColor(Qt::blue)},
                                           {480, 300, QColor(Qt::white)},
                                           {300, 300, QColor(200, 200, 200)},
                                           {680, 540, QColor(Qt::red)}})
            QCOMPARE(png.pixelColor(x, y), colour);
        const QByteArray svg = Bytes(file(QStringLiteral("wykres.svg")));
        QVERIFY(QSvgRenderer(svg).isValid() && svg.contains("<title>wykres próbny</title>"));
        testsupport::SaveAs(box_, widgets::kCopyChartText, file(QStringLiteral("schowek")));
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        QVERIFY(copied->imageData().value<QImage>().size() == png.size() &&
                copied->data(QStringLiteral("image/svg+xml")) == svg);
    }

    // A point decimal becomes the locale's; anything else stays as shown.
    void exportedCell() {
        for (const char* cell : {"0.35|0,35", "-0.15|-0,15", " 44.0 | 44,0 ", "+2.5|+2,5",
                                 "1,07|1,07", "orv2.14|orv2.14", "20.1%|20.1%", "2|2",
                                 "1.2.3|1.2.3", "1.|1.", ".5|.5", "---|---"}) {
            const QStringList pair = QString(cell).split('|');
            QCOMPARE(widgets::ExportedCell(pair[0]), pair[1]);
            widgets::SetUserLocale(QLocale::c());
            QCOMPARE(widgets::ExportedCell(pair[0]), pair[0]);
            widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        }
    }

    // The copied cells: rows 0..1, columns 1..2 without the cell at row 0, column 2. The CSV: the
    // whole table.
    void copyAndCsv() {
        table_->setSelectionMode(QAbstractItemView::MultiSelection);
        for (auto [r, c] : {std::pair{0, 1}, {1, 1}, {1, 2}})
            table_->selectionModel()->select(table_->model()->index(r, c),
                                             QItemSelectionModel::Select);
        QCOMPARE(widgets::SelectedCellsText(*table_), "0,97\t\n1,5\t\"dwa\nwiersze\"\n");
        Save(QStringLiteral("csv"), file(QStringLiteral("tabela.csv")));
        QCOMPARE(
            Bytes(file(QStringLiteral("tabela.csv"))),
            "\xEF\xBB\xBFtyp;0,97;\"a;b\"\r\nQ;1,5;\"dwa\nwiersze\"\r\n;\"\"\"x\"\"\";t\tu\r\n");
    }

    // Courier New at 10 pt: "H" at tab 11 lies 10 columns right; a tab left of the position
    // starts a new line. The first text's top sits the font's ascent (1705/2048 em) less the
    // capital H's height (1349/2048 em) below the top margin. Lines in the 1000 × 1400 scale:
    // x = 28.35 + 0.53858 u and y = 28.35 + 0.56086 (1400 − v); dashes of 4 pt with gaps of 2, two
    // thirds dark; width n is n/96 inch, 2.25 pt for 3, 0.75 for 1.
    void printedPage() {
        widgets::PrintPage::RedirectToPdf(file(QStringLiteral("strona.pdf")));
        widgets::PrintPage page;
        page.SetFontName(QStringLiteral("Courier New"));
        page.Print(QStringLiteral("EEEE"), 1, false); // ends at column 5
        page.Print(QStringLiteral("H"), 11);
        page.Print(QStringLiteral("CCCC"), 1, false);
        page.Print(QStringLiteral("B"), 4); // left of column 5: the next line
        page.SetFontName(QStringLiteral("Times New Roman CE"));
        page.Print(QStringLiteral("X"), 1, false);
        page.Print(QStringLiteral("Z"), 30); // 29 average widths of 821/2048 em: 116.3 pt
        page.SetScale(1000, 1400);
        page.Line({100, 700}, {900, 700}, Qt::black, 1, Qt::SolidLine);
        page.Line({100, 500}, {900, 500}, Qt::black, 1, Qt::DashLine);
        page.Line({100, 100}, {100, 300}, Qt::black, 3);
        page.Line({200, 100}, {200, 300}, Qt::black, 1);
        page.EndDoc();
        const testsupport::PdfProbe pdf(file(QStringLiteral("strona.pdf")));
        const auto a = pdf.Find("EEEE"), h = pdf.Find("H"), c = pdf.Find("CCCC"), b = pdf.Find("B"),
                   x = pdf.Find("X"), z = pdf.Find("Z");
        QVERIFY(a && h && c && b && x && z && qAbs(z->left() - x->left() - 116.3) < 1);
        QVERIFY(qAbs(a->top() - kMargin - 3560.0 / 2048) < 0.5 && qAbs(a->left() - kMargin) < 1);
        QVERIFY(qAbs(h->left() - a->left() - 10 * kColumn) < 1 && qAbs(h->top() - a->top()) < 0.3);
        QVERIFY(qAbs(b->left() - a->left() - 3 * kColumn) < 1 &&
                qAbs(b->top() - c->top() - kLine) < 0.3);
        const testsupport::PageImage image = pdf.Render(0, 300);
        const double x100 = kMargin + 53.86, x200 = kMargin + 107.72, x900 = kMargin + 484.72;
        const auto [solid, runs] = image.Row(kMargin + 392.60, x100 + 1, x900 - 1);
        QVERIFY(solid > 0.99 && runs == 1 &&
                image.Row(kMargin + 392.60, x900 + 2, x900 + 5).second == 0);
        const auto [dashed, dashes] = image.Row(kMargin + 504.77, x100, x900, 0.5);
        QVERIFY2(dashed > 0.45 && dashed < 0.85 && dashes > 50,
                 qPrintable(QString::number(dashed)));
        const double thick = 6 * image.Row(kMargin + 673.03, x100 - 3, x100 + 3, 0).first;
        const double thin = 6 * image.Row(kMargin + 673.03, x200 - 3, x200 + 3, 0).first;
        QVERIFY2(thick > 1.8 && thick < 2.8 && thin > 0.4 && thin < 1.3,
                 qPrintable(QStringLiteral("%1 %2").arg(thick).arg(thin)));
    }
};

QTEST_MAIN(TstExports)
#include "tst_Exports.moc"
