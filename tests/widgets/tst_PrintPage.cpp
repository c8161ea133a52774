#include "tests/support/PdfProbe.h"
#include "widgets/Environment.h"
#include "widgets/PrintPage.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using testsupport::PdfProbe;
using widgets::PrintError;
using widgets::PrintPage;

namespace {

// The PDF page: A4 (595.28 × 841.89 pt) with 10 mm (28.35 pt) margins, so the printable area is
// 538.58 × 785.20 pt.
constexpr double kMargin = 28.346;

// Line pitch of Courier New (Liberation Mono) at 10 pt: (ascent 1705 + descent 615) / 2048 em.
constexpr double kMonoLine10 = 10.0 * 2320 / 2048;
// Every glyph of Courier New advances 1229/2048 em, so that is also its average width.
constexpr double kMonoColumn10 = 10.0 * 1229 / 2048;

} // namespace

class TstPrintPage : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString pdf_;

private slots:
    void init() {
        pdf_ = dir_.filePath(QStringLiteral("%1.pdf").arg(QTest::currentTestFunction()));
        QFile::remove(pdf_);
        PrintPage::RedirectToPdf(pdf_);
        PrintPage::SimulateMissingPrinter(false);
    }
    void cleanupTestCase() {
        PrintPage::RedirectToPdf(QString());
        PrintPage::SimulateMissingPrinter(false);
    }

    void tabColumns_data() {
        QTest::addColumn<QString>("font");
        QTest::addColumn<double>("size");
        QTest::addColumn<int>("tab");
        QTest::addColumn<double>("offset"); // points from column 1

        // (tab − 1) columns of the font's average width in points.
        QTest::newRow("Courier 10, tab 11") << "Courier New" << 10.0 << 11 << 10 * kMonoColumn10;
        QTest::newRow("Courier 20, tab 11") << "Courier New" << 20.0 << 11 << 20 * kMonoColumn10;
        // Times New Roman averages 821/2048 em: 34 × 0.4009 × 14 = 190.8.
        QTest::newRow("Times 14, tab 35") << "Times New Roman CE" << 14.0 << 35 << 190.8;
        // 89 × 0.4009 × 8 = 285.4.
        QTest::newRow("Times 8, tab 90") << "Times New Roman CE" << 8.0 << 90 << 285.4;
        // Arial averages 904/2048 em: 20 × 0.4414 × 10 = 88.3.
        QTest::newRow("Arial 10, tab 21") << "Arial" << 10.0 << 21 << 88.3;
    }
    void tabColumns() {
        QFETCH(QString, font);
        QFETCH(double, size);
        QFETCH(int, tab);
        QFETCH(double, offset);
        {
            PrintPage page;
            page.SetFontName(font);
            page.SetFontSize(size);
            page.Print(QStringLiteral("H"), 1);
            page.Print(QStringLiteral("H"), tab);
            page.EndDoc();
        }
        PdfProbe probe(pdf_);
        QVERIFY(probe.IsOpen());
        const auto first = probe.Find(QStringLiteral("H"), 0);
        const auto second = probe.Find(QStringLiteral("H"), 1);
        QVERIFY(first && second);
        QVERIFY2(qAbs(first->left() - kMargin) < 2, "column 1 lies at the left margin");
        QVERIFY2(qAbs(second->left() - first->left() - offset) < 1.0,
                 qPrintable(QStringLiteral("offset %1").arg(second->left() - first->left())));
    }

    void sameTabLiesFurtherRightInLargerFont() {
        {
            PrintPage page;
            page.SetFontName(QStringLiteral("Times New Roman CE"));
            page.SetFontSize(10);
            page.Print(QStringLiteral("small"), 30);
            page.SetFontSize(14);
            page.Print(QStringLiteral("large"), 30);
            page.EndDoc();
        }
        PdfProbe probe(pdf_);
        const auto small = probe.Find(QStringLiteral("small"));
        const auto large = probe.Find(QStringLiteral("large"));
        QVERIFY(small && large);
        // 29 columns of 0.4009 em: 116.3 pt at 10 pt, 162.8 pt at 14 pt.
        QVERIFY(qAbs(small->left() - kMargin - 116.3) < 1.5);
        QVERIFY(qAbs(large->left() - kMargin - 162.8) < 1.5);
    }

    void printPositionAndLineEnds() {
        {
            PrintPage page;
            page.SetFontName(QStringLiteral("Courier New"));
            page.SetFontSize(10);
            page.Print(QString(20, QLatin1Char('A')), 1, false); // ends at column 21
            page.Print(QStringLiteral("B"), 5);                  // left of it: next line
            page.Print(QStringLiteral("B"), 1);
            page.Print(QStringLiteral("HHHH"), 1, false); // ends exactly at column 5
            page.Print(QStringLiteral("H"), 5, false);    // stays on the line
            page.Print(QStringLiteral("KK"), 0, true);    // right after the text
            page.Print(QStringLiteral("xx"), 30, false);
            page.Print(QStringLiteral("first\r\nsecond\nthird")); // breaks go to the left edge
            page.EndDoc();
        }
        PdfProbe probe(pdf_);
        const auto a = probe.Find(QStringLiteral("AAAA"));
        const auto b1 = probe.Find(QStringLiteral("B"), 0);
        const auto b2 = probe.Find(QStringLiteral("B"), 1);
        QVERIFY(a && b1 && b2);
        QVERIFY(qAbs(b1->top() - a->top() - kMonoLine10) < 0.3);
        QVERIFY(qAbs(b2->top() - b1->top() - kMonoLine10) < 0.3);
        QVERIFY(qAbs(b1->left() - b2->left() - 4 * kMonoColumn10) < 0.3);

        QVERIFY(probe.Text().contains(QStringLiteral("HHHHHKK")));
        const auto h = probe.Find(QStringLiteral("HHHHHKK"));
        QVERIFY(h);
        QVERIFY(qAbs(h->top() - b2->top() - kMonoLine10) < 0.3);
        // Seven glyphs in one run, the box spanning 7 advances less the side bearings.
        QVERIFY(qAbs(h->width() - 7 * kMonoColumn10) < 1.5);

        const auto xx = probe.Find(QStringLiteral("xx"));
        const auto first = probe.Find(QStringLiteral("first"));
        const auto second = probe.Find(QStringLiteral("second"));
        const auto third = probe.Find(QStringLiteral("third"));
        QVERIFY(xx && first && second && third);
        QVERIFY(qAbs(xx->bottom() - h->bottom() - kMonoLine10) < 0.3);
        // "first" follows "xx" at column 32 of the same line.
        QVERIFY(qAbs(first->left() - kMargin - 31 * kMonoColumn10) < 1.5);
        QVERIFY(qAbs(second->left() - kMargin) < 1.5);
        QVERIFY(qAbs(third->left() - kMargin) < 1.5);
        QVERIFY(qAbs(third->bottom() - second->bottom() - kMonoLine10) < 0.3);
    }

    void fontSwitchesStayInForce() {
        const QString word(10, QLatin1Char('m'));
        {
            PrintPage page;
            page.SetFontName(QStringLiteral("Times New Roman CE"));
            page.SetFontSize(20);
            page.Print(word, 1);
            page.SetBold(true);
            page.Print(word.left(5), 1, false);
            page.Print(word.mid(5), 0, true); // still bold
            page.SetBold(false);
            page.SetItalic(true);
            page.Print(word, 1);
            page.SetItalic(false);
            page.Print(word, 1);
            page.EndDoc();
        }
        PdfProbe probe(pdf_);
        QCOMPARE(probe.Count(word), 4);
        // Ten advances of "m" in Times New Roman at 20 pt: regular 1593/2048 em → 155.6,
        // bold 1706/2048 em → 166.6, italic 1479/2048 em → 144.4 (the box loses the side
        // bearings, a few tenths of a point).
        const double expected[] = {155.6, 166.6, 144.4, 155.6};
        for (int i = 0; i < 4; ++i) {
            const auto box = probe.Find(word, i);
            QVERIFY(box);
            QVERIFY2(qAbs(box->width() - expected[i]) < 3.5,
                     qPrintable(QStringLiteral("line %1: %2").arg(i).arg(box->width())));
        }
    }

    void underlineAndStrikethroughAreDrawn() {
        {
            PrintPage page;
            page.SetFontName(QStringLiteral("Times New Roman CE"));
            page.SetFontSize(14);
            page.SetUnderline(true);
            page.Print(QStringLiteral("Podkreślenie"), 1);
            page.SetUnderline(false);
            page.SetStrikethrough(true);
            page.Print(QStringLiteral("Przekreślenie"), 1);
            page.SetStrikethrough(false);
            page.Print(QStringLiteral("Zwolnienie"), 1);
            page.EndDoc();
        }
        PdfProbe probe(pdf_);
        const testsupport::PageImage image = probe.Render(0, 300);
        struct Case {
            const char* word;
            bool under, through;
        };
        for (const Case& c : {Case{"Podkreślenie", true, false}, Case{"Przekreślenie", false, true},
                              Case{"Zwolnienie", false, false}}) {
            const auto box = probe.Find(QString::fromUtf8(c.word));
            QVERIFY2(box, c.word);
            // None of the words has a descender, so the box ends at the baseline; an underline
            // lies within 3 pt below it, a strike line in the middle band of the letters.
            const QRectF below(box->left() + 1, box->bottom() + 0.2, box->width() - 2, 3);
            const QRectF middle(box->left() + 1, box->bottom() - 0.7 * box->height(),
                                box->width() - 2, 0.5 * box->height());
            QVERIFY2(image.HorizontalRule(below).has_value() == c.under, c.word);
            QVERIFY2(image.HorizontalRule(middle).has_value() == c.through, c.word);
        }
    }

    void linesInUserScale() {
        {
            PrintPage page;
            page.SetScale(1000, 1400);
            page.Line(QPointF(100, 700), QPointF(900, 700), Qt::black, 1, Qt::SolidLine);
            page.Line(QPointF(100, 500), QPointF(900, 500), Qt::black, 1, Qt::DashLine);
            page.Line(QPointF(100, 100), QPointF(100, 300), Qt::black, 3, Qt::SolidLine);
            page.Line(QPointF(200, 100), QPointF(200, 300), Qt::black, 1, Qt::SolidLine);
            page.EndDoc();
        }
        PdfProbe probe(pdf_);
        QCOMPARE(probe.PageCount(), 1);
        const testsupport::PageImage image = probe.Render(0, 150);
        // x = 28.35 + 538.58 · u / 1000, y = 28.35 + 785.20 · (1400 − v) / 1400.
        const double x100 = kMargin + 53.86, x200 = kMargin + 107.72, x900 = kMargin + 484.72;
        const double y700 = kMargin + 392.60, y500 = kMargin + 504.77;
        const double y100 = kMargin + 729.12, y300 = kMargin + 616.94;

        QVERIFY(image.DarkFraction({x100 + 1, y700}, {x900 - 1, y700}) > 0.99);
        QCOMPARE(image.DarkRuns({x100 + 1, y700}, {x900 - 1, y700}), 1);
        QVERIFY(!image.IsDark({x100 - 3, y700}));
        QVERIFY(!image.IsDark({x900 + 3, y700}));
        QVERIFY(!image.IsDark({(x100 + x900) / 2, y700 + 3}));

        // Dashes of 4 pt with gaps of 2 pt: about 430 / 6 = 72 dashes, two thirds dark.
        const double dashed = image.DarkFraction({x100, y500}, {x900, y500}, 0.5);
        QVERIFY2(dashed > 0.45 && dashed < 0.85, qPrintable(QString::number(dashed)));
        QVERIFY(image.DarkRuns({x100, y500}, {x900, y500}, 0.5) > 50);

        // Width 3 is three times 1/96 inch: 2.25 pt wide, dark 0.9 pt off the axis.
        // Width n is n × 1/96 inch: 0.75 pt for width 1, 2.25 pt for width 3. Measured as the dark
        // length of a 6-pt crossing at 300 dpi (one pixel is 0.24 pt).
        const testsupport::PageImage fine = probe.Render(0, 300);
        const double yMid = (y100 + y300) / 2;
        const double thick = 6 * fine.DarkFraction({x100 - 3, yMid}, {x100 + 3, yMid}, 0);
        const double thin = 6 * fine.DarkFraction({x200 - 3, yMid}, {x200 + 3, yMid}, 0);
        QVERIFY2(thick > 1.8 && thick < 2.8, qPrintable(QString::number(thick)));
        QVERIFY2(thin > 0.4 && thin < 1.3, qPrintable(QString::number(thin)));
    }

    void printPositionUnits() {
        PrintPage page;
        page.SetFontName(QStringLiteral("Courier New"));
        page.SetFontSize(10);
        // Before a scale is set: twips from the top-left corner of the printable area.
        QCOMPARE(page.CurrentX(), 0.0);
        QCOMPARE(page.CurrentY(), 0.0);
        // Five advances of 6.001 pt and one line of 11.33 pt, 20 twips a point.
        QVERIFY(qAbs(page.TextWidth(QStringLiteral("HHHHH")) - 600.1) < 2);
        QVERIFY(qAbs(page.TextHeight() - 20 * kMonoLine10) < 1);
        page.Print(QStringLiteral("H"), 1, false);
        QVERIFY(qAbs(page.CurrentX() - 20 * kMonoColumn10) < 1); // 120.0 twips
        page.NewLine(9);
        QCOMPARE(page.CurrentX(), 0.0);
        QVERIFY(qAbs(page.CurrentY() - 9 * 20 * kMonoLine10) < 10); // 2039 twips
        page.NewLine();
        page.SetCurrentX(1440); // one inch
        page.Print(QStringLiteral("H"), 0, false);

        // The scale keeps the physical position: ten lines down is 113.3 pt of 785.2,
        // 1400 − 1400 · 113.3 / 785.2 = 1197.9.
        page.SetScale(1000, 1400);
        QVERIFY(qAbs(page.CurrentY() - 1197.9) < 1);
        // 30.0 pt of 538.58 is 55.7 of 1000; 11.33 pt of 785.20 is 20.2 of 1400.
        QVERIFY(qAbs(page.TextWidth(QStringLiteral("HHHHH")) - 55.7) < 0.2);
        QVERIFY(qAbs(page.TextHeight() - 20.2) < 0.2);
        page.SetCurrentX(500);
        page.SetCurrentY(700);
        QVERIFY(qAbs(page.CurrentX() - 500) < 1e-9);
        QVERIFY(qAbs(page.CurrentY() - 700) < 1e-9);
        page.Print(QStringLiteral("H"), 0, false);
        page.SetCurrentX(0);
        page.SetCurrentY(600);
        page.Print(QStringLiteral("H"), 0, false);
        page.EndDoc();

        PdfProbe probe(pdf_);
        QCOMPARE(probe.Count(QStringLiteral("H")), 4);
        const auto h0 = probe.Find(QStringLiteral("H"), 0);
        const auto inch = probe.Find(QStringLiteral("H"), 1);
        const auto centre = probe.Find(QStringLiteral("H"), 2);
        const auto lower = probe.Find(QStringLiteral("H"), 3);
        QVERIFY(h0 && inch && centre && lower);
        QVERIFY(qAbs(inch->left() - h0->left() - 72) < 0.3);
        QVERIFY(qAbs(inch->top() - h0->top() - 10 * kMonoLine10) < 0.5);
        // x 500 of 1000: half of 538.58; 100 of 1400 units down: 785.20 / 14 = 56.09.
        QVERIFY(qAbs(centre->left() - h0->left() - 269.29) < 0.3);
        QVERIFY(qAbs(lower->top() - centre->top() - 56.09) < 0.3);
    }

    void canvasTextAndFill() {
        {
            PrintPage page;
            page.SetScale(1000, 1400);
            page.FillRect(QRectF(QPointF(100, 1300), QPointF(200, 1200)), Qt::blue);
            page.Text(QPointF(500, 700), QStringLiteral("Tekst"), 24, Qt::red);
            page.EndDoc();
        }
        PdfProbe probe(pdf_);
        const auto text = probe.Find(QStringLiteral("Tekst"));
        QVERIFY(text);
        QVERIFY(qAbs(text->left() - kMargin - 269.29) < 2);
        QVERIFY(text->height() > 12); // a 24-pt capital is about 16 pt high
        const testsupport::PageImage image = probe.Render(0, 100);
        // The square from (100, 1300) to (200, 1200): x 82.2..136.1, y 84.4..140.5.
        QCOMPARE(image.image.pixelColor(image.ToPixel({110, 112}).toPoint()), QColor(Qt::blue));
        QCOMPARE(image.image.pixelColor(image.ToPixel({150, 112}).toPoint()), QColor(Qt::white));
    }

    void exactlyOnePage() {
        {
            PrintPage page;
            for (int i = 0; i < 120; ++i)
                page.Print(QStringLiteral("wiersz %1").arg(i), 1); // runs past the bottom
            page.EndDoc();
            page.EndDoc(); // the page has gone; nothing more is sent
        }
        PdfProbe probe(pdf_);
        QCOMPARE(probe.PageCount(), 1);
        QVERIFY(probe.Text().contains(QStringLiteral("wiersz 0")));
    }

    void nothingSentWithoutEndDoc() {
        {
            PrintPage page;
            page.Print(QStringLiteral("porzucona strona"), 1);
        }
        QVERIFY(!QFile::exists(pdf_));
    }

    void missingPrinter() {
        PrintPage::SimulateMissingPrinter(true);
        QVERIFY_THROWS_EXCEPTION(PrintError, PrintPage());
        PrintPage::SimulateMissingPrinter(false);
        QVERIFY(!QFile::exists(pdf_));
    }

    void unwritableTargetFails() {
        const QString target = dir_.filePath(QStringLiteral("brak/katalogu/strona.pdf"));
        PrintPage::RedirectToPdf(target);
        PrintPage page;
        page.Print(QStringLiteral("tekst"));
        QVERIFY_THROWS_EXCEPTION(PrintError, page.EndDoc());
        QVERIFY(!QFile::exists(target));
    }

    void badArgumentsThrowPrintError() {
        PrintPage page;
        QVERIFY_THROWS_EXCEPTION(PrintError, page.SetScale(0, 1400));
        QVERIFY_THROWS_EXCEPTION(PrintError, page.SetFontSize(-3));
        QVERIFY_THROWS_EXCEPTION(PrintError, page.SetCurrentX(qQNaN()));
        QVERIFY_THROWS_EXCEPTION(PrintError,
                                 page.Line(QPointF(0, 0), QPointF(qInf(), 1), Qt::black));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    widgets::SetUserLocale(QLocale::c());
    TstPrintPage test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_PrintPage.moc"
