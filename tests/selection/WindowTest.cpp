// The selection window with the bundled catalogue: the cases of tests/data/selection_window.txt
// (entries, grid, log, printed page), the layout and the faults it reports.
#include "core/Catalogue.h"
#include "core/Cp1250.h"
#include "selection/DesignReport.h"
#include "selection/SelectionPrintout.h"
#include "selection/SelectionRun.h"
#include "selection/frmDobor.h"
#include "tests/support/PdfProbe.h"
#include "tests/support/WindowDriver.h"
#include "widgets/Environment.h"
#include "widgets/PrintPage.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QTableWidget>

namespace {

const QString kData = QStringLiteral(VARMI_TEST_DATA "/selection_window.txt");
QList<QStringList> Rows(const char* tag) {
    return testsupport::DataRows(kData, tag);
}
// The data rows of that tag, each with its fields joined by "|".
QStringList Lines(const char* tag) {
    QStringList lines;
    for (const QStringList& r : Rows(tag))
        lines << r.join('|');
    return lines;
}

} // namespace

class SelectionTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<frmDobor> w_;
    QStringList messages_;

    QLineEdit* box(const QString& name) const { return w_->findChild<QLineEdit*>("tx" + name); }
    QString file(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QString cell(int row, int column) const { return w_->Grid()->item(row, column)->text(); }
    void click(const char* name) { testsupport::ClickButton(w_.get(), name); }
    void enter(const QString& name, const QString& text) {
        box(name)->setFocus();
        box(name)->setText(text);
        QTest::keyClick(box(name), Qt::Key_Return);
    }
    QString state(const QString& name) const {
        for (const panel::FieldConfig& c : w_->Panel()->Config().fields)
            if (c.boxName == "tx" + name)
                return testsupport::SliderState(w_->Panel(), c.field);
        return {};
    }
    // raport.txt decoded from Windows-1250, a line a string.
    QStringList log() const {
        QFile f(file("raport.txt"));
        const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        return QString::fromStdString(kod::FromCp1250(bytes.toStdString())).trimmed().split("\r\n");
    }

private slots:
    void initTestCase() {
        QVERIFY(QFile::copy(QStringLiteral(VARMI_CATALOGUE), file("parametr.txt")));
        widgets::SetAppDirectory(dir_.path().toStdString());
        kod::LoadParameters(dir_.path().toStdString());
        widgets::PrintPage::RedirectToPdf(file("page.pdf"));
    }
    void init() {
        widgets::SetUserLocale(QLocale::c());
        testsupport::RecordMessages(messages_);
        messages_.clear();
        w_ = std::make_unique<frmDobor>();
        w_->show();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    }
    void cleanup() { w_.reset(); }

    void choice_data() { testsupport::AddDataRows(kData, "O"); }
    void choice() {
        QFETCH(QStringList, row);
        selection::Choice choice;
        const QStringList offers = row[0].split(' ', Qt::SkipEmptyParts);
        int chosen = -1;
        for (int m = 0; m < offers.size(); ++m)
            if (choice.Offer(m, offers[m].section(':', 0, 0).toInt(),
                             offers[m].section(':', 1).toDouble()))
                chosen = m;
        QCOMPARE(choice.HasBest() ? choice.BestModel() : -1, row[1].toInt());
        QVERIFY(!choice.HasBest() ||
                (chosen == row[1].toInt() && choice.LoweringAdvised() == (row[2] == "1")));
    }

    // A confirmed entry, even a rejected one, empties the grid; typing alone does not.
    void entries_data() { testsupport::AddDataRows(kData, "E"); }
    void entries() {
        QFETCH(QStringList, row);
        if (row[4] == "1")
            widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        box(row[0])->setFocus();
        click("cmdLicz");
        box(row[0])->setText(row[1]);
        QTest::keyClicks(box(row[0]), QString(row[2]).replace("\\b", "\b"));
        if (row[3] == "1")
            QTest::keyClick(box(row[0]), Qt::Key_Return);
        QCOMPARE(messages_.join("; "), row[5]);
        QCOMPARE(state(row[0]) + "; " + state("T21") + "; " + state("T22"), row[6]);
        QCOMPARE(QApplication::focusWidget(), box(row[0]));
        QVERIFY(w_->CzyWyczyszczone() == (row[3] == "1") &&
                cell(1, 1).isEmpty() == (row[3] == "1"));
    }

    // A message box takes the focus from the box it checks: that must not check it again.
    void oneCheckPerConfirmation() {
        widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
            messages_ << r.text;
            w_->Grid()->setFocus();
            return true;
        });
        enter("Dp2", "50");
        QCOMPARE(messages_.join('|') + '|' + box("Dp2")->text() + '|' +
                     w_->focusWidget()->objectName(),
                 "Wartość dopuszczalnego opru przepływu Dp2 musi być mniejsza niż 40 kPa|40|txDp2");
    }

    // Each model's 15 values, verdict and its colour; the purpose alone keeps the results.
    void grid_data() { testsupport::AddDataRows(kData, "G"); }
    void grid() {
        QFETCH(QStringList, row);
        QList<QStringList> models;
        for (const QStringList& m : Rows("M"))
            if (m[0] == QLatin1String(QTest::currentDataTag()))
                models << m.mid(1);
        QCOMPARE(models.size(), 4);
        const char* names[] = {"T11", "T21", "T22", "Q", "Dp1", "Dp2"};
        for (int k = 0; k < 6; ++k)
            enter(names[k], row[k]);
        const bool co = row[6] == "1";
        QTest::mouseClick(w_->findChild<QWidget*>(co ? "opCO" : "opCW"), Qt::LeftButton);
        click("cmdLicz");
        QTest::mouseClick(w_->findChild<QWidget*>(co ? "opCW" : "opCO"), Qt::LeftButton);
        QCOMPARE(messages_, QStringList());
        for (int m = 1; m <= 4; ++m) {
            QStringList shown, expected = models[m - 1].mid(0, 16);
            for (int r = 0; r <= 16; ++r)
                shown << cell(r, m);
            const QString verdict = models[m - 1][17];
            QCOMPARE(shown, expected << QString(verdict).replace("\\n", "\n"));
            QCOMPARE(w_->Grid()->item(16, m)->foreground().color(), QColor(models[m - 1][16]));
            QCOMPARE(QString::fromStdString(kod::ResultComments[m - 1]),
                     QString(verdict).replace("\\n", "\r\n"));
        }
    }

    // The default point's log, each run of trial lines counted and its last line kept.
    void calculationLog() {
        click("cmdLicz");
        QStringList lines;
        int run = 0;
        for (const QString& line : log()) {
            run = line.startsWith("t12=") ? run + 1 : 0;
            if (run > 1)
                lines.removeLast();
            lines << (run ? QString::number(run) + '|' + line : line);
        }
        QCOMPARE(lines, Lines("L"));
    }

    // The page: each input line's value on its caption's line, at one tab right of every
    // caption, lines in the order listed; each model's values on their labels' lines under its
    // name; its comment struck through or underlined. The grid keeps the screen's results; the
    // log holds the printing run; the PDF export writes the same page.
    void printedPage() {
        widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        enter("T11", QStringLiteral("95,5"));
        box("Q")->setFocus();
        click("cmdLicz");
        box("Q")->selectAll();
        QTest::keyClicks(box("Q"), QStringLiteral("250")); // not confirmed
        click("cmdDruk");
        QCOMPARE(messages_, QStringList{QString::fromUtf8(selection::kPrintSentText)});
        QVERIFY(!cell(1, 1).isEmpty() && !w_->CzyWyczyszczone());
        QCOMPARE(log().filter(QRegularExpression("^(\\*|Wej|Obliczenia dla wymiennika)")),
                 Lines("W"));
        const testsupport::PdfProbe pdf(file("page.pdf"));
        QCOMPARE(pdf.PageCount(), 1);
        QHash<QString, int> seen;
        QHash<QString, double> left; // of the captions at each tab, and of the values
        // The first input line below the heading's three 10-point lines and the title's four
        // 14-point lines (Liberation Serif: 1.149 em a line) from the 10 mm margin, 127.2 points.
        double previous = 127.2;
        for (const QStringList& in : Rows("I")) {
            const auto caption = pdf.Find(in[0], seen[in[0]]++);
            QVERIFY2(caption && caption->top() > previous && caption->top() < previous + 30,
                     qPrintable(in[0]));
            previous = caption->top();
            QVERIFY(std::abs(left.value(in[1], caption->left()) - caption->left()) < 2);
            left.insert(in[1], caption->left());
            const auto value = in[2].isEmpty() ? caption : pdf.Find(in[2]);
            QVERIFY2(value && std::abs(value->center().y() - caption->center().y()) < 2 &&
                         (in[2].isEmpty() ||
                          std::abs(left.value("55", value->left()) - value->left()) < 2),
                     qPrintable(in[2]));
            left.insert(in[2].isEmpty() ? "" : "55", value->left());
        }
        QVERIFY(left["14"] > left["10"] + 10 && left["55"] > left["14"] + 200);
        const QList<QStringList> labels = Rows("B");
        const auto heading = pdf.Find(labels[0][0]);
        const QString text = pdf.Text();
        const testsupport::PageImage page = pdf.Render(0, 200);
        std::optional<QRectF> first;
        int m = 0;
        for (const QStringList& model : Rows("R")) {
            const auto head = pdf.Find(model[0]);
            first = first ? first : head;
            QVERIFY(heading && head && std::abs(head->center().y() - heading->center().y()) < 2);
            // Names at tabs 90, 102, 114, 126, the labels at tab 10.
            QVERIFY(
                std::abs((head->left() - first->left()) / (first->left() - heading->left()) * 80 -
                         12 * m++) < 0.3);
            for (int row = 1; row <= 15; ++row) {
                const auto label = pdf.Find(labels[row][0]);
                QVERIFY(label && std::abs(label->left() - heading->left()) < 1);
                bool inPlace = false;
                for (const QRectF& at : pdf.FindAll(model[row]))
                    inPlace = inPlace || (std::abs(at.left() - head->left()) < 1 &&
                                          std::abs(at.center().y() - label->center().y()) < 2);
                QVERIFY2(inPlace, qPrintable(model[0] + ' ' + model[row]));
            }
            QVERIFY(text.contains("Typ wymiennika: " + model[0] +
                                  " Liczba wymienników: " + model[16] + "\r\n"));
            const auto r = pdf.Find("Typ wymiennika: " + model[0]);
            QVERIFY(r);
            const double y = r->top(), h = r->height();
            QCOMPARE(page.HorizontalRule({r->left(), y + h * .3, r->width(), h * .4}).has_value(),
                     model[17] == "1");
            QCOMPARE(page.HorizontalRule({r->left(), y + h * .75, r->width(), h * .5}).has_value(),
                     model[17] == "2");
        }

        testsupport::SaveAs(w_->findChild<QWidget*>("cmdDruk"), widgets::kSavePdfText,
                            file("dobor.pdf"));
        QCOMPARE(testsupport::PdfProbe(file("dobor.pdf")).Text(), text);
    }

    // The design report after a calculation: the selection page as printed, then the flow through
    // one exchanger and its drop of the most favourable model read on each circuit's page, a
    // title block on every page; with no possible model, the selection page only, saying so.
    void designReport_data() { testsupport::AddDataRows(kData, "G"); }
    void designReport() {
        QFETCH(QStringList, row);
        const char* names[] = {"T11", "T21", "T22", "Q", "Dp1", "Dp2"};
        for (int k = 0; k < 6; ++k)
            enter(names[k], row[k]);
        QTest::mouseClick(w_->findChild<QWidget*>(row[6] == "1" ? "opCO" : "opCW"), Qt::LeftButton);
        click("cmdLicz");
        QWidget* print = w_->findChild<QWidget*>("cmdDruk");
        testsupport::SaveAs(print, widgets::kSavePdfText, file("dobor.pdf"));
        testsupport::SaveAs(print, selection::kReportText, file("report.pdf"));
        const testsupport::PdfProbe pdf(file("report.pdf"));
        QStringList best;
        for (const QStringList& m : Rows("M"))
            if (m[0] == QLatin1String(QTest::currentDataTag()) && m[17] == "#008000")
                best = m.mid(1);
        const int pages = best.isEmpty() ? 1 : 6;
        QCOMPARE(pdf.PageCount(), pages);
        QVERIFY(pdf.Text().startsWith(testsupport::PdfProbe(file("dobor.pdf")).Text()));
        QCOMPARE(pdf.Text().contains(QString::fromUtf8(selection::kNoExchangerText)),
                 best.isEmpty());
        for (int p = 0; p < pages; ++p) {
            const QString text = pdf.PageText(p);
            QVERIFY2(
                text.contains(QStringLiteral("Varmi 1.0.0 – strona %1 z %2").arg(p + 1).arg(pages)),
                qPrintable(text));
            for (const QStringList& d : Rows("D"))
                for (const QString& label : d[1].split(' '))
                    QVERIFY2(p != 5 || d[0] != QTest::currentDataTag() || text.contains(label),
                             qPrintable(label));
            if (p == 0 || p >= 3)
                continue;
            // The heating water reads Gr1 and dP1, the heated water Gr2 and dP2.
            for (const QString& value : {best[0], best[7 + p] + " [kg/s]", best[9 + p] + " [kPa]"})
                QVERIFY2(text.contains(value), qPrintable(text));
        }
    }

    // Opened at 95 % of the screen, centred, with its captions; the grid fills its room, its font
    // growing with the window; no caption in it or in the panel (clear of its box, at full size)
    // wrapped at 1920 × 1080 nor cut at 1024 × 768.
    void layout() {
        const QRect available = w_->screen()->availableGeometry();
        QVERIFY((w_->geometry().center() - available.center()).manhattanLength() <= 2);
        QCOMPARE(w_->size(), (available.size() * 0.95).expandedTo(w_->minimumSize()));
        testsupport::CompareCaptions(w_.get(), VARMI_TEST_DATA "/captions.txt");
        for (int row = 1; row <= 15; ++row)
            QCOMPARE(cell(row, 0), Rows("B")[row][0]);
        for (const QSize screen : {QSize(1920, 1080), QSize(1024, 768)}) {
            w_->resize(screen * 0.95);
            QTest::qWait(20);
            const QTableWidget* g = w_->Grid();
            const QFontMetrics metrics(g->font());
            int height = 0;
            for (int row = 0; row < 17; ++row) {
                height += g->rowHeight(row);
                const QRect needed = metrics.boundingRect(QRect(0, 0, g->columnWidth(0) - 6, 9999),
                                                          Qt::TextWordWrap, cell(row, 0));
                QVERIFY(needed.height() <=
                        (screen.width() < 1920 ? g->rowHeight(row) : metrics.lineSpacing()));
            }
            QVERIFY(height >= g->viewport()->height() - 17 && height <= g->viewport()->height());
            QVERIFY(screen.width() < 1920 ||
                    g->font().pointSizeF() > QApplication::font().pointSizeF());
            for (const panel::FieldConfig& c : w_->Panel()->Config().fields) {
                const QLabel* l = w_->Panel()->Label(c.field);
                const QFontMetrics m(l->font());
                QVERIFY2(
                    !l->geometry().intersects(w_->Panel()->Box(c.field)->geometry()) &&
                        (screen.width() < 1920
                             ? m.boundingRect(l->contentsRect(), Qt::TextWordWrap, c.caption)
                                       .height() <= l->contentsRect().height()
                             : m.horizontalAdvance(c.caption) <= l->contentsRect().width() &&
                                   l->font().pointSizeF() >= QApplication::font().pointSizeF()),
                    qPrintable(c.labelName));
            }
        }
    }

    // Q typed as 1e300 and not confirmed: its flows and ratios cannot be shown, on the screen or
    // the page (nor a number of many digits); a log that cannot be written is told once.
    void faults() {
        box("Q")->selectAll();
        QTest::keyClicks(box("Q"), QStringLiteral("1e300"));
        messages_.clear();
        QVERIFY(QFile::remove(file("raport.txt")) && QDir(dir_.path()).mkdir("raport.txt"));
        click("cmdLicz");
        QVERIFY(QDir(file("raport.txt")).removeRecursively());
        click("cmdDruk");
        QCOMPARE(messages_, (QStringList{"Nie można zapisać przebiegu obliczeń w pliku raport.txt.",
                                         QString::fromUtf8(selection::kPrintSentText)}));
        for (int m = 1; m <= 4; ++m)
            for (int row = 3; row <= 6; ++row) // G1, G2, G1/G1dop, G2/G2dop
                QCOMPARE(cell(row, m), QStringLiteral("---"));
        const QString page = testsupport::PdfProbe(file("page.pdf")).Text();
        QVERIFY(page.contains(QStringLiteral("1e300 [kW]")) &&
                !page.contains(QRegularExpression("\\d{16}")));
    }
};

QTEST_MAIN(SelectionTest)
#include "WindowTest.moc"
