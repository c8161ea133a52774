// The two coefficient chart windows on the test catalogue (TestCatalogue.h): what each draws into
// its picture box, its panel's checks and ranges, the clearing rule, the failure message, help and
// closing.
#include "coefficients/frmWskKT.h"
#include "coefficients/frmwsk.h"
#include "panel/OperatingPointPanel.h"
#include "tests/coefficients/TestCatalogue.h"
#include "tests/support/WindowDriver.h"
#include "widgets/ChartExport.h"
#include "widgets/Environment.h"
#include "widgets/MessageBox.h"
#include "widgets/PictureBox.h"
#include "widgets/SaveFile.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <memory>

using panel::Field;
using Op = widgets::PictureBox::Op;

namespace {

const QString kCannotDraw = QStringLiteral("Dla podanych wartości nie można wykonać wykresu");
const QColor kBlack(0, 0, 0), kDarkBlue(0, 0, 128), kDarkRed(128, 0, 0);

enum class Window { ByOutput, ByOutlet };

// A text as drawn: "x,y size 'text' colour".
QString Describe(const Op& op) {
    return QStringLiteral("%1,%2 %3 '%4' %5")
        .arg(op.a.x())
        .arg(op.a.y())
        .arg(op.width)
        .arg(op.text, op.color.name());
}

// A line as drawn: "x1,y1-x2,y2".
QString Ends(const Op& op) {
    return QStringLiteral("%1,%2-%3,%4").arg(op.a.x()).arg(op.a.y()).arg(op.b.x()).arg(op.b.y());
}

// What the user does before pressing cmdLicz in a failure case.
struct Step {
    enum Kind { Enter, Type, Slide } kind;
    Field field;
    const char* text;
    int position;
};
struct Failure {
    const char* name;
    Window window;
    std::vector<Step> steps;
};
const Failure kFailures[] = {
    // Both accepted (T12's upper limit is round(149.5) = 150), yet T11 and T12 both round to
    // 150: the heating water carries no heat and its flow is infinite.
    {"confirmed T11 150.5 and T12 150",
     Window::ByOutput,
     {{Step::Enter, Field::T11, "150.5", 0}, {Step::Enter, Field::T12, "150", 0}}},
    // T12 = 0 still being typed: T12 − T21 = −75, the logarithmic mean is not a number.
    {"T12 0 not confirmed", Window::ByOutput, {{Step::Type, Field::T12, "0", 0}}},
    // Dragged right after opening, T21 = 199 pushes T22 to 200 > T11: T11 − T22 = −50.
    {"T21 slider at 199", Window::ByOutlet, {{Step::Slide, Field::T21, nullptr, 199}}},
};

} // namespace

class CoefficientWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<coefficients::CoefficientWindow> w_;
    QStringList messages_; // texts of the message boxes, marked when the title is wrong

    void open(Window window) {
        w_.reset();
        messages_.clear();
        if (window == Window::ByOutput)
            w_ = std::make_unique<frmwsk>();
        else
            w_ = std::make_unique<frmWskKT>();
        w_->show();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    }
    panel::OperatingPointPanel* panel() const { return w_->Panel(); }
    QLineEdit* box(Field f) const { return panel()->Box(f); }
    QSlider* slider(Field f) const { return panel()->Slider(f); }
    const std::vector<Op>& ops() const { return w_->Picture()->Operations(); }
    void enter(Field f, const QString& text) { testsupport::Enter(panel(), f, text); }
    void click(const char* button) { testsupport::ClickButton(w_.get(), button); }
    QString state(Field f) const { return testsupport::SliderState(panel(), f); }
    QString states() const {
        return QStringLiteral("T21 %1; T12 %2; T22 %3")
            .arg(state(Field::T21), panel()->Has(Field::T12) ? state(Field::T12) : "-",
                 state(Field::T22));
    }
    std::vector<Op> of(Op::Kind kind) const {
        std::vector<Op> found;
        for (const Op& op : ops())
            if (op.kind == kind)
                found.push_back(op);
        return found;
    }
    QStringList texts() const {
        QStringList t;
        for (const Op& op : of(Op::TextOp))
            t << Describe(op);
        return t;
    }
    std::vector<Op> lines(const QColor& colour, double width) const {
        std::vector<Op> found;
        for (const Op& op : of(Op::LineOp))
            if (op.color == colour && op.width == width)
                found.push_back(op);
        return found;
    }
    // The abscissa labels, left to right.
    QStringList abscissaLabels() const {
        QStringList t;
        for (const Op& op : of(Op::TextOp))
            if (op.a.y() == 85)
                t << op.text;
        return t;
    }

private slots:
    void initTestCase() {
        coefficients_test::LoadTestCatalogue();
        QVERIFY(QFile::copy(QStringLiteral(VARMI_HELP_PAGE), dir_.filePath("varmi.html")));
        widgets::SetAppDirectory(dir_.path().toStdString());
    }
    void init() {
        widgets::SetUserLocale(QLocale::c());
        testsupport::RecordMessages(messages_);
    }
    void cleanup() { w_.reset(); }

    // Captions, defaults and tooltips of each window: "text / tooltip", a checked option marked.
    void controls_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        const int out = int(Window::ByOutput), kt = int(Window::ByOutlet);
        const std::tuple<int, const char*, const char*> rows[] = {
            {out, "frmwsk", "Wykres współczynników przenikania w zależności od mocy cielnej"},
            {out, "etTyp", "Wymiennik:"},
            {out, "cmbWymienniki", "orv2.40 / Wybór typu wymiennika"},
            {out, "opCO", "c.o. / wybór centralnego ogrzewania"},
            {out, "opCW", "c.w. * / wybór ciepłej wody użytkowej"},
            {out, "etDp1", "dopuszczalny opór przepływu"},
            {out, "etT11", "temperatura wejściowa T11"},
            {out, "etT12", "temperatura wyściowa T12"},
            {out, "etDp2", "dopuszczalny opór przepływu Dp2"},
            {out, "etT21", "temperatura wejściowa T21"},
            {out, "etT22", "temperatura wyjściowa T22"},
            {out, "defaults", "Dp1 10, T11 150, T12 95, Dp2 30, T21 75, T22 100"},
            {out, "cmdLicz", "Wykonanie obliczeń"},
            {out, "cmdExit", "wyjście z okna doboru wymienników"},
            {kt, "frmWskKT", "Wykres współczynników przenikania w zależności od temperatury T12"},
            {kt, "cmbWymienniki", "orv3.55 / Wybór typu wymiennika"},
            {kt, "opCW", "c.w. * / wybór ciepłej wody użytkowej"},
            {kt, "etQ", "wymagana moc cieplna Q"},
            {kt, "txQ", "300 / wartość wymaganej mocy cieplnej Q"},
            {kt, "etDp1", "dopuszczalny opór  Dp1"},
            {kt, "etDp2", "dopuszczalny opór  Dp2"},
            {kt, "defaults", "Q 300, Dp1 35, T11 150, Dp2 30, T21 75, T22 100"},
            {kt, "cmdLicz", "wykonanie wykresu"},
        };
        for (const auto& [window, name, expected] : rows)
            QTest::addRow("%s %s", window == out ? "frmwsk" : "frmWskKT", name)
                << window << QString::fromUtf8(name) << QString::fromUtf8(expected);
    }
    void controls() {
        QFETCH(int, window);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        open(Window(window));
        QString got;
        if (name == w_->objectName()) {
            got = w_->windowTitle();
        } else if (name == "defaults") {
            QStringList values;
            for (const panel::FieldConfig& c : panel()->Config().fields)
                values << c.boxName.mid(2) + ' ' + box(c.field)->text();
            got = values.join(", ");
        } else if (auto* label = w_->findChild<QLabel*>(name)) {
            got = label->text();
        } else if (auto* edit = w_->findChild<QLineEdit*>(name)) {
            got = edit->text() + " / " + edit->toolTip();
        } else if (auto* combo = w_->findChild<QComboBox*>(name)) {
            got = combo->currentText() + " / " + combo->toolTip();
        } else if (auto* option = w_->findChild<QRadioButton*>(name)) {
            got = option->text() + (option->isChecked() ? " *" : "") + " / " + option->toolTip();
        } else if (auto* button = w_->findChild<QToolButton*>(name)) {
            got = button->toolTip();
        }
        QCOMPARE(got, expected);
    }

    void byOutputOpensWithItsChart() {
        open(Window::ByOutput);
        QVERIFY(!w_->CzyWyczyszczone());
        QCOMPARE(messages_, QStringList());

        // One exchanger below Q = 523.35 kW (samples 0..414), two from sample 415 (x = 515).
        const std::vector<Op> bands = of(Op::FillRectOp);
        QCOMPARE(bands.size(), std::size_t(2));
        QCOMPARE(Ends(bands[0]), QStringLiteral("100,100-515,900"));
        QCOMPARE(bands[0].color, QColor(1, 230, 45));
        QCOMPARE(Ends(bands[1]), QStringLiteral("515,100-900,900"));
        QCOMPARE(bands[1].color, QColor(2, 205, 90));

        // The grid: eleven lines each way at 100, 180, ..., 900.
        const std::vector<Op> grid = lines(kBlack, 1);
        QStringList gridEnds;
        for (const Op& op : grid)
            gridEnds << Ends(op);
        QStringList expectedGrid;
        for (int p : {100, 180, 260, 340, 420, 500, 580, 660, 740, 820, 900})
            expectedGrid << QStringLiteral("100,%1-900,%1").arg(p)
                         << QStringLiteral("%1,100-%1,900").arg(p);
        QCOMPARE(gridEnds, expectedGrid);

        // Curves: kw at 105 (x 100, 101), 355 (514), 228 (515), 344 (899); ke at 767 throughout.
        const std::vector<Op> required = lines(kDarkBlue, 2);
        const std::vector<Op> operating = lines(kDarkRed, 2);
        QCOMPARE(required.size(), std::size_t(414 + 384));
        QCOMPARE(operating.size(), required.size());
        QCOMPARE(Ends(required.front()), QStringLiteral("100,105-101,105"));
        QCOMPARE(Ends(required[413]), QStringLiteral("513,355-514,355"));
        QCOMPARE(Ends(required[414]), QStringLiteral("515,228-516,228"));
        QCOMPARE(Ends(required.back()), QStringLiteral("898,344-899,344"));
        for (const Op& op : operating)
            QVERIFY2(op.a.y() == 767 && op.b.y() == 767 && op.b.x() == op.a.x() + 1,
                     qPrintable(Ends(op)));

        // Bands first, then the grid and the labels, then the curves over both.
        std::size_t lastBand = 0, firstGrid = ops().size(), lastText = 0, firstCurve = ops().size();
        for (std::size_t k = 0; k < ops().size(); ++k) {
            const Op& op = ops()[k];
            if (op.kind == Op::FillRectOp)
                lastBand = k;
            if (op.kind == Op::TextOp)
                lastText = k;
            if (op.kind == Op::LineOp && op.width == 1)
                firstGrid = std::min(firstGrid, k);
            if (op.kind == Op::LineOp && op.width == 2)
                firstCurve = std::min(firstCurve, k);
        }
        QVERIFY(lastBand < firstGrid && lastText < firstCurve);
    }

    void byOutputTexts_data() {
        QTest::addColumn<bool>("polish");
        QTest::newRow("point") << false;
        QTest::newRow("comma") << true;
    }
    void byOutputTexts() {
        QFETCH(bool, polish);
        if (polish)
            widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        open(Window::ByOutput);
        QStringList expected = {
            // Band counts as printed numbers, centred over each band at 950.
            "307.5,950 10 ' 1' #000000",
            "707.5,950 10 ' 2' #000000",
            // The axis 0 .. 1 in tenths, at (30, p + 10), the separator kept on whole numbers.
            "30,110 10 '0.' #000000",
            "30,190 10 '0.1' #000000",
            "30,270 10 '0.2' #000000",
            "30,350 10 '0.3' #000000",
            "30,430 10 '0.4' #000000",
            "30,510 10 '0.5' #000000",
            "30,590 10 '0.6' #000000",
            "30,670 10 '0.7' #000000",
            "30,750 10 '0.8' #000000",
            "30,830 10 '0.9' #000000",
            "30,910 10 '1.' #000000",
            // 100 · j at (p − 10, 85); nothing under the first line.
            "170,85 10 '100' #000000",
            "250,85 10 '200' #000000",
            "330,85 10 '300' #000000",
            "410,85 10 '400' #000000",
            "490,85 10 '500' #000000",
            "570,85 10 '600' #000000",
            "650,85 10 '700' #000000",
            "730,85 10 '800' #000000",
            "810,85 10 '900' #000000",
            "890,85 10 '1000' #000000",
            "300,50 10 'Moc cieplna Q [kW]' #000000",
            "20,970 8 'l.wymienników:' #000000",
            "10,1000 10 'Współczynniki przenikania:' #000000",
        };
        if (polish)
            expected.replaceInStrings(QStringLiteral("'0."), QStringLiteral("'0,"))
                .replaceInStrings(QStringLiteral("'1.'"), QStringLiteral("'1,'"));
        const QStringList got = texts();
        QCOMPARE(got.mid(0, expected.size()), expected);

        // The legend goes on along the same line in the curves' colours.
        QCOMPARE(got.size(), expected.size() + 2);
        const std::vector<Op> t = of(Op::TextOp);
        const Op& colon = t[t.size() - 3];
        const Op& required = t[t.size() - 2];
        const Op& operating = t.back();
        QCOMPARE(required.text, QStringLiteral("wymagany"));
        QCOMPARE(required.color, kDarkBlue);
        QCOMPARE(operating.text, QStringLiteral(", eksploatacyjny"));
        QCOMPARE(operating.color, kDarkRed);
        QVERIFY(colon.a.x() < required.a.x() && required.a.x() < operating.a.x());
        QVERIFY(required.a.y() == 1000 && operating.a.y() == 1000 && operating.width == 10);
        QCOMPARE(colon.fontName, QStringLiteral("Courier New"));
        QVERIFY(colon.bold);
    }

    // Confirmed entries of frmwsk: the message, then T21, T12 and T22 as they end up.
    void byOutputChecks_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("states");
        // T12 within round(T21 + 3) = 78 .. round(T11 − 1) = 149; its slider keeps 1..200 until
        // a range adjustment.
        QTest::newRow("T12 as T11") << int(Field::T12) << "150"
                                    << "Wartość temperatury T12 musi być mniejsza niż 149°C"
                                    << "T21 1..199 at 75 '75'; T12 1..200 at 149 '149'; "
                                       "T22 2..209 at 100 '100'";
        QTest::newRow("T12 as T21 + 2") << int(Field::T12) << "77"
                                        << "Wartość temperatury T12 musi być większa niż 78°C"
                                        << "T21 1..199 at 75 '75'; T12 1..200 at 78 '78'; "
                                           "T22 2..209 at 100 '100'";
        // Accepted T12: T22 kept within 76 .. 145.
        QTest::newRow("T12 accepted") << int(Field::T12) << "120"
                                      << ""
                                      << "T21 1..199 at 75 '75'; T12 1..200 at 120 '120'; "
                                         "T22 76..145 at 100 '100'";
        // T11 90: T21 within 1..83, T12 within 78..89 (95 pulled down), T22 within 76..85.
        QTest::newRow("T11 90") << int(Field::T11) << "90"
                                << ""
                                << "T21 1..83 at 75 '75'; T12 78..89 at 89 '89'; "
                                   "T22 76..85 at 85 '85'";
        QTest::newRow("T21 80") << int(Field::T21) << "80"
                                << ""
                                << "T21 1..199 at 80 '80'; T12 83..149 at 95 '95'; "
                                   "T22 81..145 at 100 '100'";
    }
    void byOutputChecks() {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, states);
        open(Window::ByOutput);
        enter(Field(field), typed);
        QCOMPARE(messages_, QStringList(message.isEmpty() ? 0 : 1, message));
        QCOMPARE(this->states(), states);
        QVERIFY(w_->CzyWyczyszczone());
        QVERIFY(ops().empty());
    }

    void byOutputSliders_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("states");
        // T21 at T11 − 7 pushes T12 up to T11 − 4 and T22 up to T11 − 6.
        QTest::newRow("T21 at 143") << int(Field::T21) << 143
                                    << "T21 1..199 at 143 '143'; T12 146..149 at 146 '146'; "
                                       "T22 144..145 at 144 '144'";
        QTest::newRow("T12 at 120") << int(Field::T12) << 120
                                    << "T21 1..199 at 75 '75'; T12 1..200 at 120 '120'; "
                                       "T22 76..145 at 100 '100'";
        QTest::newRow("T11 at 100") << int(Field::T11) << 100
                                    << "T21 1..93 at 75 '75'; T12 78..99 at 95 '95'; "
                                       "T22 76..95 at 95 '95'";
    }
    void byOutputSliders() {
        QFETCH(int, field);
        QFETCH(int, position);
        QFETCH(QString, states);
        open(Window::ByOutput);
        slider(Field(field))->setValue(position);
        QCOMPARE(this->states(), states);
        QCOMPARE(messages_, QStringList());
        QVERIFY(w_->CzyWyczyszczone());
        QVERIFY(ops().empty());
    }

    // A model or purpose change clears the chart once; cmdLicz then paints over what is there.
    void changeClearsOnce_data() {
        QTest::addColumn<bool>("model");
        QTest::newRow("model") << true;
        QTest::newRow("purpose") << false;
    }
    void changeClearsOnce() {
        QFETCH(bool, model);
        open(Window::ByOutput);
        QComboBox* models = w_->Models();
        auto change = [&](bool back) {
            if (model)
                QTest::keyClick(models, back ? Qt::Key_Up : Qt::Key_Down);
            else
                QTest::mouseClick(back ? panel()->HotWaterOption()
                                       : panel()->CentralHeatingOption(),
                                  Qt::LeftButton);
        };
        QVERIFY(!ops().empty());
        change(false);
        QVERIFY(ops().empty());
        QVERIFY(w_->CzyWyczyszczone());
        if (model)
            QCOMPARE(models->currentText(), QStringLiteral("orv3.55"));

        const QPointF mark(1, 1);
        w_->Picture()->Line(mark, mark, Qt::green); // something on the picture
        change(true);
        QCOMPARE(ops().size(), std::size_t(1)); // not cleared again

        click("cmdLicz");
        QVERIFY(!w_->CzyWyczyszczone());
        QVERIFY(ops().size() > 1);
        QCOMPARE(ops().front().a, mark);
        QCOMPARE(messages_, QStringList());
    }

    // orv2.14 reaches ke = 3.333333: the axis ends at 3.666667 and ke lies at 827.27.
    void chosenModelIsDrawn() {
        open(Window::ByOutput);
        QTest::keyClick(w_->Models(), Qt::Key_Home);
        QCOMPARE(w_->Models()->currentText(), QStringLiteral("orv2.14"));
        click("cmdLicz");
        QVERIFY(texts().contains(QStringLiteral("30,910 10 '3.67' #000000")));
        const std::vector<Op> operating = lines(kDarkRed, 2);
        QVERIFY(!operating.empty());
        QCOMPARE(Ends(operating.front()), QStringLiteral("100,827-101,827"));
    }

    void calculateAgainPaintsOver() {
        open(Window::ByOutput);
        const std::vector<Op> first = ops();
        click("cmdLicz");
        QCOMPARE(ops().size(), 2 * first.size());
        for (std::size_t k = 0; k < first.size(); ++k) {
            const Op &a = first[k], &b = ops()[first.size() + k];
            QVERIFY(a.kind == b.kind && a.a == b.a && a.b == b.b && a.color == b.color &&
                    a.text == b.text);
        }
    }

    void byOutletOpensEmpty() {
        open(Window::ByOutlet);
        QVERIFY(ops().empty());
        QVERIFY(!w_->CzyWyczyszczone());
        QVERIFY(!panel()->Has(Field::T12));
        enter(Field::Q, QStringLiteral("400"));
        QVERIFY(w_->CzyWyczyszczone());
        QVERIFY(ops().empty());
        QCOMPARE(messages_, QStringList());
    }

    // The T12 sweep from the T21 slider + 5 to the T11 slider − 10; labels "##0".
    void byOutletSweeps_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QString>("count");
        // T22 − T21 = 25: G2 / G2dop = 0.573, one exchanger (TestCatalogue.h).
        QTest::newRow("defaults") << int(Field::Q) << "300"
                                  << QStringList{"80",  "86",  "92",  "98",  "104", "110",
                                                 "116", "122", "128", "134", "140"}
                                  << "500,950 10 '1' #000000";
        QTest::newRow("T11 120") << int(Field::T11) << "120"
                                 << QStringList{"80", "83",  "86",  "89",  "92", "95",
                                                "98", "101", "104", "107", "110"}
                                 << "500,950 10 '1' #000000";
        // T21 143 pulls T22 to 144: G2 = 300 / 4.1868 = 71.654 kg/s, G2dop = 5 kg/s: 15
        // exchangers. The sweep 148 .. 140 becomes 148 .. 149.
        QTest::newRow("T21 = T11 - 7")
            << int(Field::T21) << "143" << QStringList{"148", "148", "148", "148", "148", "149",
                                                       "149", "149", "149", "149", "149"}
            << "500,950 10 '15' #000000";
        // T21 135 pulls T22 to 136 (15 exchangers as above); the sweep is 140 .. 140.
        QTest::newRow("T21 = T11 - 15")
            << int(Field::T21) << "135" << QStringList(11, "140") << "500,950 10 '15' #000000";
    }
    void byOutletSweeps() {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QStringList, labels);
        QFETCH(QString, count);
        open(Window::ByOutlet);
        enter(Field(field), typed);
        click("cmdLicz");
        QCOMPARE(messages_, QStringList());
        QCOMPARE(abscissaLabels(), labels);
        const QStringList t = texts();
        QCOMPARE(t.first(), count);
        QVERIFY(t.contains(QStringLiteral("300,50 10 'Temperatura T12[°C]' #000000")));
        QVERIFY(t.contains(QStringLiteral("20,970 8 'l.wymienników:' #000000")));
        QCOMPARE(of(Op::FillRectOp).size(), std::size_t(1));
        const std::vector<Op> required = lines(kDarkBlue, 2);
        QCOMPARE(required.size(), std::size_t(799));
        QCOMPARE(required.back().b.x(), 899.0);
        if (labels.first() == labels.last()) // one T12 for all samples: flat curves
            for (const Op& op : required)
                QVERIFY2(op.a.y() == op.b.y(), qPrintable(Ends(op)));
    }

    void failure_data() {
        QTest::addColumn<int>("i");
        for (std::size_t i = 0; i < std::size(kFailures); ++i)
            QTest::newRow(kFailures[i].name) << int(i);
    }
    void failure() {
        QFETCH(int, i);
        const Failure& c = kFailures[i];
        open(c.window);
        for (const Step& s : c.steps) {
            if (s.kind == Step::Enter) {
                enter(s.field, QString::fromUtf8(s.text));
            } else if (s.kind == Step::Type) {
                box(s.field)->setFocus();
                box(s.field)->selectAll();
                QTest::keyClicks(box(s.field), QString::fromUtf8(s.text));
            } else {
                slider(s.field)->setValue(s.position);
            }
        }
        QCOMPARE(messages_, QStringList());
        const std::vector<Op> before = ops();
        click("cmdLicz");
        QCOMPARE(messages_, QStringList{kCannotDraw});
        QCOMPARE(ops().size(), before.size()); // nothing painted
        for (const Op& op : ops())
            QVERIFY(op.text != QStringLiteral("nan") && op.text != QStringLiteral("inf"));
    }

    void helpOpens_data() {
        QTest::addColumn<bool>("button");
        QTest::newRow("cmdOpis") << true;
        QTest::newRow("F1") << false;
    }
    void helpOpens() {
        QFETCH(bool, button);
        open(Window::ByOutlet);
        if (button)
            click("cmdOpis");
        else
            QTest::keyClick(w_.get(), Qt::Key_F1);
        auto* help = w_->findChild<QDialog*>(QStringLiteral("frmPomoc"));
        QVERIFY(help != nullptr && help->isVisible());
        QCOMPARE(messages_, QStringList());
    }

    // The chart's SVG holds what the picture box holds: a line per line, a text per text, a
    // rectangle per band besides the white ground; the file is proposed under the window's name.
    void chartSavedAsSvg_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("frmwsk") << int(Window::ByOutput) << "wspolczynniki_od_mocy.svg";
        QTest::newRow("frmWskKT") << int(Window::ByOutlet) << "wspolczynniki_od_T12.svg";
    }
    void chartSavedAsSvg() {
        QFETCH(int, window);
        QFETCH(QString, proposed);
        open(Window(window));
        if (ops().empty())
            click("cmdLicz");
        QVERIFY(!of(Op::FillRectOp).empty() && !lines(kDarkBlue, 2).empty());
        QString asked;
        const QString path = dir_.filePath(QStringLiteral("wykres.svg"));
        widgets::SetSaveFileHandler([&](const widgets::SaveRequest& r) {
            asked = QFileInfo(r.proposedPath).fileName();
            return path;
        });
        for (QAction* a : w_->Picture()->actions())
            if (a->text() == QString::fromUtf8(widgets::kSaveSvgText))
                a->trigger();
        widgets::SetSaveFileHandler({});
        QCOMPARE(asked, proposed);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray svg = file.readAll();
        QCOMPARE(int(svg.count("<polyline")), int(of(Op::LineOp).size()));
        QCOMPARE(int(svg.count("<text")), int(of(Op::TextOp).size()));
        QCOMPARE(int(svg.count("<rect")), int(of(Op::FillRectOp).size()) + 1);
        QVERIFY(svg.contains("stroke=\"#000080\"")); // the dark blue curve
        QCOMPARE(messages_, QStringList());
    }

    void closingEmitsFinished_data() {
        QTest::addColumn<int>("window");
        QTest::newRow("frmwsk") << int(Window::ByOutput);
        QTest::newRow("frmWskKT") << int(Window::ByOutlet);
    }
    void closingEmitsFinished() {
        QFETCH(int, window);
        open(Window(window));
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
};

QTEST_MAIN(CoefficientWindowTest)
#include "WindowTest.moc"
