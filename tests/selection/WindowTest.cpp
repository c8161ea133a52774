#include "SelectionTestSupport.h"

#include "core/Calculations.h"
#include "core/Catalogue.h"
#include "selection/OperatingPointPanel.h"
#include "selection/SelectionPrintout.h"
#include "selection/frmDobor.h"
#include "tests/support/PdfProbe.h"
#include "widgets/Environment.h"
#include "widgets/LogicalLayout.h"
#include "widgets/PrintPage.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <memory>

using selection::Field;
using selectiontest::Messages;

namespace {

const QColor kDarkRed(128, 0, 0), kBlack(0, 0, 0), kDarkCyan(0, 128, 128), kDarkGreen(0, 128, 0);

// What the core finds for one model at an operating point, with the evaluation it left.
struct CoreResult {
    double T12 = 0, kw = 0, ke = 0;
    std::int16_t n = 0;
    kod::EvaluationRecord evaluation;
};

struct Point {
    double Q, Dp1, T11, Dp2, T21, T22;
    bool co;
};

CoreResult Core(const Point& p, int m) {
    CoreResult r;
    // The search runs from the T21 slider + 5 to the T11 slider − 10 (whole-number inputs here).
    kod::FindOutletTemperature(p.T21 + 5, p.T11 - 10, static_cast<std::int16_t>(m), p.co, p.Dp1,
                               p.Dp2, p.T11, r.T12, p.T21, p.T22, p.Q, r.kw, r.ke, r.n, false);
    r.evaluation = kod::EvaluationResult;
    return r;
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<selectiontest::AppDir> app_;
    std::unique_ptr<frmDobor> window_;
    std::unique_ptr<Messages> messages_;
    QTemporaryDir pdfDir_;

    selection::OperatingPointPanel* panel() const { return window_->Panel(); }
    QString cell(int row, int column) const { return window_->Grid()->item(row, column)->text(); }
    QColor colour(int column) const {
        return window_->Grid()->item(16, column)->foreground().color();
    }
    // A grid number in the user's locale; a trailing "%" is dropped.
    double number(int row, int column) const {
        QString text = cell(row, column);
        text.remove(QLatin1Char('%'));
        bool ok = false;
        const double v = widgets::UserLocale().toDouble(text, &ok);
        return ok ? v : std::nan("");
    }
    void enter(Field f, const QString& text) {
        panel()->Box(f)->setFocus();
        panel()->Box(f)->setText(text);
        QTest::keyClick(panel()->Box(f), Qt::Key_Return);
    }
    void setPoint(const Point& p) {
        // T11 first: the T21 and T22 ranges follow it.
        enter(Field::T11, QString::number(p.T11));
        enter(Field::T21, QString::number(p.T21));
        enter(Field::T22, QString::number(p.T22));
        enter(Field::Q, QString::number(p.Q));
        enter(Field::Dp1, QString::number(p.Dp1));
        enter(Field::Dp2, QString::number(p.Dp2));
        (p.co ? panel()->CentralHeatingOption() : panel()->HotWaterOption())->setChecked(true);
    }
    void click(const char* button) {
        QTest::mouseClick(window_->findChild<QToolButton*>(button), Qt::LeftButton);
    }
    QString pdfPath() const { return pdfDir_.filePath(QStringLiteral("page.pdf")); }

    // Grid values are rounded for display: within half a unit of the last shown digit.
    void compareNumber(int row, int column, double expected, double halfUnit) {
        const double shown = number(row, column);
        QVERIFY2(std::abs(shown - expected) <= halfUnit * 1.0001,
                 qPrintable(QStringLiteral("row %1 column %2: %3 vs %4")
                                .arg(row)
                                .arg(column)
                                .arg(cell(row, column))
                                .arg(expected)));
    }

    void compareFlows(int column, const kod::EvaluationRecord& e) {
        const double flows[] = {e.G1dop, e.G2dop, e.G1, e.G2, e.G1Ratio, e.G2Ratio};
        for (int i = 0; i < 6; ++i)
            compareNumber(i + 1, column, flows[i], 0.005);
    }

private slots:
    void initTestCase() {
        app_ = std::make_unique<selectiontest::AppDir>();
        QVERIFY(app_->Ok());
        QVERIFY(pdfDir_.isValid());
    }
    void init() {
        widgets::SetUserLocale(QLocale::c());
        messages_ = std::make_unique<Messages>();
        window_ = std::make_unique<frmDobor>();
        QVERIFY(selectiontest::ShowActive(window_.get()));
        widgets::PrintPage::RedirectToPdf(pdfPath());
        QFile::remove(pdfPath());
    }
    void cleanup() {
        widgets::PrintPage::RedirectToPdf({});
        widgets::PrintPage::SimulateMissingPrinter(false);
        window_.reset();
        messages_.reset();
    }

    void gridHeadingsAndShape() {
        QTableWidget* g = window_->Grid();
        QCOMPARE(g->objectName(), QStringLiteral("fgDobor"));
        QCOMPARE(g->rowCount(), 17);
        QCOMPARE(g->columnCount(), 5);
        for (int c = 0; c < 5; ++c)
            QCOMPARE(cell(0, c), widgets::Q(kod::ParamTable[0][c + 1]));
        for (int r = 1; r < 17; ++r)
            QCOMPARE(cell(r, 0), widgets::Q(kod::ResultLabels[r - 1]));
        QCOMPARE(cell(0, 1), QStringLiteral("orv2.14"));
        for (int r = 0; r < 17; ++r)
            for (int c = 0; c < 5; ++c) {
                const Qt::ItemFlags flags = g->item(r, c)->flags();
                QVERIFY(!(flags & Qt::ItemIsEditable));
                QCOMPARE(bool(flags & Qt::ItemIsSelectable), r > 0 && c > 0);
                if (r > 0 && c > 0)
                    QVERIFY(cell(r, c).isEmpty());
            }
        // Two sixths for the labels, one sixth per model, following the grid's width.
        for (int pass = 0; pass < 2; ++pass) {
            const int width = g->viewport()->width();
            QVERIFY(std::abs(g->columnWidth(0) - width / 3.0) <= 1);
            for (int c = 1; c < 5; ++c)
                QVERIFY(std::abs(g->columnWidth(c) - width / 6.0) <= 1);
            window_->resize(window_->width() * 3 / 4, window_->height());
            QApplication::processEvents();
        }
        QCOMPARE(g->rowHeight(16), widgets::TwipsToPixels(3000, g));
        QVERIFY(g->wordWrap());
    }

    void defaultPointAgreesWithTheCore() {
        click("cmdLicz");
        QVERIFY(!window_->CzyWyczyszczone());
        const Point p{200, 20, 150, 15, 40, 100, true};
        int found = 0, green = 0;
        for (int m = 0; m < 4; ++m) {
            const int c = m + 1;
            const CoreResult r = Core(p, m);
            compareFlows(c, r.evaluation);
            QCOMPARE(widgets::Q(kod::ResultComments[m]).replace("\r\n", "\n"), cell(16, c));
            if (r.T12 == -1) {
                for (int row : {7, 8, 9, 10, 11, 13, 14, 15})
                    QCOMPARE(cell(row, c), QStringLiteral("---"));
                compareNumber(12, c, r.kw, 0.0005);
                QCOMPARE(colour(c), kDarkRed);
                continue;
            }
            ++found;
            const double excess = (r.ke - r.kw) / r.kw * 100; // definition of the excess
            QCOMPARE(cell(7, c), QString::number(r.n));
            compareNumber(8, c, r.evaluation.Gr1, 0.005);
            compareNumber(9, c, r.evaluation.Gr2, 0.005);
            compareNumber(10, c, r.evaluation.dP1, 0.005);
            compareNumber(11, c, r.evaluation.dP2, 0.005);
            compareNumber(12, c, r.kw, 0.0005);
            compareNumber(13, c, r.ke, 0.0005);
            QVERIFY(cell(14, c).endsWith('%'));
            compareNumber(14, c, excess, 0.05);
            compareNumber(15, c, r.T12, 0.05);
            if (colour(c) == kDarkGreen) {
                ++green;
                QVERIFY(cell(16, c).startsWith(QStringLiteral("najkorzystniejszy wariant")));
                QCOMPARE(cell(16, c).contains(QStringLiteral("\n\n ale zalecane obniżenie")),
                         excess > 10);
            } else {
                QCOMPARE(colour(c), excess > 10 ? kDarkCyan : kBlack);
                QCOMPARE(cell(16, c), excess > 10 ? QString::fromUtf8(selection::kVerdictExcessive)
                                                  : QString::fromUtf8(selection::kVerdictPossible));
            }
        }
        QVERIFY2(found > 0, "the default point should suit at least one model");
        QCOMPARE(green, 1);
        QVERIFY(messages_->texts.isEmpty());
    }

    void modelsWithoutT12ShowTheirLastEvaluation() {
        // Large outputs over small temperature differences; the first candidate for which the core
        // finds no T12 for any model is the one the window is asked about.
        const Point candidates[] = {{1000, 100, 20, 40, 5, 14, false},
                                    {1000, 100, 25, 40, 5, 19, false},
                                    {1000, 100, 60, 40, 40, 54, false},
                                    {1000, 100, 30, 40, 10, 24, false}};
        const Point* chosen = nullptr;
        for (const Point& p : candidates) {
            bool none = true;
            for (int m = 0; m < 4; ++m)
                none = none && Core(p, m).T12 == -1;
            if (none) {
                chosen = &p;
                break;
            }
        }
        QVERIFY2(chosen, "the catalogue should have a point where no model suffices");
        const Point p = *chosen;
        setPoint(p);
        messages_->clear();
        click("cmdLicz");
        for (int m = 0; m < 4; ++m) {
            const CoreResult r = Core(p, m);
            const int c = m + 1;
            compareFlows(c, r.evaluation);
            compareNumber(12, c, r.kw, 0.0005);
            for (int row : {7, 8, 9, 10, 11, 13, 14, 15})
                QCOMPARE(cell(row, c), QStringLiteral("---"));
            QCOMPARE(colour(c), kDarkRed);
            QCOMPARE(cell(16, c), QString::fromUtf8(selection::kVerdictImpossible));
        }
        QVERIFY(messages_->texts.isEmpty());
    }

    void emptySearchRangeShowsNoNumbers() {
        // T11 50, T21 40: T12 would run from 45 to 40, so nothing is evaluated.
        enter(Field::T11, QStringLiteral("50"));
        click("cmdLicz");
        for (int c = 1; c < 5; ++c) {
            for (int row = 1; row <= 15; ++row)
                QCOMPARE(cell(row, c), QStringLiteral("---"));
            QCOMPARE(colour(c), kDarkRed);
        }
    }

    void confirmedChangeEmptiesTheResults() {
        click("cmdLicz");
        const QString g1 = cell(3, 1);
        QVERIFY(!g1.isEmpty());
        // The purpose options leave the results in place.
        QTest::mouseClick(panel()->HotWaterOption(), Qt::LeftButton);
        QCOMPARE(cell(3, 1), g1);
        QVERIFY(!window_->CzyWyczyszczone());

        enter(Field::Q, QStringLiteral("300"));
        QVERIFY(window_->CzyWyczyszczone());
        for (int r = 1; r < 17; ++r)
            for (int c = 1; c < 5; ++c)
                QVERIFY(cell(r, c).isEmpty());
        QCOMPARE(cell(0, 1), QStringLiteral("orv2.14"));
        QCOMPARE(cell(16, 0), widgets::Q(kod::ResultLabels[15]));
    }

    void calculationLog() {
        click("cmdLicz");
        const QStringList lines = selectiontest::ReadLog(app_->File("raport.txt"));
        QVERIFY(!lines.isEmpty());
        QCOMPARE(lines.first(), QStringLiteral("********  Początek obliczania ***************"));
        const Point p{200, 20, 150, 15, 40, 100, true};
        int model = 0;
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i] != QStringLiteral("       #############   "))
                continue;
            QCOMPARE(lines[i + 1], QStringLiteral("Dobór wymiennika dla parametrów:"));
            // Bounds: T21 slider 40 + 5 and T11 slider 150 − 10.
            QVERIFY(lines[i + 2].contains(QStringLiteral("T12min= 45 ")));
            QVERIFY(lines[i + 3].contains(QStringLiteral("T12max= 140 ")));
            QVERIFY(lines[i + 4].contains(QStringLiteral("NrWymiennika=")));
            QVERIFY(lines[i + 4].contains(widgets::Q(kod::ModelName(model))));
            QVERIFY(lines[i + 5].contains(QStringLiteral("CO ? =")) &&
                    lines[i + 5].contains(QStringLiteral("True")));
            QVERIFY(lines[i + 12].startsWith(QStringLiteral("t12=")));
            // The section's last trial is the one the search stopped at.
            int last = i + 12;
            while (last + 1 < lines.size() &&
                   !lines[last + 1].startsWith(QStringLiteral("       #")))
                ++last;
            const CoreResult r = Core(p, model);
            if (r.T12 != -1)
                QVERIFY2(lines[last].startsWith(QStringLiteral("t12= %1 ").arg(r.T12)),
                         qPrintable(lines[last]));
            ++model;
        }
        QCOMPARE(model, 4);
    }

    void unwritableLogIsReportedOnce() {
        // A directory in the place of raport.txt cannot be opened as a file.
        QVERIFY(QDir(app_->Path()).mkdir(QStringLiteral("raport.txt.dir")));
        QFile::remove(app_->File("raport.txt"));
        QVERIFY(QDir(app_->Path())
                    .rename(QStringLiteral("raport.txt.dir"), QStringLiteral("raport.txt")));
        click("cmdLicz");
        QCOMPARE(messages_->texts, QStringList{QString::fromUtf8(selection::kLogWriteFailedText)});
        QVERIFY(!cell(16, 1).isEmpty());
        QVERIFY(QDir(app_->File("raport.txt")).removeRecursively());
    }

    void printedPage() {
        widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        // Typed with a decimal comma: printed as typed, calculated as 95.
        enter(Field::T11, QStringLiteral("95,5"));
        click("cmdLicz");
        const QString gridG1 = cell(3, 1);
        // A value put into a box that never had the focus is not confirmed: the page uses it as
        // it stands, and the grid keeps the results of Q = 200.
        panel()->Box(Field::Q)->setText(QStringLiteral("250"));
        messages_->clear();
        click("cmdDruk");
        QCOMPARE(messages_->texts, QStringList{QString::fromUtf8(selection::kPrintSentText)});
        QCOMPARE(cell(3, 1), gridG1);
        QVERIFY(!window_->CzyWyczyszczone());

        testsupport::PdfProbe pdf(pdfPath());
        QVERIFY(pdf.IsOpen());
        QCOMPARE(pdf.PageCount(), 1);
        QVERIFY(pdf.Find(QStringLiteral("Skarvel Polska Spółka z o.o.")));
        QVERIFY(pdf.Find(QStringLiteral("95,5 [°C]")));
        QVERIFY(pdf.Find(QStringLiteral("250 [kW]")));
        QVERIFY(pdf.Find(QStringLiteral("c.o.")));
        // Model columns left to right on the heading line of the table.
        std::optional<QRectF> previous;
        for (int m = 0; m < 4; ++m) {
            const auto name = pdf.Find(widgets::Q(kod::ModelName(m)));
            QVERIFY(name);
            if (previous) {
                QVERIFY(name->left() > previous->right());
                QVERIFY(std::abs(name->center().y() - previous->center().y()) < 1);
            }
            previous = name;
        }
        // The required coefficient of each model, three decimals with the comma, in its column
        // on the line of its label (T11 read as 95, T12 searched from 45 to 85).
        const Point p{250, 20, 95, 15, 40, 90, true};
        const auto label = pdf.Find(widgets::Q(kod::ResultLabels[11]));
        QVERIFY(label);
        for (int m = 0; m < 4; ++m) {
            const CoreResult r = Core(p, m);
            const QString kw = QString::number(r.kw, 'f', 3).replace('.', ',');
            bool onLine = false;
            for (int k = 0; k < pdf.Count(kw); ++k) {
                const auto at = pdf.Find(kw, k);
                if (at && std::abs(at->center().y() - label->center().y()) < 2 &&
                    at->left() > label->right())
                    onLine = true;
            }
            QVERIFY2(onLine, qPrintable(kw));
        }
        QCOMPARE(pdf.Count(QStringLiteral("Typ wymiennika: ")), 4);
        QVERIFY(pdf.Find(QStringLiteral("komentarz do wyników")));

        // The log holds the printing run.
        const QStringList log = selectiontest::ReadLog(app_->File("raport.txt"));
        QCOMPARE(log.value(0),
                 QStringLiteral("********  Początek obliczania do druku***************"));
        QCOMPARE(log.value(2), QStringLiteral("Wejście do procedury drukowania"));
        QCOMPARE(log.filter(QStringLiteral("Obliczenia dla wymiennika =")).size(), 4);
        QVERIFY(log.filter(QStringLiteral("Początek obliczania ***")).isEmpty());
    }

    void printedEmphasis() {
        click("cmdDruk");
        testsupport::PdfProbe pdf(pdfPath());
        QVERIFY(pdf.IsOpen());
        const testsupport::PageImage page = pdf.Render(0, 200);
        int underlined = 0, struck = 0;
        for (int m = 0; m < 4; ++m) {
            const auto entry =
                pdf.Find(QStringLiteral("Typ wymiennika: ") + widgets::Q(kod::ModelName(m)));
            QVERIFY(entry);
            const QRectF r = *entry;
            const QRectF middle(r.left(), r.top() + r.height() * 0.3, r.width(), r.height() * 0.4);
            const QRectF below(r.left(), r.bottom() - r.height() * 0.25, r.width(),
                               r.height() * 0.5);
            const bool strike = page.HorizontalRule(middle).has_value();
            const bool underline = page.HorizontalRule(below).has_value();
            const std::string& verdict = kod::ResultComments[m];
            QCOMPARE(strike, verdict.find("niemożliwe") != std::string::npos);
            QCOMPARE(underline, verdict.find("najkorzystniejszy") != std::string::npos);
            underlined += underline;
            struck += strike;
        }
        QCOMPARE(underlined, 1);
        QVERIFY2(struck >= 1, "the bundled catalogue's default point has a model without T12");
        // A model without a T12 is counted with 0 exchangers.
        QCOMPARE(
            pdf.Text().count(QRegularExpression(QStringLiteral("Liczba wymienników:\\s+0\\b"))),
            struck);
    }

    void printedPageWithoutT12() {
        enter(Field::T11, QStringLiteral("50"));
        click("cmdDruk");
        testsupport::PdfProbe pdf(pdfPath());
        QVERIFY(pdf.IsOpen());
        QCOMPARE(pdf.PageCount(), 1);
        // Every model: 15 values as "---", struck through, 0 exchangers, nothing underlined.
        QVERIFY(pdf.Count(QStringLiteral("---")) >= 4 * 15);
        QCOMPARE(
            pdf.Text().count(QRegularExpression(QStringLiteral("Liczba wymienników:\\s+0\\b"))), 4);
        const testsupport::PageImage page = pdf.Render(0, 200);
        for (int m = 0; m < 4; ++m) {
            const auto entry =
                pdf.Find(QStringLiteral("Typ wymiennika: ") + widgets::Q(kod::ModelName(m)));
            QVERIFY(entry);
            const QRectF r = *entry;
            QVERIFY(page.HorizontalRule(
                QRectF(r.left(), r.top() + r.height() * 0.3, r.width(), r.height() * 0.4)));
            QVERIFY(!page.HorizontalRule(
                QRectF(r.left(), r.bottom() - r.height() * 0.25, r.width(), r.height() * 0.5)));
        }
    }

    void missingPrinter() {
        click("cmdLicz");
        const QString g1 = cell(3, 1);
        messages_->clear();
        widgets::PrintPage::SimulateMissingPrinter(true);
        click("cmdDruk");
        QCOMPARE(messages_->texts, QStringList{QStringLiteral("Wystąpił błąd drukowania")});
        QVERIFY(!QFile::exists(pdfPath()));
        QCOMPARE(cell(3, 1), g1);
        // The log was closed: a new calculation can replace it.
        click("cmdLicz");
        QCOMPARE(selectiontest::ReadLog(app_->File("raport.txt")).value(0),
                 QStringLiteral("********  Początek obliczania ***************"));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    widgets::SetUserLocale(QLocale::c());
    WindowTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "WindowTest.moc"
