#include "tests/support/PdfProbe.h"
#include "widgets/PrintPage.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <tuple>

using testsupport::PdfProbe;
using widgets::PrintPage;

// A4 in a PDF has 10 mm (28.35 pt) margins: the printable area is 538.58 × 785.20 pt.
constexpr double kMargin = 28.346;
// Liberation Mono (for Courier New) advances 1229/2048 em a glyph; a line is (1705 + 615)/2048 em.
constexpr double kMonoColumn10 = 10.0 * 1229 / 2048, kMonoLine10 = 10.0 * 2320 / 2048;

class TstPrintPage : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString pdf_;

    // One page drawn by `draw` and sent to the test's PDF.
    template <class Draw> PdfProbe Printed(const Draw& draw) {
        {
            PrintPage page;
            draw(page);
            page.EndDoc();
        }
        return PdfProbe(pdf_);
    }

private slots:
    void init() {
        pdf_ = dir_.filePath(QStringLiteral("%1.pdf").arg(QTest::currentTestFunction()));
        PrintPage::RedirectToPdf(pdf_);
    }

    void tabColumns() {
        // Font, size, tab n and its offset from column 1, (n − 1) average widths of the font:
        // Liberation Serif averages 821/2048 em (29 × 0.4009 × 10 = 116.3, × 14 = 162.8),
        // Liberation Sans 904/2048 em (20 × 0.4414 × 10 = 88.3).
        const std::tuple<const char*, double, int, double> cases[] = {
            {"Courier New", 10, 11, 10 * kMonoColumn10},
            {"Courier New", 20, 11, 20 * kMonoColumn10},
            {"Times New Roman CE", 10, 30, 116.3},
            {"Times New Roman CE", 14, 30, 162.8},
            {"Arial", 10, 21, 88.3}};
        const PdfProbe pdf = Printed([&](PrintPage& page) {
            for (const auto& [font, size, tab, offset] : cases) {
                page.SetFontName(QString::fromLatin1(font));
                page.SetFontSize(size);
                page.Print(QStringLiteral("H"), 1, false);
                page.Print(QStringLiteral("H"), tab);
            }
        });
        for (int i = 0; i < 5; ++i) {
            const auto first = pdf.Find(QString('H'), 2 * i),
                       tab = pdf.Find(QString('H'), 2 * i + 1);
            QVERIFY(first && tab && qAbs(first->left() - kMargin) < 2); // column 1 at the margin
            const double offset = tab->left() - first->left();
            QVERIFY2(qAbs(offset - std::get<3>(cases[i])) < 1.0,
                     qPrintable(QStringLiteral("case %1: %2").arg(i).arg(offset)));
        }
    }

    void tabLeftOfPositionGoesToNextLine() {
        const PdfProbe pdf = Printed([](PrintPage& page) {
            page.SetFontName(QStringLiteral("Courier New"));
            page.Print(QString(20, QLatin1Char('A')), 1, false); // ends at column 21
            page.Print(QStringLiteral("B"), 5);                  // next line, column 5
            page.Print(QStringLiteral("BHHH"), 1, false);        // ends exactly at column 5
            page.Print(QStringLiteral("H"), 5);                  // so stays on the line
        });
        const auto a = pdf.Find("AAAA"), b = pdf.Find("B"), bh = pdf.Find("BHHHH");
        QVERIFY(a && b && bh);
        QVERIFY(qAbs(b->top() - a->top() - kMonoLine10) < 0.3);
        QVERIFY(qAbs(bh->top() - b->top() - kMonoLine10) < 0.3);
        QVERIFY(qAbs(b->left() - bh->left() - 4 * kMonoColumn10) < 0.3);
    }

    void fontSwitches() {
        const QString word(10, QLatin1Char('m'));
        const PdfProbe pdf = Printed([&](PrintPage& page) {
            page.SetFontSize(20);
            page.Print(word, 1);
            page.SetBold(true);
            page.Print(word.left(5), 1, false);
            page.Print(word.mid(5)); // still bold
            page.SetBold(false);
            page.SetItalic(true);
            page.Print(word, 1);
            page.SetItalic(false);
            page.Print(word, 1);
            page.SetFontSize(14);
            page.SetUnderline(true);
            page.Print(QStringLiteral("Podkreślenie"), 1);
            page.SetUnderline(false);
            page.SetStrikethrough(true);
            page.Print(QStringLiteral("Przekreślenie"), 1);
            page.SetStrikethrough(false);
            page.Print(QStringLiteral("Zwolnienie"), 1);
        });
        // Ten "m" of the default Liberation Serif at 20 pt: regular 1593/2048 em → 155.6, bold
        // 1706/2048 → 166.6, italic 1479/2048 → 144.4, less the side bearings.
        const double widths[] = {155.6, 166.6, 144.4, 155.6};
        for (int i = 0; i < 4; ++i) {
            const auto box = pdf.Find(word, i);
            QVERIFY2(box && qAbs(box->width() - widths[i]) < 3.5, qPrintable(QString::number(i)));
        }
        const testsupport::PageImage image = pdf.Render(0, 300);
        const std::tuple<const char*, bool, bool> rules[] = {{"Podkreślenie", true, false},
                                                             {"Przekreślenie", false, true},
                                                             {"Zwolnienie", false, false}};
        for (const auto& [text, under, through] : rules) {
            const auto box = pdf.Find(QString::fromUtf8(text));
            QVERIFY2(box, text);
            // No descenders: the box ends at the baseline; an underline lies within 3 pt below it,
            // a strike line in the middle band of the letters.
            const QRectF below(box->left() + 1, box->bottom() + 0.2, box->width() - 2, 3);
            const QRectF middle(box->left() + 1, box->bottom() - 0.7 * box->height(),
                                box->width() - 2, 0.5 * box->height());
            QVERIFY2(image.HorizontalRule(below).has_value() == under, text);
            QVERIFY2(image.HorizontalRule(middle).has_value() == through, text);
        }
    }

    void lineStyles() {
        const PdfProbe pdf = Printed([](PrintPage& page) {
            page.SetScale(1000, 1400);
            page.Line(QPointF(100, 700), QPointF(900, 700), Qt::black, 1, Qt::SolidLine);
            page.Line(QPointF(100, 500), QPointF(900, 500), Qt::black, 1, Qt::DashLine);
            page.Line(QPointF(100, 100), QPointF(100, 300), Qt::black, 3);
            page.Line(QPointF(200, 100), QPointF(200, 300), Qt::black, 1);
        });
        const testsupport::PageImage image = pdf.Render(0, 300);
        // x = 28.35 + 538.58 · u / 1000, y = 28.35 + 785.20 · (1400 − v) / 1400.
        const double x100 = kMargin + 53.86, x200 = kMargin + 107.72, x900 = kMargin + 484.72;
        const double y700 = kMargin + 392.60, y500 = kMargin + 504.77, y200 = kMargin + 673.03;
        const auto [solid, solidRuns] = image.Row(y700, x100 + 1, x900 - 1);
        const int beyondEnds =
            image.Row(y700, x100 - 5, x100 - 2).second + image.Row(y700, x900 + 2, x900 + 5).second;
        QVERIFY(solid > 0.99 && solidRuns == 1 && beyondEnds == 0);
        // Dashes of 4 pt with gaps of 2 pt: about 430 / 6 = 72 dashes, two thirds dark.
        const auto [dashed, dashes] = image.Row(y500, x100, x900, 0.5);
        QVERIFY2(dashed > 0.45 && dashed < 0.85 && dashes > 50,
                 qPrintable(QStringLiteral("%1 %2").arg(dashed).arg(dashes)));
        // Width n is n/96 inch: 2.25 pt for 3, 0.75 pt for 1, measured across a 6-pt crossing.
        const double thick = 6 * image.Row(y200, x100 - 3, x100 + 3, 0).first;
        const double thin = 6 * image.Row(y200, x200 - 3, x200 + 3, 0).first;
        QVERIFY2(thick > 1.8 && thick < 2.8 && thin > 0.4 && thin < 1.3,
                 qPrintable(QStringLiteral("%1 %2").arg(thick).arg(thin)));
    }

    void exactlyOnePage() {
        const int sentBefore = PrintPage::SentCount();
        const PdfProbe pdf = Printed([](PrintPage& page) {
            for (int i = 0; i < 120; ++i)
                page.Print(QStringLiteral("wiersz %1").arg(i), 1); // runs past the bottom
            page.EndDoc(); // Printed's EndDoc is then a second call: nothing more is sent
        });
        QCOMPARE(pdf.PageCount(), 1);
        QCOMPARE(PrintPage::SentCount(), sentBefore + 1); // one document for two EndDoc calls
        QVERIFY(pdf.Find(QStringLiteral("wiersz 0")));
    }

    void nothingWrittenWithoutEndDocOrPrinter() {
        PrintPage().Print(QStringLiteral("porzucona strona"), 1); // dropped without EndDoc
        QVERIFY(!QFile::exists(pdf_));
        const int sentBefore = PrintPage::SentCount();
        PrintPage::SimulateMissingPrinter(true);
        QVERIFY_THROWS_EXCEPTION(widgets::PrintError, PrintPage());
        PrintPage::SimulateMissingPrinter(false);
        QVERIFY(!QFile::exists(pdf_));
        QCOMPARE(PrintPage::SentCount(), sentBefore);
    }

    void unwritableTargetThrows() {
        PrintPage::RedirectToPdf(dir_.filePath(QStringLiteral("brak/strona.pdf")));
        QVERIFY_THROWS_EXCEPTION(widgets::PrintError, PrintPage().EndDoc());
        QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("brak/strona.pdf"))));
    }
};

QTEST_MAIN(TstPrintPage)
#include "tst_PrintPage.moc"
