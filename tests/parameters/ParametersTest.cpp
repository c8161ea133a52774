#include "core/Catalogue.h"
#include "parameters/ParameterPrintout.h"
#include "parameters/frmParametry.h"
#include "tests/support/PdfProbe.h"
#include "tests/support/WindowDriver.h"
#include "widgets/CompanyLine.h"
#include "widgets/Environment.h"
#include "widgets/LogicalLayout.h"
#include "widgets/MessageBox.h"
#include "widgets/PrintPage.h"
#include "widgets/ReportOutput.h"
#include "widgets/SaveFile.h"
#include "widgets/TableExport.h"

#include <QAction>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <memory>

namespace {

// A catalogue of our own: every printed cell tells its row and column, and some carry blanks,
// values of 10, 11, 12 and more characters, an empty cell and a decimal comma.
const kod::ParamTableType kTable = {{
    {"Lp.", "  Parametr  /  typ ", "orv2.14", "orv1.22", "orv2.40", "orv3.55"},
    {"1", "Badania:", "R1c2", "0123456789", "", "ABCDEFGHIJKLMNO"},
    {"2a", "R2c1", "R2c2", "R2c3", "R2c4", "R2c5"},
    {"2", "C-korelacji", "abcdefghijkl", "R3c3", "R3c4", "R3c5"},
    {"", "R4c1", "R4c2", "R4c3", "R4c4", "R4c5"},
    {"", "R5c1", "R5c2", "R5c3", "R5c4", "R5c5"},
    {"", "R6c1", "R6c2", "R6c3", "R6c4", "R6c5"},
    {"", "R7c1", "R7c2", "R7c3", "R7c4", "R7c5"},
    {"", "R8c1", "R8c2", "R8c3", "R8c4", "R8c5"},
    {"3", "R9c1", "R9c2", "XYZmnopqrstuvwx", "R9c4", "R9c5"},
    {"", "R10c1", "R10c2", "R10c3", "R10c4", "R10c5"},
    {"", "R11c1", "R11c2", "R11c3", "R11c4", "R11c5"},
    {"4", "R12c1", "R12c2", "R12c3", "R12c4", "R12c5"},
    {"", "R13c1", "R13c2", "R13c3", "R13c4", "R13c5"},
    {"", "R14c1", "R14c2", "R14c3", "R14c4", "R14c5"},
    {"5", " F [m2] ", "1.40", "0,25", "R15c4", " R15c5"},
}};

// Where a printed text starts: its line, counted from the table's heading line "lp" (0), and its
// character column (1-based). An item "   v" at tab n shows v at column n + 3 when v has up to
// nine characters, n + 2, n + 1, n for 10, 11, 12, and its last 12 characters at n when longer.
// Lines: 0 heading, 1 rule, 2 and 3 research unit, 4 rule, 5 block 3 heading, 6 empty, 7 to 12
// rows 3 to 8, 13 rule, 14 block 4, 15 empty, 16 to 18 rows 9 to 11, 19 rule, 20 block 5,
// 21 empty, 22 to 24 rows 12 to 14, 25 and 26 rules, 27 block 6, 28 empty, 29 row 15, 30 rule,
// 31 empty, 32 and 33 footnote.
struct Placed {
    const char* text;
    int line, column;
};
const Placed kPlaced[] = {
    {"orv2.14", 0, 29}, // tab 26
    {"orv1.22", 0, 42},
    {"orv2.40", 0, 55},
    {"orv3.55", 0, 68},
    {"Jednostka badawcza", 2, 7},
    {"R1c2", 2, 29},
    {"0123456789", 2, 41},   // 10 characters: two blanks kept
    {"DEFGHIJKLMNO", 2, 65}, // 15 characters: the last 12
    {"2a", 3, 4},            // the second line: row 2 from column 0 on
    {"R2c1", 3, 16},
    {"R2c2", 3, 29},
    {"R2c5", 3, 68},
    {"Wartości obliczeniowe dla współczynnika", 5, 10},
    {"C-korelacji", 7, 14},  // 11 characters: one blank kept
    {"abcdefghijkl", 7, 26}, // 12 characters: no blank
    {"R3c5", 7, 68},
    {"R8c1", 12, 16},
    {"w rurkach", 14, 58},
    {"R9c2", 16, 29},
    {"mnopqrstuvwx", 16, 39}, // "XYZmnopqrstuvwx" cut
    {"R11c5", 18, 68},
    {"w płaszczach", 20, 58},
    {"R14c5", 24, 68},
    {"Powierzchnia wymiany", 27, 10},
    {"F [m2]", 29, 17}, // " F [m2] " keeps its blanks: four before it
    {"1.40", 29, 29},   // as written, no number formatting
    {"0,25", 29, 42},
    {"R15c5", 29, 69},
    {"dla wymiennika ORV 1.22", 32, 4}, // tab 3 and a leading blank
    {"C1' = C1", 33, 10},
};

const QString kRule(110, QLatin1Char('-'));

} // namespace

class ParametersTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<frmParametry> w_;
    QStringList messages_;

    QString pdfPath() const { return dir_.filePath(QStringLiteral("page.pdf")); }
    void click(const char* name) {
        QTest::mouseClick(w_->findChild<QToolButton*>(name), Qt::LeftButton);
    }
    std::unique_ptr<testsupport::PdfProbe> printed() {
        click("cmdDruk");
        return std::make_unique<testsupport::PdfProbe>(pdfPath());
    }

    // Column 1 starts at the 10 mm margin; Liberation Mono (for Courier) advances 1229/2048 em a
    // glyph and takes (1705 + 615)/2048 em a line. Line 0 is the line of the heading's "lp".
    static constexpr double kMargin = 28.346, kColumn = 10.0 * 1229 / 2048,
                            kLine = 10.0 * 2320 / 2048;
    static double Column(const QRectF& box) { return (box.left() - kMargin) / kColumn + 1; }
    static double Line(const testsupport::PdfProbe& pdf, const QRectF& box) {
        const auto lp = pdf.Find(QStringLiteral("lp"));
        return lp ? (box.center().y() - lp->center().y()) / kLine : -1000;
    }

private slots:
    void initTestCase() {
        widgets::SetAppDirectory(dir_.path().toStdString());
        widgets::PrintPage::RedirectToPdf(pdfPath());
    }
    void init() {
        kod::SetCatalogue(kTable, kod::ParamSeries);
        messages_.clear();
        widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
            const bool titled = r.title == QStringLiteral("Dobór wymienników firmy Skarvel");
            messages_ << (titled ? r.text : QStringLiteral("[%1] %2").arg(r.title, r.text));
            return true;
        });
        QFile::remove(pdfPath());
        w_ = std::make_unique<frmParametry>();
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    }
    void cleanup() {
        widgets::PrintPage::SimulateMissingPrinter(false);
        w_.reset();
    }

    void gridShowsTheCatalogueAsWritten() {
        const QTableWidget* g = w_->Grid();
        QCOMPARE(g->rowCount(), 16);
        QCOMPARE(g->columnCount(), 6);
        for (int r = 0; r < 16; ++r)
            for (int c = 0; c < 6; ++c)
                QCOMPARE(g->item(r, c)->text(), QString::fromUtf8(kTable[r][c].c_str()));
        // The blanks are the catalogue's own.
        QCOMPARE(g->item(0, 1)->text(), QStringLiteral("  Parametr  /  typ "));
        QCOMPARE(g->item(15, 5)->text(), QStringLiteral(" R15c5"));
        QCOMPARE(g->item(1, 4)->text(), QString());
    }

    void gridFormat_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<bool>("centred");
        QTest::newRow("model name") << 0 << 2 << true << true;
        QTest::newRow("research unit, first line") << 1 << 5 << true << true;
        QTest::newRow("research unit, second line") << 2 << 3 << true << true;
        QTest::newRow("caption of the second line") << 2 << 1 << true << false;
        QTest::newRow("item column") << 9 << 0 << true << false;
        QTest::newRow("label column") << 3 << 1 << false << false;
        QTest::newRow("first value") << 3 << 2 << false << false;
        QTest::newRow("last value") << 15 << 5 << false << false;
    }
    void gridFormat() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(bool, fixed);
        QFETCH(bool, centred);
        const QTableWidgetItem* item = w_->Grid()->item(row, column);
        QCOMPARE(bool(item->flags() & Qt::ItemIsSelectable), !fixed);
        QCOMPARE(item->background().color(),
                 QGuiApplication::palette().color(fixed ? QPalette::Button : QPalette::Base));
        QCOMPARE(item->textAlignment() & Qt::AlignHorizontal_Mask,
                 int(centred ? Qt::AlignHCenter : Qt::AlignLeft));
    }

    void columnWidthsInTwips() {
        // 500 and 1520 twips at 1440 twips an inch.
        const double dpi = w_->Grid()->logicalDpiX();
        QCOMPARE(w_->Grid()->columnWidth(0), int(std::lround(500 * dpi / 1440)));
        for (int c = 1; c < 6; ++c)
            QCOMPARE(w_->Grid()->columnWidth(c), int(std::lround(1520 * dpi / 1440)));
    }

    void captionsAndTooltips() {
        QCOMPARE(w_->windowTitle(), QStringLiteral("Parametry"));
        const auto* label = w_->findChild<QLabel*>(QStringLiteral("Label1"));
        QVERIFY(label);
        QCOMPARE(label->text(),
                 QStringLiteral("Charakterystyki cieplne i hydrauliczne czystych wymienników "
                                "ciepła typu ORV produkcji Skarvel Polska w Wirdanie dla układu "
                                "woda - woda"));
        QVERIFY(label->font().bold() && label->font().pointSizeF() == 14.25);
        QCOMPARE(w_->Grid()->toolTip(),
                 QStringLiteral("tablica wartości obliczeniowych dla doboru wymienników"));
        QCOMPARE(w_->findChild<QToolButton*>("cmdDruk")->toolTip(),
                 QStringLiteral("wydruk wartości obliczeniowych"));
        QCOMPARE(w_->findChild<QToolButton*>("cmdExit")->toolTip(),
                 QStringLiteral("wyjście z okna \"Parametry\""));
        QCOMPARE(w_->palette().color(QPalette::Window), QColor(224, 224, 224));
    }

    void closingEmitsFinished() {
        QSignalSpy finished(w_.get(), &QDialog::finished);
        click("cmdExit");
        QCOMPARE(finished.count(), 1);
        QVERIFY(!w_->isVisible());
        w_->show();
        QTest::keyClick(w_.get(), Qt::Key_Escape); // as the exit button
        QCOMPARE(finished.count(), 2);
        w_->show();
        w_->close(); // the close box
        QCOMPARE(finished.count(), 3);
    }

    void printedItemsInTheirColumns_data() {
        QTest::addColumn<int>("i");
        for (std::size_t i = 0; i < std::size(kPlaced); ++i)
            QTest::newRow(kPlaced[i].text) << int(i);
    }
    void printedItemsInTheirColumns() {
        QFETCH(int, i);
        const auto pdf = printed();
        QCOMPARE(messages_, QStringList{QString::fromUtf8(parameters::kPrintSentText)});
        QCOMPARE(pdf->PageCount(), 1);
        const Placed& p = kPlaced[i];
        const auto box = pdf->Find(QString::fromUtf8(p.text));
        QVERIFY(box);
        // Glyphs sit a little right of their column and round their line's middle.
        const double column = Column(*box), line = Line(*pdf, *box);
        QVERIFY2(std::abs(column - p.column) < 0.3 && std::abs(line - p.line) < 0.2,
                 qPrintable(QStringLiteral("column %1, line %2").arg(column).arg(line)));
    }

    void printedText() {
        const auto pdf = printed();
        const QString text = pdf->Text();
        // Cut values lose their first characters; an empty cell shows nothing.
        QCOMPARE(pdf->Count(QStringLiteral("XYZ")), 0);
        QCOMPARE(pdf->Count(QStringLiteral("ABC")), 0);
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("0123456789\\s+DEFGHIJKLMNO"))));
        // Column 0 is printed for the second research-unit line only.
        for (const char* item : {"Lp.", "Badania:", "Parametr"})
            QCOMPARE(pdf->Count(QString::fromLatin1(item)), 0);
        QCOMPARE(pdf->Count(QStringLiteral("R15c5")), 1);
        // The text read back has one blank wherever the page has several.
        QVERIFY(text.contains(QStringLiteral("C1' = C1 * T1śr ^ b1; C2' = C2 * T2śr ^ b2 przy "
                                             "T1śr i T2śr = 20°C")));

        // Title: two lines at tabs 10 and 20 of the 14-point font, above the table.
        const auto title1 = pdf->Find(QStringLiteral("Charakterystyki cieplne"));
        const auto title2 = pdf->Find(QStringLiteral("produkcji Skarvel Polska w Wirdanie"));
        const auto lp = pdf->Find(QStringLiteral("lp"));
        QVERIFY(title1 && title2 && lp);
        QVERIFY(title2->left() > title1->left() + 20 && title2->top() > title1->bottom() - 1);
        // Four empty 14-point lines between the title and the table.
        QVERIFY(lp->top() - title2->bottom() > 4 * 14);

        // The company line after sixteen empty lines, with the maker's address.
        const auto company = pdf->Find(QStringLiteral("Skarvel Polska Spółka z o.o."));
        const auto note = pdf->Find(QStringLiteral("C1' = C1"));
        const auto address = pdf->Find(QString::fromUtf8(widgets::kMakerAddress));
        QVERIFY(company && note && address);
        const double below = Line(*pdf, *company) - Line(*pdf, *note);
        QVERIFY2(std::abs(below - 17) < 0.3, qPrintable(QString::number(below)));
        QVERIFY(std::abs(address->center().y() - company->center().y()) < 1);
    }

    void rules() {
        const auto pdf = printed();
        // Seven rules of 110 dashes, on lines 1, 4, 13, 19, 25, 26 and 30.
        QCOMPARE(pdf->Count(kRule), 7);
        const int lines[] = {1, 4, 13, 19, 25, 26, 30};
        for (int k = 0; k < 7; ++k) {
            const auto rule = pdf->Find(kRule, k);
            QVERIFY(rule);
            QCOMPARE(int(std::lround(Line(*pdf, *rule))), lines[k]);
        }
        // On the page: two rules between the last row of block 5 and the heading of block 6,
        // one between the last row of block 4 and the heading of block 5. A row of dashes is
        // about half dark.
        const auto image = pdf->Render(0, 200);
        auto rulesBetween = [&](const char* above, const char* below) {
            const auto a = pdf->Find(QString::fromLatin1(above));
            const auto b = pdf->Find(QString::fromUtf8(below));
            if (!a || !b)
                return -1;
            int found = 0;
            QRectF area(kMargin, a->bottom() + 1, 300, b->top() - a->bottom() - 2);
            while (const auto y = image.HorizontalRule(area, 0.4)) {
                ++found;
                area.setTop(*y + kLine / 2);
            }
            return found;
        };
        QCOMPARE(rulesBetween("R14c2", "Powierzchnia wymiany"), 2);
        QCOMPARE(rulesBetween("R11c2", "w płaszczach"), 1);
    }

    void missingPrinter() {
        widgets::PrintPage::SimulateMissingPrinter(true);
        click("cmdDruk");
        QCOMPARE(messages_, QStringList{QStringLiteral("Wystąpił błąd drukowania")});
        QVERIFY(!QFile::exists(pdfPath()));
        QVERIFY(w_->isVisible());
    }

    QByteArray saveAs(QWidget* owner, const char* action, const QString& name) {
        return testsupport::SaveAs(owner, action, dir_.filePath(name));
    }

    void pageSavedAsPdf() {
        const QString onPaper = printed()->Text();
        QFile::remove(pdfPath());
        messages_.clear();
        widgets::PrintPage::SimulateMissingPrinter(true);
        saveAs(w_->findChild<QToolButton*>("cmdDruk"), widgets::kSavePdfText,
               QStringLiteral("parametry.pdf"));
        QCOMPARE(messages_, QStringList());
        QCOMPARE(testsupport::PdfProbe(dir_.filePath("parametry.pdf")).Text(), onPaper);
        QVERIFY(!QFile::exists(pdfPath()));
    }

    // The catalogue as a Polish spreadsheet reads it: numbers written with a point take a comma,
    // texts stay as written, blanks included.
    void gridSavedAsCsv() {
        widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        const QByteArray csv =
            saveAs(w_->Grid(), widgets::kSaveCsvText, QStringLiteral("parametry.csv"));
        widgets::SetUserLocale(QLocale::c());
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 16 + 1);
        QCOMPARE(lines[0],
                 QStringLiteral("Lp.;  Parametr  /  typ ;orv2.14;orv1.22;orv2.40;orv3.55"));
        QCOMPARE(lines[1], QStringLiteral("1;Badania:;R1c2;0123456789;;ABCDEFGHIJKLMNO"));
        QCOMPARE(lines[15], QStringLiteral("5; F [m2] ;1,40;0,25;R15c4; R15c5"));
        QCOMPARE(messages_, QStringList());
    }

    void printedItem_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("item");
        QTest::newRow("empty") << ""
                               << "   ";
        QTest::newRow("9 characters") << "123456789"
                                      << "   123456789";
        QTest::newRow("10 characters") << "1234567890"
                                       << "  1234567890";
        QTest::newRow("12 characters") << "123456789012"
                                       << "123456789012";
        QTest::newRow("13 characters") << "1234567890123"
                                       << "234567890123";
        QTest::newRow("Polish letters") << "źdźbłoŻÓŁĆąęńśł"
                                        << "błoŻÓŁĆąęńśł";
    }
    void printedItem() {
        QFETCH(QString, value);
        QFETCH(QString, item);
        QCOMPARE(parameters::PrintedItem(value), item);
    }
};

QTEST_MAIN(ParametersTest)
#include "ParametersTest.moc"
