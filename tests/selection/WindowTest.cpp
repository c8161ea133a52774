// The selection window with the bundled catalogue: the cases of tests/data/selection_window.txt
// (entries, grid, log, printed page), the layout and the faults it reports.
#include "core/Catalogue.h"
#include "core/Cp1250.h"
#include "selection/SelectionPrintout.h"
#include "selection/frmDobor.h"
#include "tests/support/PdfProbe.h"
#include "tests/support/WindowDriver.h"
#include "widgets/Environment.h"
#include "widgets/PrintPage.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>

namespace {

QList<QStringList> Rows(const char* tag) {
    return testsupport::DataRows(QStringLiteral(VARMI_TEST_DATA "/selection_window.txt"), tag);
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
        for (QSlider* s : w_->findChildren<QSlider*>())
            if (s->objectName().compare("sl" + name, Qt::CaseInsensitive) == 0)
                return QStringLiteral("%1..%2 at %3 '%4'")
                    .arg(s->minimum())
                    .arg(s->maximum())
                    .arg(s->value())
                    .arg(box(name)->text());
        return {};
    }
    // raport.txt decoded from Windows-1250, a line a string.
    QStringList log() const {
        QFile f(file("raport.txt"));
        return f.open(QIODevice::ReadOnly)
                   ? QString::fromStdString(kod::FromCp1250(f.readAll().toStdString()))
                         .split("\r\n", Qt::SkipEmptyParts)
                   : QStringList();
    }

private slots:
    void initTestCase() {
        QVERIFY(QFile::copy(QStringLiteral(VARMI_CATALOGUE), file("parametr.txt")));
        QCOMPARE(kod::WritePdfPathFile(dir_.path().toStdString(), "/tmp/"),
                 kod::PdfPathWrite::Written);
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
    void cleanup() {
        widgets::PrintPage::SimulateMissingPrinter(false);
        w_.reset();
    }

    // A confirmed entry, even a rejected one, empties the grid; typing alone does not.
    void entries_data() {
        QTest::addColumn<QStringList>("e");
        for (const QStringList& e : Rows("E"))
            QTest::newRow(qPrintable(e[0])) << e.mid(1);
    }
    void entries() {
        QFETCH(QStringList, e);
        if (e[4] == "1")
            widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        box(e[0])->setFocus();
        click("cmdLicz");
        box(e[0])->setText(e[1]);
        QTest::keyClicks(box(e[0]), QString(e[2]).replace("\\b", "\b"));
        if (e[3] == "1")
            QTest::keyClick(box(e[0]), Qt::Key_Return);
        QCOMPARE(messages_.join("; "), e[5]);
        QCOMPARE(state(e[0]) + "; " + state("T21") + "; " + state("T22"), e[6]);
        QCOMPARE(QApplication::focusWidget(), box(e[0]));
        QCOMPARE(w_->CzyWyczyszczone(), e[3] == "1");
        QCOMPARE(cell(1, 1).isEmpty(), e[3] == "1");
    }

    // A real message box takes the focus from the box it checks: that must not check it again.
    void oneCheckPerConfirmation() {
        widgets::SetMessageHandler({});
        QTimer closer;
        connect(&closer, &QTimer::timeout, [this] {
            if (auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                messages_ << shown->text(), shown->accept();
        });
        closer.start(10);
        box("Dp2")->setFocus();
        box("Dp2")->setText(QStringLiteral("50"));
        QTest::keyClick(box("Dp2"), Qt::Key_Tab);
        QTest::qWait(50);
        QCOMPARE(
            messages_,
            QStringList{"Wartość dopuszczalnego opru przepływu Dp2 musi być mniejsza niż 40 kPa"});
        QCOMPARE(box("Dp2")->text() + '|' + w_->focusWidget()->objectName(),
                 QStringLiteral("40|txDp2"));
    }

    // Each model's 15 values, verdict and its colour; the purpose alone keeps the results.
    void grid_data() {
        QTest::addColumn<QStringList>("point");
        QTest::addColumn<QList<QStringList>>("models");
        const QList<QStringList> points = Rows("G"), models = Rows("M");
        QCOMPARE(models.size(), 4 * points.size());
        for (int p = 0; p < points.size(); ++p)
            QTest::newRow(qPrintable(points[p][0])) << points[p].mid(1) << models.mid(4 * p, 4);
    }
    void grid() {
        QFETCH(QStringList, point);
        QFETCH(QList<QStringList>, models);
        const char* names[] = {"T11", "T21", "T22", "Q", "Dp1", "Dp2"};
        for (int k = 0; k < 6; ++k)
            enter(names[k], point[k]);
        const bool co = point[6] == "1";
        QTest::mouseClick(w_->findChild<QRadioButton*>(co ? "opCO" : "opCW"), Qt::LeftButton);
        click("cmdLicz");
        QTest::mouseClick(w_->findChild<QRadioButton*>(co ? "opCW" : "opCO"), Qt::LeftButton);
        QCOMPARE(messages_, QStringList());
        const QList<QStringList> labels = Rows("B");
        QStringList column = {"Parametr / typ wymiennika"};
        for (int row = 1; row < 16; ++row)
            column << labels.value(row).value(0);
        column << "komentarz do wyników";
        for (int m = 0; m <= 4; ++m) {
            QStringList shown;
            for (int row = 0; row < 17; ++row)
                shown << cell(row, m);
            const QString verdict = m ? models[m - 1][16] : QString();
            if (m)
                column =
                    QStringList{QStringList{"orv2.14", "orv1.22", "orv2.40", "orv3.55"}[m - 1]} +
                        models[m - 1].mid(0, 15)
                    << QString(verdict).replace("\\n", "\n");
            QCOMPARE(shown, column);
            if (!m)
                continue;
            QCOMPARE(w_->Grid()->item(16, m)->foreground().color(), QColor(models[m - 1][15]));
            QCOMPARE(QString::fromStdString(kod::ResultComments[m - 1]),
                     QString(verdict).replace("\\n", "\r\n"));
        }
    }

    // The default point's log, its trial lines counted apart.
    void calculationLog() {
        click("cmdLicz");
        QStringList headers, trials;
        for (const QString& line : log()) {
            if (line.startsWith("Dobór"))
                trials << "0|";
            if (!line.startsWith("t12=") || trials.isEmpty())
                headers << line;
            else
                trials.last() =
                    QString::number(trials.last().section('|', 0, 0).toInt() + 1) + '|' + line;
        }
        QStringList expected, expectedTrials;
        for (const QStringList& l : Rows("L"))
            expected << l[0];
        for (const QStringList& t : Rows("T"))
            expectedTrials << t[1] + '|' + t[2];
        QCOMPARE(headers, expected);
        QCOMPARE(trials, expectedTrials);
    }

    // The page: each input line's value on its caption's line, at one tab right of every
    // caption, lines in the order listed; each model's values on their labels' lines under its
    // name; its comment struck through or underlined. The grid keeps the screen's results; the
    // log holds the printing run; the PDF export writes the same page; a missing printer is told.
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
        QCOMPARE(log().mid(0, 3).join('|'),
                 "********  Początek obliczania do druku***************|                     "
                 "|Wejście do procedury drukowania");
        QCOMPARE(log().filter(QRegularExpression("^Obliczenia dla wymiennika = +[0-3] $")).size(),
                 4);
        const testsupport::PdfProbe pdf(file("page.pdf"));
        QCOMPARE(pdf.PageCount(), 1);
        QHash<QString, int> seen;
        QHash<QString, double> left; // of the captions at each tab, and of the values
        double previous = 0;
        for (const QStringList& in : Rows("I")) {
            const auto caption = pdf.Find(in[0], seen[in[0]]++);
            QVERIFY2(caption && caption->top() > previous, qPrintable(in[0]));
            previous = caption->top();
            QVERIFY(std::abs(left.value(in[1], caption->left()) - caption->left()) < 2);
            left.insert(in[1], caption->left());
            const auto value = in[2].isEmpty() ? caption : pdf.Find(in[2]);
            QVERIFY2(value && std::abs(value->center().y() - caption->center().y()) < 2,
                     qPrintable(in[2]));
            QVERIFY(in[2].isEmpty() ||
                    std::abs(left.value("55", value->left()) - value->left()) < 2);
            left.insert(in[2].isEmpty() ? "" : "55", value->left());
        }
        QVERIFY(left["14"] > left["10"] + 10 && left["55"] > left["14"] + 200);
        const QList<QStringList> labels = Rows("B");
        const auto heading = pdf.Find(labels[0][0]);
        QVERIFY(heading);
        const QString text = pdf.Text();
        const testsupport::PageImage page = pdf.Render(0, 200);
        double right = heading->right();
        for (const QStringList& model : Rows("R")) {
            const auto head = pdf.Find(model[0]);
            QVERIFY(head && head->left() > right &&
                    std::abs(head->center().y() - heading->center().y()) < 2);
            right = head->right();
            for (int row = 1; row <= 15; ++row) {
                const auto label = pdf.Find(labels[row][0]);
                QVERIFY(label && std::abs(label->left() - heading->left()) < 1);
                bool inPlace = false;
                for (const QRectF& at : pdf.FindAll(model[row]))
                    inPlace = inPlace || (std::abs(at.left() - head->left()) < 1 &&
                                          std::abs(at.center().y() - label->center().y()) < 2);
                QVERIFY2(inPlace, qPrintable(model[0] + ' ' + model[row]));
            }
            const QRegularExpression count(
                "Typ wymiennika: " + QRegularExpression::escape(model[0]) +
                "\\s+Liczba wymienników:\\s+(\\d+)");
            QCOMPARE(count.match(text).captured(1), model[16]);
            const auto r = pdf.Find("Typ wymiennika: " + model[0]);
            QVERIFY(r);
            const double y = r->top(), h = r->height();
            QCOMPARE(page.HorizontalRule({r->left(), y + h * .3, r->width(), h * .4}).has_value(),
                     model[17] == "1");
            QCOMPARE(page.HorizontalRule({r->left(), y + h * .75, r->width(), h * .5}).has_value(),
                     model[17] == "2");
        }
        QCOMPARE(int(text.count(QStringLiteral("---"))), 8 * 3);

        widgets::PrintPage::SimulateMissingPrinter(true);
        messages_.clear();
        testsupport::SaveAs(w_->findChild<QWidget*>("cmdDruk"), widgets::kSavePdfText,
                            file("dobor.pdf"));
        QCOMPARE(testsupport::PdfProbe(file("dobor.pdf")).Text(), text);
        QFile::remove(file("page.pdf"));
        click("cmdDruk");
        QCOMPARE(messages_.value(0).section(" | ", 0, 0),
                 QStringLiteral("Wystąpił błąd drukowania"));
        QVERIFY(!QFile::exists(file("page.pdf")));
    }

    // Opened at 95 % of the screen, centred, with its captions; the grid fills its room, its font
    // growing with the window, no caption in it wrapped at 1920 × 1080 nor cut at 1024 × 768.
    void layout_data() {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("1920x1080") << QSize(1920, 1080);
        QTest::newRow("1024x768") << QSize(1024, 768);
    }
    void layout() {
        QFETCH(QSize, screen);
        const QRect available = w_->screen()->availableGeometry();
        QVERIFY((w_->geometry().center() - available.center()).manhattanLength() <= 2);
        QCOMPARE(w_->size(), (available.size() * 0.95).expandedTo(w_->minimumSize()));
        for (const QStringList& k : testsupport::DataRows(VARMI_TEST_DATA "/captions.txt", "K"))
            if (k[0] == w_->objectName())
                QCOMPARE(testsupport::Caption(w_.get(), k[1]), k[2]);
        w_->resize(screen * 0.95);
        QTest::qWait(20);
        const QTableWidget* g = w_->Grid();
        const QFontMetrics metrics(g->font());
        int height = 0;
        for (int row = 0; row < 17; ++row) {
            height += g->rowHeight(row);
            const QRect needed = metrics.boundingRect(QRect(0, 0, g->columnWidth(0) - 6, 9999),
                                                      Qt::TextWordWrap, cell(row, 0));
            QVERIFY2(needed.height() <=
                         (screen.width() < 1920 ? g->rowHeight(row) : metrics.lineSpacing()),
                     qPrintable(cell(row, 0)));
        }
        QVERIFY(height >= g->viewport()->height() - 17 && height <= g->viewport()->height());
        QVERIFY(screen.width() < 1920 ||
                g->font().pointSizeF() > QApplication::font().pointSizeF());
    }

    // Q typed as 1e300 and not confirmed: its flows and ratios cannot be shown, on the screen or
    // the page; a log that cannot be written is told once, the calculation done.
    void faults() {
        static const QRegularExpression longNumber(QStringLiteral("\\d{16,}"));
        box("Q")->selectAll();
        QTest::keyClicks(box("Q"), QStringLiteral("1e300"));
        messages_.clear();
        QVERIFY(QFile::remove(file("raport.txt")) && QDir(dir_.path()).mkdir("raport.txt"));
        click("cmdLicz");
        QVERIFY(QDir(file("raport.txt")).removeRecursively());
        click("cmdDruk");
        QCOMPARE(messages_, (QStringList{"Nie można zapisać przebiegu obliczeń w pliku raport.txt.",
                                         QString::fromUtf8(selection::kPrintSentText)}));
        for (int m = 1; m <= 4; ++m) {
            for (int row = 3; row <= 6; ++row) // G1, G2, G1/G1dop, G2/G2dop
                QCOMPARE(cell(row, m), QStringLiteral("---"));
            for (int row = 1; row <= 16; ++row)
                QVERIFY2(!longNumber.match(cell(row, m)).hasMatch(), qPrintable(cell(row, m)));
        }
        const QString page = testsupport::PdfProbe(file("page.pdf")).Text();
        QVERIFY(page.contains(QStringLiteral("1e300 [kW]")) && !longNumber.match(page).hasMatch());
    }
};

QTEST_MAIN(SelectionTest)
#include "WindowTest.moc"
