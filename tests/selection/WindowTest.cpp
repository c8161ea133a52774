#include "core/Calculations.h"
#include "core/Catalogue.h"
#include "core/Cp1250.h"
#include "panel/OperatingPointPanel.h"
#include "selection/SelectionPrintout.h"
#include "selection/frmDobor.h"
#include "tests/support/PdfProbe.h"
#include "widgets/Environment.h"
#include "widgets/LogicalLayout.h"
#include "widgets/MessageBox.h"
#include "widgets/PrintPage.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <memory>

using panel::Field;

namespace {

struct Point {
    double Q, Dp1, T11, Dp2, T21, T22;
    bool co;
};
const Point kDefault{200, 20, 150, 15, 40, 100, true};

// What the core finds for model m: the 15 grid values (NaN where "---" is due) and the excess.
struct Expected {
    std::array<double, 15> values;
    bool found = false;
    double excess = 0;
    int n = 0;
};

Expected Core(const Point& p, int m) {
    const double none = std::nan("");
    Expected x;
    x.values.fill(none);
    double T12 = -1, kw = 0, ke = 0;
    std::int16_t n = 0;
    // The search runs from the T21 slider + 5 to the T11 slider − 10; an empty range tries nothing.
    if (p.T21 + 5 > p.T11 - 10)
        return x;
    kod::FindOutletTemperature(p.T21 + 5, p.T11 - 10, static_cast<std::int16_t>(m), p.co, p.Dp1,
                               p.Dp2, p.T11, T12, p.T21, p.T22, p.Q, kw, ke, n, false);
    const kod::EvaluationRecord& e = kod::EvaluationResult;
    x.found = T12 != -1;
    x.n = x.found ? n : 0;
    x.excess = (ke - kw) / kw * 100; // definition of the excess
    auto f = [&](double v) { return x.found ? v : none; };
    x.values = {e.G1dop,  e.G2dop,  e.G1,     e.G2, e.G1Ratio, e.G2Ratio,   f(n),  f(e.Gr1),
                f(e.Gr2), f(e.dP1), f(e.dP2), kw,   f(ke),     f(x.excess), f(T12)};
    return x;
}

// The four models at a point and the variant the rule (tested on its own) chooses among them.
struct Run {
    std::array<Expected, 4> x;
    selection::Choice choice;
    explicit Run(const Point& p) : x{Core(p, 0), Core(p, 1), Core(p, 2), Core(p, 3)} {
        for (int m = 0; m < 4; ++m)
            if (x[m].found)
                choice.Offer(m, x[m].n, x[m].excess);
    }
    bool Best(int m) const { return choice.HasBest() && choice.BestModel() == m; }
};

// Values confirmed with Enter at the default point, where the limits are Q 10..1000, Dp1 1..100
// (its slider up to 70), T21 1 .. T11 − 7 = 143, T22 T21 + 1 = 41 .. T11 − 5 = 145.
struct Check {
    Field field;
    const char *typed, *message, *state; // message "": accepted
};
const Check kChecks[] = {
    {Field::Q, "1000", "", "10..1000 at 1000 '1000'"},
    {Field::Q, "1000.5", "Wartość mocy cieplnej Q musi być mniejsza niż 1000 kW",
     "10..1000 at 1000 '1000'"},
    {Field::Dp1, "85", "", "1..70 at 70 '85'"},
    {Field::T21, "144", "Wartość temperatury T21 musi być mniejsza niż 143°C",
     "1..199 at 143 '143'"},
    {Field::T21, "143", "", "1..199 at 143 '143'"},
    {Field::T21, "40.5", "", "1..199 at 40 '40.5'"}, // halves round to even
    {Field::T22, "40", "Wartość temperatury T22 musi być większa niż 41°C", "2..209 at 41 '41'"},
};

// Keys typed into a box (after a prefix put there), the messages shown while typing and the
// slider position after Enter (-1: no Enter), read up to letters or a comma. "\b" is Backspace.
struct Typing {
    const char *name, *prefix, *keys, *message;
    Field field;
    bool commaLocale;
    int messages, position;
};
const Typing kTyping[] = {
    // "1" and "12" are numbers, "12a" and "12ab" are not.
    {"letters after 12", "", "12ab", "moc cieplna musi być liczbą", Field::Q, false, 2, 12},
    {"comma locale", "95,", "5", "", Field::T11, true, 0, 95},
    {"point locale", "95,", "5", "temperatura musi być liczbą", Field::T11, false, 1, 95},
    {"emptied", "20", "\b\b", "opór przepływu musi być liczbą", Field::Dp1, false, 1, -1},
    {"inf", "", "inf", "temperatura musi być liczbą", Field::T21, false, 3, -1},
};

// Rows of a table test, named after one of the entries' texts.
template <typename T, std::size_t N> void Rows(const T (&table)[N], const char* T::*name) {
    QTest::addColumn<int>("i");
    for (std::size_t i = 0; i < N; ++i)
        QTest::newRow(table[i].*name) << int(i);
}

} // namespace

Q_DECLARE_METATYPE(Point)

class SelectionTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<frmDobor> w_;
    QStringList messages_; // texts of the message boxes, marked when the title is wrong

    panel::OperatingPointPanel* panel() const { return w_->Panel(); }
    QLineEdit* box(Field f) const { return panel()->Box(f); }
    QSlider* slider(Field f) const { return panel()->Slider(f); }
    QString file(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QString cell(int row, int column) const { return w_->Grid()->item(row, column)->text(); }
    void enter(Field f, const QString& text) {
        box(f)->setFocus();
        box(f)->setText(text);
        QTest::keyClick(box(f), Qt::Key_Return);
    }
    void click(const char* button) {
        QTest::mouseClick(w_->findChild<QToolButton*>(button), Qt::LeftButton);
    }
    // A slider's range and position with its box's text, e.g. "1..39 at 39 '39'".
    QString state(Field f) const {
        return QString::asprintf("%d..%d at %d '%s'", slider(f)->minimum(), slider(f)->maximum(),
                                 slider(f)->value(), qUtf8Printable(box(f)->text()));
    }
    // raport.txt decoded from Windows-1250.
    QStringList log() const {
        QFile f(file("raport.txt"));
        return f.open(QIODevice::ReadOnly)
                   ? QString::fromStdString(kod::FromCp1250(f.readAll().toStdString()))
                         .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)
                   : QStringList();
    }

private slots:
    void initTestCase() {
        QVERIFY(QFile::copy(QStringLiteral(VARMI_CATALOGUE), file("parametr.txt")));
        // pathpdf.txt present, so that no drive is searched.
        QVERIFY(kod::WritePdfPathFile(dir_.path().toStdString(), "/tmp/"));
        widgets::SetAppDirectory(dir_.path().toStdString());
        kod::LoadParameters(dir_.path().toStdString());
    }
    void init() {
        widgets::SetUserLocale(QLocale::c());
        widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
            const bool titled = r.title == QStringLiteral("Dobór wymienników firmy Skarvel");
            messages_ << (titled ? r.text : QStringLiteral("[%1] %2").arg(r.title, r.text));
            return true;
        });
        messages_.clear();
        w_ = std::make_unique<frmDobor>();
        w_->show();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
        widgets::PrintPage::RedirectToPdf(file("page.pdf"));
        QFile::remove(file("page.pdf"));
    }
    void cleanup() {
        widgets::PrintPage::SimulateMissingPrinter(false);
        w_.reset();
    }

    void checkOnEnter_data() { Rows(kChecks, &Check::typed); }
    void checkOnEnter() {
        QFETCH(int, i);
        const Check& c = kChecks[i];
        enter(c.field, QString::fromUtf8(c.typed));
        QCOMPARE(messages_, QStringList(*c.message ? 1 : 0, QString::fromUtf8(c.message)));
        QCOMPARE(state(c.field), QString::fromUtf8(c.state));
        QCOMPARE(QApplication::focusWidget(), box(c.field));
    }

    void typing_data() { Rows(kTyping, &Typing::name); }
    void typing() {
        QFETCH(int, i);
        const Typing& c = kTyping[i];
        if (c.commaLocale)
            widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        QLineEdit* b = box(c.field);
        const int before = slider(c.field)->value();
        b->setFocus();
        panel()->SetCzyWyczyszczone(false); // as after a calculation
        b->setText(QString::fromUtf8(c.prefix));
        QTest::keyClicks(b, QString::fromUtf8(c.keys));
        QCOMPARE(messages_, QStringList(c.messages, QString::fromUtf8(c.message)));
        QCOMPARE(QApplication::focusWidget(), b);
        messages_.clear();
        if (c.position < 0) {
            // Nothing else changes until the value is confirmed.
            QCOMPARE(slider(c.field)->value(), before);
            QVERIFY(!w_->CzyWyczyszczone());
            return;
        }
        QTest::keyClick(b, Qt::Key_Return);
        QCOMPARE(messages_, QStringList());
        QCOMPARE(b->text(), QString::fromUtf8(c.prefix) + QString::fromUtf8(c.keys));
        QCOMPARE(slider(c.field)->value(), c.position);
    }

    void oneCheckPerConfirmation_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<bool>("real");
        QTest::newRow("real box, Enter") << Qt::Key_Return << true;
        QTest::newRow("real box, Tab") << Qt::Key_Tab << true;
        QTest::newRow("focus taken in the box") << Qt::Key_Return << false;
    }
    void oneCheckPerConfirmation() {
        QFETCH(Qt::Key, key);
        QFETCH(bool, real);
        if (real)
            widgets::SetMessageHandler({});
        else // a recorded box that moves the focus to another control of the window
            widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
                messages_ << r.text;
                w_->Grid()->setFocus();
                return true;
            });
        // Each real modal box takes the focus from the text box; it is closed as by a user.
        QTimer closer;
        connect(&closer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                messages_ << box->text();
                box->accept();
            }
        });
        closer.start(10);
        box(Field::Dp2)->setFocus();
        box(Field::Dp2)->setText(QStringLiteral("50"));
        QTest::keyClick(box(Field::Dp2), key);
        QTest::qWait(50);
        QCOMPARE(messages_, QStringList{QStringLiteral("Wartość dopuszczalnego opru przepływu Dp2 "
                                                       "musi być mniejsza niż 40 kPa")});
        QCOMPARE(box(Field::Dp2)->text(), QStringLiteral("40"));
        QCOMPARE(w_->focusWidget(), box(Field::Dp2));
    }

    void t11OfEightNarrowsT21AndT22() {
        enter(Field::T11, QStringLiteral("8"));
        // T21 within 1 .. 8 − 7 = 1, T22 within T21 + 1 = 2 .. 8 − 5 = 3; both pulled down.
        QCOMPARE(state(Field::T21), QStringLiteral("1..1 at 1 '1'"));
        QCOMPARE(state(Field::T22), QStringLiteral("2..3 at 3 '3'"));
    }

    void t11SliderKeepsT21Below_data() {
        QTest::addColumn<QString>("t21");
        QTest::newRow("T21 40 pulled to 46 - 7") << "40";
        QTest::newRow("T21 39 stays") << "39";
    }
    void t11SliderKeepsT21Below() {
        QFETCH(QString, t21);
        enter(Field::T21, t21);
        slider(Field::T11)->setFocus();
        // 150 − 10 page steps of 10 − 4 single steps = 46.
        for (int i = 0; i < 14; ++i)
            QTest::keyClick(slider(Field::T11), i < 10 ? Qt::Key_PageDown : Qt::Key_Left);
        QCOMPARE(state(Field::T11), QStringLiteral("8..210 at 46 '46'"));
        QCOMPARE(state(Field::T21), QStringLiteral("1..39 at 39 '39'"));
        // T22 pulled from 100 to 46 − 5 = 41.
        QCOMPARE(state(Field::T22), QStringLiteral("40..41 at 41 '41'"));
    }

    void closingEmitsFinished() {
        QSignalSpy finished(w_.get(), &QDialog::finished);
        click("cmdExit");
        QCOMPARE(finished.count(), 1);
        w_->show();
        w_->close(); // the close box
        QCOMPARE(finished.count(), 2);
    }

    void gridAgreesWithTheCore_data() {
        QTest::addColumn<Point>("p");
        QTest::addColumn<bool>("anyFound");
        QTest::newRow("default point") << kDefault << true;
        QTest::newRow("no model suffices") << Point{1000, 100, 20, 40, 5, 14, false} << false;
        // T12 would run from 45 to 40.
        QTest::newRow("empty search range") << Point{200, 20, 50, 15, 40, 45, true} << false;
    }
    void gridAgreesWithTheCore() {
        QFETCH(Point, p);
        QFETCH(bool, anyFound);
        // T11 first: the T21 and T22 ranges follow it.
        const std::pair<Field, double> values[] = {{Field::T11, p.T11}, {Field::T21, p.T21},
                                                   {Field::T22, p.T22}, {Field::Q, p.Q},
                                                   {Field::Dp1, p.Dp1}, {Field::Dp2, p.Dp2}};
        for (const auto& [f, v] : values)
            enter(f, QString::number(v));
        QTest::mouseClick(p.co ? panel()->CentralHeatingOption() : panel()->HotWaterOption(),
                          Qt::LeftButton);
        click("cmdLicz");
        QCOMPARE(messages_, QStringList());
        const Run run(p);
        QCOMPARE(run.choice.HasBest(), anyFound);
        // Shown rounded: within half a unit of the last digit.
        const double half[] = {.005, .005, .005, .005,  .005,  .005, .5, .005,
                               .005, .005, .005, .0005, .0005, .05,  .05};
        for (int m = 0; m < 4; ++m) {
            const Expected& x = run.x[m];
            for (int row = 1; row <= 15; ++row) {
                const double v = x.values[row - 1];
                QString shown = cell(row, m + 1);
                const QByteArray where =
                    QString::asprintf("model %d row %d: %s vs %g", m, row, qPrintable(shown), v)
                        .toUtf8();
                QVERIFY2(std::isnan(v) ? shown == QStringLiteral("---")
                                       : (row != 14 || shown.endsWith('%')) &&
                                             std::abs(shown.remove('%').toDouble() - v) <=
                                                 half[row - 1] * 1.0001,
                         where);
            }
            const QTableWidgetItem* verdict = w_->Grid()->item(16, m + 1);
            const int kind = !x.found ? 0 : run.Best(m) ? 1 : x.excess > 10 ? 2 : 3;
            const QColor colours[] = {{128, 0, 0}, {0, 128, 0}, {0, 128, 128}, {0, 0, 0}};
            const char* texts[] = {selection::kVerdictImpossible, "najkorzystniejszy wariant",
                                   selection::kVerdictExcessive, selection::kVerdictPossible};
            QCOMPARE(verdict->foreground().color(), colours[kind]);
            QCOMPARE(verdict->text(), QString::fromUtf8(texts[kind]) +
                                          (kind == 1 && run.choice.LoweringAdvised()
                                               ? "\n\n ale zalecane obniżenie temperatur T21 i T12"
                                               : ""));
        }
    }

    void purposeChangeKeepsTheGrid() {
        click("cmdLicz");
        const QString g1 = cell(3, 1);
        QVERIFY(!g1.isEmpty());
        QTest::mouseClick(panel()->HotWaterOption(), Qt::LeftButton);
        QCOMPARE(cell(3, 1), g1);
        QVERIFY(!w_->CzyWyczyszczone());
        // A confirmed value empties it.
        enter(Field::Q, QStringLiteral("300"));
        QVERIFY(w_->CzyWyczyszczone());
        QVERIFY(cell(1, 1).isEmpty() && cell(16, 4).isEmpty());
    }

    void calculationLog() {
        click("cmdLicz");
        const QStringList sections =
            log().join('\n').split(QStringLiteral("Dobór wymiennika dla parametrów:"));
        QCOMPARE(sections.size(), 5);
        QVERIFY(sections[0].startsWith(QStringLiteral("********  Początek obliczania ****")));
        for (int m = 0; m < 4; ++m) {
            // Bounds: the T21 slider 40 + 5 and the T11 slider 150 − 10.
            const QString& s = sections[m + 1];
            QVERIFY(s.contains(QRegularExpression(
                QStringLiteral("T12min= 45 \n.*T12max= 140 \n.*NrWymiennika= %1 +%2\n")
                    .arg(m)
                    .arg(QRegularExpression::escape(widgets::Q(kod::ModelName(m)))),
                QRegularExpression::DotMatchesEverythingOption)));
            // The last trial is the one the search stopped at.
            const Expected x = Core(kDefault, m);
            QVERIFY(!x.found || s.mid(s.lastIndexOf(QStringLiteral("t12=")))
                                    .startsWith(QStringLiteral("t12= %1 ").arg(x.values[14])));
        }
    }

    void unwritableLogIsReportedOnce() {
        QFile::remove(file("raport.txt"));
        QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("raport.txt")));
        click("cmdLicz");
        QCOMPARE(messages_, QStringList{QString::fromUtf8(selection::kLogWriteFailedText)});
        QVERIFY(!cell(16, 1).isEmpty()); // the calculation ran
        QVERIFY(QDir(file("raport.txt")).removeRecursively());
    }

    void printedPage() {
        widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        // T11 typed with a decimal comma: printed as typed, calculated as 95.
        enter(Field::T11, QStringLiteral("95,5"));
        box(Field::Q)->setFocus();
        click("cmdLicz");
        // Still being typed when the button is clicked: printed as it stands, and the grid
        // keeps its results.
        box(Field::Q)->selectAll();
        QTest::keyClicks(box(Field::Q), QStringLiteral("250"));
        click("cmdDruk");
        QCOMPARE(QApplication::focusWidget(), box(Field::Q));
        QCOMPARE(messages_, QStringList{QString::fromUtf8(selection::kPrintSentText)});
        QVERIFY(!w_->CzyWyczyszczone());
        const QStringList printLog = log();
        QCOMPARE(printLog.value(0),
                 QStringLiteral("********  Początek obliczania do druku***************"));
        QCOMPARE(printLog.filter(QStringLiteral("Obliczenia dla wymiennika =")).size(), 4);

        testsupport::PdfProbe pdf(file("page.pdf"));
        QCOMPARE(pdf.PageCount(), 1);
        const QString text = pdf.Text();
        QVERIFY(text.contains(QStringLiteral("95,5 [°C]")) && text.contains("250 [kW]"));
        // T22 pulled down to 95 − 5 = 90; T12 searched from 45 to 85.
        const Run run({250, 20, 95, 15, 40, 90, true});
        const auto kwLabel = pdf.Find(widgets::Q(kod::ResultLabels[11]));
        QVERIFY(kwLabel);
        const auto page = pdf.Render(0, 200);
        double previous = 0;
        int missing = 0;
        for (int m = 0; m < 4; ++m) {
            const QString name = widgets::Q(kod::ModelName(m));
            missing += !run.x[m].found;
            // Columns left to right, each with its kw on the kw label's line.
            const auto head = pdf.Find(name);
            QVERIFY(head && head->left() > previous);
            previous = head->right();
            const QString kw = QString::number(run.x[m].values[11], 'f', 3).replace('.', ',');
            bool inColumn = false;
            for (int k = 0; auto at = pdf.Find(kw, k); ++k)
                inColumn = inColumn || (std::abs(at->left() - head->left()) < 1 &&
                                        std::abs(at->center().y() - kwLabel->center().y()) < 2);
            QVERIFY2(inColumn, qPrintable(name + ' ' + kw));
            // Comment: struck through without T12 (0 exchangers), underlined when best.
            const QRegularExpression count(
                QStringLiteral("Typ wymiennika: %1\\s+Liczba wymienników:\\s+(\\d+)")
                    .arg(QRegularExpression::escape(name)));
            QCOMPARE(count.match(text).captured(1).toInt(), run.x[m].n);
            const auto r = pdf.Find(QStringLiteral("Typ wymiennika: ") + name);
            QVERIFY(r);
            const double y = r->top(), h = r->height();
            QCOMPARE(page.HorizontalRule({r->left(), y + h * .3, r->width(), h * .4}).has_value(),
                     !run.x[m].found);
            QCOMPARE(page.HorizontalRule({r->left(), y + h * .75, r->width(), h * .5}).has_value(),
                     run.Best(m));
        }
        QVERIFY2(missing > 0 && run.choice.HasBest(), "a model without T12 and a best one");
        // Eight "---" for each model without T12 (exchangers to T12, except kw).
        QCOMPARE(int(text.count(QStringLiteral("---"))), 8 * missing);
    }

    void missingPrinter() {
        widgets::PrintPage::SimulateMissingPrinter(true);
        click("cmdDruk");
        QCOMPARE(messages_, QStringList{QStringLiteral("Wystąpił błąd drukowania")});
        QVERIFY(!QFile::exists(file("page.pdf")));
        // The log was closed: a new calculation replaces it.
        click("cmdLicz");
        QVERIFY(log().value(0).startsWith(QStringLiteral("********  Początek obliczania ****")));
    }
};

// The panel as the chart windows configure it.
class ChartPanelTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QWidget> host_;
    panel::OperatingPointPanel* panel_ = nullptr;
    int clears_ = 0;
    QStringList messages_;

    void make(const panel::PanelConfig& config) {
        host_ = std::make_unique<QWidget>();
        host_->resize(1024, 768);
        auto* layout = new widgets::LogicalLayout(host_.get(), 1024, 768, config.yUp);
        clears_ = 0;
        panel_ =
            new panel::OperatingPointPanel(host_.get(), layout, config, [this] { ++clears_; });
        host_->show();
        QVERIFY(QTest::qWaitForWindowActive(host_.get()));
    }
    void enter(Field f, const QString& text) {
        panel_->Box(f)->setFocus();
        panel_->Box(f)->setText(text);
        QTest::keyClick(panel_->Box(f), Qt::Key_Return);
    }

private slots:
    void init() {
        widgets::SetUserLocale(QLocale::c());
        messages_.clear();
        widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
            messages_ << r.text;
            return true;
        });
    }
    void cleanup() { host_.reset(); }

    void purposeChangeClears_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("output nomogram") << 0;
        QTest::newRow("coefficients by output") << 1;
        QTest::newRow("coefficients by outlet") << 2;
    }
    void purposeChangeClears() {
        QFETCH(int, which);
        const panel::PanelConfig configs[] = {panel::OutputNomogramPanelConfig(),
                                                  panel::CoefficientsByOutputPanelConfig(),
                                                  panel::CoefficientsByOutletPanelConfig()};
        make(configs[which]);
        QCOMPARE(panel_->Has(Field::Q), which == 2);
        QCOMPARE(panel_->Has(Field::T12), which == 1);
        QCOMPARE(panel_->CentralHeating(), which == 0); // "c.o." at opening in the nomogram only
        QTest::mouseClick(which == 0 ? static_cast<QAbstractButton*>(panel_->HotWaterOption())
                                     : panel_->CentralHeatingOption(),
                          Qt::LeftButton);
        QCOMPARE(clears_, 1);
        QCOMPARE(panel_->CentralHeating(), which != 0);
    }

    void t12StaysBetweenT21AndT11() {
        make(panel::CoefficientsByOutputPanelConfig());
        QCOMPARE(panel_->Box(Field::T12)->text(), QStringLiteral("95"));
        // T21 143 = T11 − 7 pushes T12 up to T21 + 3 = 146; its range is 146 .. T11 − 1 = 149.
        enter(Field::T21, QStringLiteral("143"));
        QCOMPARE(panel_->Box(Field::T12)->text(), QStringLiteral("146"));
        QCOMPARE(panel_->Slider(Field::T12)->minimum(), 146);
        QCOMPARE(panel_->Slider(Field::T12)->maximum(), 149);
        enter(Field::T12, QStringLiteral("150"));
        QCOMPARE(messages_, QStringList{QStringLiteral(
                                "Wartość temperatury T12 musi być mniejsza niż 149°C")});
        QCOMPARE(panel_->Box(Field::T12)->text(), QStringLiteral("149"));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SelectionTest t;
    ChartPanelTest charts;
    return QTest::qExec(&t, argc, argv) | QTest::qExec(&charts, argc, argv);
}

#include "WindowTest.moc"
