#include "core/Catalogue.h"
#include "parameters/ParameterPrintout.h"
#include "parameters/frmParametry.h"
#include "tests/support/PdfProbe.h"
#include "tests/support/WindowDriver.h"
#include "widgets/Environment.h"
#include "widgets/PrintPage.h"

#include <QTableWidget>
#include <QTemporaryDir>
#include <cmath>

// The window and its page for the catalogue of tests/data/parameters_page.txt.
class ParametersTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<frmParametry> w_;
    QStringList messages_;
    const QString data_ = QStringLiteral(VARMI_TEST_DATA "/parameters_page.txt");

    QString pdfPath() const { return dir_.filePath(QStringLiteral("page.pdf")); }

private slots:
    void initTestCase() {
        widgets::SetAppDirectory(dir_.path().toStdString());
        widgets::PrintPage::RedirectToPdf(pdfPath());
        testsupport::RecordMessages(messages_);
        kod::ParamTableType table;
        const QList<QStringList> rows = testsupport::DataRows(data_, QStringLiteral("C"));
        QCOMPARE(rows.size(), 16);
        for (int r = 0; r < 16; ++r)
            for (int c = 0; c < 6; ++c)
                table[r][c] = rows[r].value(c).toStdString();
        kod::SetCatalogue(table, kod::ParamSeries);
    }
    void init() {
        w_ = std::make_unique<frmParametry>();
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    }

    // The cells as written, rows 0..2 and column 0 fixed, the header's model values centred. The
    // grid uses the window's room: at 1920 × 1080 the font grows and no cell wraps; at
    // 1024 × 768 every cell is whole in its row and column.
    void grid() {
        for (const QSize screen : {QSize(1920, 1080), QSize(1024, 768)}) {
            w_->resize(screen * 0.95);
            QTest::qWait(20);
            const QTableWidget* g = w_->Grid();
            const QFontMetrics metrics(g->font());
            int width = 0, height = 0;
            for (int r = 0; r < 16; ++r) {
                height += g->rowHeight(r);
                for (int c = 0; c < 6; ++c) {
                    const QTableWidgetItem* item = g->item(r, c);
                    QCOMPARE(item->text(), QString::fromStdString(kod::ParamTable[r][c]));
                    const bool fixed = r < 3 || c == 0;
                    QCOMPARE(item->background().color(),
                             QGuiApplication::palette().color(fixed ? QPalette::Button
                                                                    : QPalette::Base));
                    QCOMPARE(item->flags() & Qt::ItemIsSelectable ? 'S' : 'F', fixed ? 'F' : 'S');
                    QCOMPARE(item->textAlignment() & Qt::AlignHorizontal_Mask,
                             int(r < 3 && c >= 2 ? Qt::AlignHCenter : Qt::AlignLeft));
                    width += r ? 0 : g->columnWidth(c);
                    const QRect needed = metrics.boundingRect(
                        QRect(0, 0, g->columnWidth(c) - 6, 9999), Qt::TextWordWrap, item->text());
                    QVERIFY(needed.height() <=
                            (screen.width() < 1920 ? g->rowHeight(r) : metrics.height()));
                }
            }
            QVERIFY(width <= g->viewport()->width() && width > g->viewport()->width() - 6);
            QVERIFY(screen.width() < 1920 ||
                    (g->font().pointSizeF() > 9.75 && height > g->viewport()->height() - 16));
        }
        testsupport::CompareCaptions(w_.get(), VARMI_TEST_DATA "/captions.txt");
        QCOMPARE(w_->findChild<QWidget*>("Label1")->font().pointSizeF(), 14.25);
        QCOMPARE(w_->palette().color(QPalette::Window), QColor(224, 224, 224));
    }

    // Every text at its line and column (in Courier's advance and line spacing from the 10 mm
    // margin) and as often as listed; the title at the top margin, four 14-point lines above the
    // table. The PDF export writes the same page.
    void printedPage() {
        QTest::mouseClick(w_->findChild<QWidget*>("cmdDruk"), Qt::LeftButton);
        QCOMPARE(messages_, QStringList{QString::fromUtf8(parameters::kPrintSentText)});
        const testsupport::PdfProbe pdf(pdfPath());
        QCOMPARE(pdf.PageCount(), 1);
        constexpr double kMargin = 28.346, kColumn = 10.0 * 1229 / 2048, kLine = 10.0 * 2320 / 2048;
        const auto lp = pdf.Find(QStringLiteral("lp"));
        const auto title = pdf.Find(QStringLiteral("produkcji Skarvel Polska w Wirdanie"));
        const auto top = pdf.Find(QStringLiteral("Charakterystyki cieplne"));
        QVERIFY(lp && title && top);
        QVERIFY(lp->top() - title->bottom() > 4 * 14);
        QVERIFY(top->top() >= kMargin && top->top() < kMargin + 4);
        QHash<QString, int> seen;
        for (const QStringList& p : testsupport::DataRows(data_, QStringLiteral("P"))) {
            const QString text = p[0] == "RULE" ? QString(110, '-') : p[0];
            const int line = p[1].toInt(), column = p[2].toInt();
            const int n = seen[text] += line >= 0 ? 1 : 0;
            if (line < 0)
                continue;
            const auto box = pdf.Find(text, n - 1);
            QVERIFY2(
                box && std::abs((box->center().y() - lp->center().y()) / kLine - line) < 0.3 &&
                    (!column || std::abs((box->left() - kMargin) / kColumn + 1 - column) < 0.3),
                qPrintable(text));
        }
        for (auto it = seen.cbegin(); it != seen.cend(); ++it)
            QVERIFY2(pdf.Count(it.key()) == it.value(), qPrintable(it.key()));

        testsupport::SaveAs(w_->findChild<QWidget*>("cmdDruk"), widgets::kSavePdfText,
                            dir_.filePath("parametry.pdf"));
        QCOMPARE(testsupport::PdfProbe(dir_.filePath("parametry.pdf")).Text(), pdf.Text());
    }
};

QTEST_MAIN(ParametersTest)
#include "ParametersTest.moc"
