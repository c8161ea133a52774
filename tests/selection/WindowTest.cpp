#include "core/Calculations.h"
#include "core/Catalogue.h"
#include "core/Cp1250.h"
#include "panel/OperatingPointPanel.h"
#include "selection/SelectionPrintout.h"
#include "selection/frmDobor.h"
#include "tests/support/PdfProbe.h"
#include "tests/support/WindowDriver.h"
#include "widgets/Environment.h"
#include "widgets/LogicalLayout.h"
#include "widgets/MessageBox.h"
#include "widgets/PrintPage.h"
#include "widgets/ReportOutput.h"
#include "widgets/SaveFile.h"
#include "widgets/TableExport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
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

// An operating point as typed (T11 first, so that the T21 and T22 ranges follow it) and what the
// grid shows for it: the 15 values of each model as displayed in the C locale, then the verdict
// kind of each model and whether the lowering advice is given. The values come from a separate
// calculation of the catalogue's formulas written for these tests (not from this program).
enum Kind { Impossible, Possible, Excessive, Best };
using Column = std::array<const char*, 15>;
struct GridCase {
    const char* name;
    const char *T11, *T21, *T22, *Q, *Dp1, *Dp2;
    bool co;
    std::array<Column, 4> columns;
    std::array<Kind, 4> kinds;
    bool lowering;
};
const GridCase kGrids[] = {
    // The default point: orv2.14 first, replaced by orv2.40 (fewer exchangers), then by orv3.55
    // (same count, smaller excess).
    {"default point",
     "150",
     "40",
     "100",
     "200",
     "20",
     "15",
     true,
     {{{"0.97", "0.86", "0.98", "0.80", "1.01", "0.93", "2", "0.49", "0.40", "5.67", "3.77",
        "1.280", "1.538", "20.1%", "102.0"},
       {"1.07", "0.88", "4.65", "0.80", "4.33", "0.90", "---", "---", "---", "---", "---", "0.284",
        "---", "---", "---"},
       {"1.08", "0.92", "0.89", "0.80", "0.82", "0.86", "1", "0.89", "0.80", "13.98", "11.53",
        "1.560", "1.573", "0.9%", "97.0"},
       {"1.10", "0.98", "0.55", "0.80", "0.50", "0.81", "1", "0.55", "0.80", "5.57", "10.34",
        "1.590", "1.596", "0.3%", "64.0"}}},
     {Excessive, Impossible, Possible, Best},
     false},
    // T12 is tried at 10 °C only (T21 slider 5 + 5 = T11 slider 20 − 10); nothing suffices.
    {"no model suffices",
     "20",
     "5",
     "14",
     "1000",
     "100",
     "40",
     false,
     {{{"1.94", "1.29", "23.87", "26.43", "12.30", "20.44", "---", "---", "---", "---", "---",
        "5.426", "---", "---", "---"},
       {"2.13", "1.33", "23.87", "26.43", "11.20", "19.89", "---", "---", "---", "---", "---",
        "6.498", "---", "---", "---"},
       {"2.16", "1.39", "23.87", "26.43", "11.03", "19.03", "---", "---", "---", "---", "---",
        "3.303", "---", "---", "---"},
       {"2.23", "1.48", "23.87", "26.43", "10.70", "17.91", "---", "---", "---", "---", "---",
        "2.446", "---", "---", "---"}}},
     {Impossible, Impossible, Impossible, Impossible},
     false},
    // T12 would run from 45 to 40: no trial at all, so no number is shown.
    {"empty search range",
     "50",
     "40",
     "45",
     "200",
     "20",
     "15",
     true,
     {{{"---", "---", "---", "---", "---", "---", "---", "---", "---", "---", "---", "---", "---",
        "---", "---"},
       {"---", "---", "---", "---", "---", "---", "---", "---", "---", "---", "---", "---", "---",
        "---", "---"},
       {"---", "---", "---", "---", "---", "---", "---", "---", "---", "---", "---", "---", "---",
        "---", "---"},
       {"---", "---", "---", "---", "---", "---", "---", "---", "---", "---", "---", "---", "---",
        "---", "---"}}},
     {Impossible, Impossible, Impossible, Impossible},
     false},
    // A small output: every model suffices at the first trial with a large excess; orv2.14 is
    // chosen first and orv1.22 (same count, 88.8 %) replaces it, with the lowering advice.
    {"lowering advised",
     "210",
     "40",
     "50",
     "10",
     "20",
     "15",
     true,
     {{{"0.97", "0.83", "0.01", "0.24", "0.01", "0.29", "1", "0.01", "0.24", "0.01", "1.59",
        "0.160", "0.542", "239.2%", "45.0"},
       {"1.06", "0.85", "0.01", "0.24", "0.01", "0.28", "1", "0.01", "0.24", "0.01", "2.17",
        "0.183", "0.346", "88.8%", "45.0"},
       {"1.08", "0.89", "0.01", "0.24", "0.01", "0.27", "1", "0.01", "0.24", "0.01", "1.40",
        "0.093", "0.363", "289.7%", "45.0"},
       {"1.11", "0.95", "0.01", "0.24", "0.01", "0.25", "1", "0.01", "0.24", "0.01", "1.25",
        "0.063", "0.377", "498.7%", "45.0"}}},
     {Excessive, Best, Excessive, Excessive},
     true},
};

// The page printed with T11 typed as "95,5" (used as 95.5; its slider 96 pulls T22 to 91, so T12
// runs from 45 to 86) and Q typed as "250" without confirming: the 15 values of each model in the
// page's formats, from the same separate calculation.
const std::array<Column, 4> kPrinted = {{
    {"0,94", "0,85", "5,94", "1,17", "6,32", "1,37", "---", "---", "---", "---", "---", "1,000",
     "---", "---", "---"},
    {"1,03", "0,88", "5,94", "1,17", "5,75", "1,34", "---", "---", "---", "---", "---", "1,275",
     "---", "---", "---"},
    {"1,05", "0,92", "5,94", "1,17", "5,67", "1,28", "---", "---", "---", "---", "---", "0,648",
     "---", "---", "---"},
    {"1,08", "0,97", "4,25", "1,17", "3,93", "1,20", "4,00", "1,06", "0,29", "19,38", "1,72",
     "1,049", "1,062", "1,24", "82,0"},
}};
const int kPrintedCounts[4] = {0, 0, 0, 4};

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
// slider position after Enter (-1: no Enter), read up to letters (and a comma in the C
// locale). "\b" is Backspace.
struct Typing {
    const char *name, *prefix, *keys, *message;
    Field field;
    bool commaLocale;
    int messages, position;
};
const Typing kTyping[] = {
    // "1" and "12" are numbers, "12a" and "12ab" are not.
    {"letters after 12", "", "12ab", "moc cieplna musi być liczbą", Field::Q, false, 2, 12},
    {"comma locale", "95,", "5", "", Field::T11, true, 0, 96}, // 95.5, halves to even
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
    // The state of the printed page: T11 typed with a decimal comma (printed as typed, calculated
    // as 95.5), then Q typed as 250 but still being typed when the print button is clicked.
    void printedState() {
        widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        enter(Field::T11, QStringLiteral("95,5"));
        box(Field::Q)->setFocus();
        click("cmdLicz");
        box(Field::Q)->selectAll();
        QTest::keyClicks(box(Field::Q), QStringLiteral("250"));
        click("cmdDruk");
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
        QCOMPARE(kod::WritePdfPathFile(dir_.path().toStdString(), "/tmp/"),
                 kod::PdfPathWrite::Written);
        widgets::SetAppDirectory(dir_.path().toStdString());
        kod::LoadParameters(dir_.path().toStdString());
    }
    void init() {
        widgets::SetUserLocale(QLocale::c());
        widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
            const bool titled = r.title == QStringLiteral("Dobór wymienników firmy Skarvel");
            QString text = titled ? r.text : QStringLiteral("[%1] %2").arg(r.title, r.text);
            messages_ << (r.detail.isEmpty() ? text : text + QStringLiteral(" | ") + r.detail);
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

    void typeIn(const GridCase& c) {
        const std::pair<Field, const char*> values[] = {{Field::T11, c.T11}, {Field::T21, c.T21},
                                                        {Field::T22, c.T22}, {Field::Q, c.Q},
                                                        {Field::Dp1, c.Dp1}, {Field::Dp2, c.Dp2}};
        for (const auto& [f, v] : values)
            enter(f, QString::fromLatin1(v));
        QTest::mouseClick(c.co ? panel()->CentralHeatingOption() : panel()->HotWaterOption(),
                          Qt::LeftButton);
    }

    void grid_data() { Rows(kGrids, &GridCase::name); }
    void grid() {
        QFETCH(int, i);
        const GridCase& c = kGrids[i];
        typeIn(c);
        click("cmdLicz");
        QCOMPARE(messages_, QStringList());
        const QColor colours[] = {{128, 0, 0}, {0, 0, 0}, {0, 128, 128}, {0, 128, 0}};
        const QString texts[] = {
            QString::fromUtf8(selection::kVerdictImpossible),
            QString::fromUtf8(selection::kVerdictPossible),
            QString::fromUtf8(selection::kVerdictExcessive),
            QStringLiteral("najkorzystniejszy wariant") +
                (c.lowering ? QStringLiteral("\n\n ale zalecane obniżenie temperatur T21 i T12")
                            : QString())};
        for (int m = 0; m < 4; ++m) {
            for (int row = 1; row <= 15; ++row)
                QVERIFY2(cell(row, m + 1) == QLatin1String(c.columns[m][row - 1]),
                         qPrintable(QStringLiteral("model %1 row %2: %3")
                                        .arg(m)
                                        .arg(row)
                                        .arg(cell(row, m + 1))));
            const QTableWidgetItem* verdict = w_->Grid()->item(16, m + 1);
            QCOMPARE(verdict->foreground().color(), colours[c.kinds[m]]);
            QCOMPARE(verdict->text(), texts[c.kinds[m]]);
            QCOMPARE(QString::fromStdString(kod::ResultComments[m]).replace("\r\n", "\n"),
                     texts[c.kinds[m]]);
        }
    }

    // Numbers line up on the right, texts (labels, verdicts) start on the left; the verdict row
    // is tall enough for the longest verdict at the smallest window size.
    void gridAlignmentAndVerdictRow() {
        click("cmdLicz");
        QTableWidget* g = w_->Grid();
        QVERIFY(g->item(1, 1)->textAlignment() & Qt::AlignRight);
        QVERIFY(g->item(15, 4)->textAlignment() & Qt::AlignRight);
        QVERIFY(g->item(16, 2)->textAlignment() & Qt::AlignLeft);
        QVERIFY(g->item(3, 0)->textAlignment() & Qt::AlignLeft);
        w_->resize(w_->minimumSize());
        QTest::qWait(20);
        const QTableWidgetItem* impossible = g->item(16, 2); // orv1.22 finds no T12
        const QRect needed = QFontMetrics(g->font()).boundingRect(
            QRect(0, 0, g->columnWidth(2) - 6, 100000), Qt::TextWordWrap, impossible->text());
        QVERIFY2(needed.height() <= g->rowHeight(16),
                 qPrintable(QStringLiteral("%1 > %2").arg(needed.height()).arg(g->rowHeight(16))));
    }

    // At 1024 × 768 every caption of the panel is whole; at the smallest size the buttons and
    // options do not overlap.
    void captionsWholeAndNothingOverlaps() {
        w_->resize(1024, 768);
        QTest::qWait(20);
        for (QLabel* label : w_->findChildren<QLabel*>()) {
            const QRect room = label->contentsRect();
            const QRect needed = QFontMetrics(label->font())
                                     .boundingRect(QRect(0, 0, room.width(), 100000),
                                                   Qt::TextWordWrap, label->text());
            QVERIFY2(needed.height() <= room.height() && needed.width() <= room.width(),
                     qPrintable(label->objectName()));
        }
        w_->resize(640, 480);
        QTest::qWait(20);
        QVERIFY(w_->width() >= w_->minimumWidth() && w_->height() >= w_->minimumHeight());
        QList<QWidget*> fixed;
        for (const char* name : {"cmdLicz", "cmdDruk", "cmdExit", "opCO", "opCW"})
            fixed << w_->findChild<QWidget*>(name);
        for (int a = 0; a < fixed.size(); ++a)
            for (int b = a + 1; b < fixed.size(); ++b)
                QVERIFY2(!fixed[a]->geometry().intersects(fixed[b]->geometry()),
                         qPrintable(fixed[a]->objectName() + ' ' + fixed[b]->objectName()));
        QVERIFY(!box(Field::Q)->geometry().intersects(panel()->CentralHeatingOption()->geometry()));
    }

    void keyboard() {
        // The numeric keypad's Enter confirms a value as Return does.
        box(Field::Q)->setFocus();
        box(Field::Q)->setText(QStringLiteral("300"));
        QTest::keyClick(box(Field::Q), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(slider(Field::Q)->value(), 300);
        // Tab and Shift+Tab leave the grid.
        for (Qt::KeyboardModifier mod : {Qt::NoModifier, Qt::ShiftModifier}) {
            w_->Grid()->setFocus();
            QTest::keyClick(w_->Grid(), Qt::Key_Tab, mod);
            QVERIFY(QApplication::focusWidget() != w_->Grid());
        }
        // Escape closes the window as its exit button does.
        QSignalSpy finished(w_.get(), &QDialog::finished);
        box(Field::Dp1)->setFocus();
        QTest::keyClick(box(Field::Dp1), Qt::Key_Escape);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!w_->isVisible());
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

    // Q still being typed as 1e300 when the buttons are clicked: G1 = 1e300 / (4.19 · (T11 − T12))
    // is above 1e296 kg/s, G2 too, and their ratios to flows of about 1 kg/s; none of them can be
    // shown, so their cells and printed lines hold "---" instead of some 300 digits.
    void unconfirmedHugeOutputShowsNoValue() {
        static const QRegularExpression longNumber(QStringLiteral("\\d{16,}"));
        box(Field::Q)->setFocus();
        box(Field::Q)->selectAll();
        QTest::keyClicks(box(Field::Q), QStringLiteral("1e300"));
        QCOMPARE(messages_, QStringList{QStringLiteral("moc cieplna musi być liczbą")}); // at "1e"
        messages_.clear();
        click("cmdLicz");
        click("cmdDruk");
        QCOMPARE(messages_, QStringList{QString::fromUtf8(selection::kPrintSentText)});
        for (int m = 1; m <= 4; ++m) {
            for (int row = 3; row <= 6; ++row) // G1, G2, G1/G1dop, G2/G2dop
                QCOMPARE(cell(row, m), QStringLiteral("---"));
            for (int row = 1; row <= 16; ++row)
                QVERIFY2(!longNumber.match(cell(row, m)).hasMatch(), qPrintable(cell(row, m)));
        }
        const QString page = testsupport::PdfProbe(file("page.pdf")).Text();
        QVERIFY(page.contains(QStringLiteral("1e300 [kW]")));
        QVERIFY2(!longNumber.match(page).hasMatch(), qPrintable(page));
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
            // The last trial is the one the search stopped at (orv1.22 finds none: 45 .. 140
            // four times).
            const char* last[] = {"t12= 102 ", "t12= 140 ", "t12= 97 ", "t12= 64 "};
            QVERIFY(s.mid(s.lastIndexOf(QStringLiteral("t12="))).startsWith(last[m]));
            // Trials from 45 up to the one found (102 − 45 + 1 = 58, 53, 20), or 4 × 96.
            const int trials[] = {58, 4 * 96, 53, 20};
            QCOMPARE(int(s.count(QStringLiteral("t12="))), trials[m]);
        }
    }

    // A catalogue whose numbers are nonsense (zero, negative, huge, denormal) gives short numbers
    // or "---" in every cell, never "nan", "inf" or a number of a hundred digits (a verdict is
    // still given: the formulas drop non-positive factors).
    void nonsenseCatalogueShowsNoNonsense() {
        const kod::ParamTableType saved = kod::ParamTable;
        kod::ParamTableType table = saved;
        const char* values[] = {"0", "-1", "1e308", "1e-320"};
        for (int m = 0; m < 4; ++m)
            for (int row = 3; row <= 15; ++row)
                table[row][m + 2] = values[m];
        kod::SetCatalogue(table, kod::ParamSeries);
        click("cmdLicz");
        kod::SetCatalogue(saved, kod::ParamSeries);
        const QRegularExpression number(QStringLiteral("^-?\\d{1,15}([.,]\\d{1,3})?%?$"));
        for (int m = 1; m <= 4; ++m) {
            for (int row = 1; row <= 15; ++row) {
                const QString shown = cell(row, m);
                QVERIFY2(shown == QLatin1String("---") || number.match(shown).hasMatch(),
                         qPrintable(
                             QStringLiteral("model %1 row %2: %3").arg(m - 1).arg(row).arg(shown)));
            }
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
        // Q is printed as it stands, and the grid keeps its results.
        printedState();
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
        const auto page = pdf.Render(0, 200);
        // Every row: its label at tab 10, each model's value on the label's line in the model's
        // column, which starts where the model's name does.
        const auto heading = pdf.Find(QStringLiteral("typ wymiennika:"));
        QVERIFY(heading);
        double previous = heading->right();
        std::vector<QRectF> labels;
        for (int row = 1; row <= 15; ++row) {
            const auto label = pdf.Find(widgets::Q(kod::ResultLabels[row - 1]));
            QVERIFY(label && std::abs(label->left() - heading->left()) < 1);
            labels.push_back(*label);
        }
        QHash<QString, std::vector<QRectF>> found; // each value text searched once
        for (int m = 0; m < 4; ++m) {
            const QString name = widgets::Q(kod::ModelName(m));
            const auto head = pdf.Find(name);
            QVERIFY(head && head->left() > previous);
            QVERIFY(std::abs(head->center().y() - heading->center().y()) < 2);
            previous = head->right();
            for (int row = 1; row <= 15; ++row) {
                const QString value = QString::fromLatin1(kPrinted[m][row - 1]);
                if (!found.contains(value))
                    found.insert(value, pdf.FindAll(value));
                const QRectF& label = labels[row - 1];
                bool inPlace = false;
                for (const QRectF& at : found[value])
                    inPlace = inPlace || (std::abs(at.left() - head->left()) < 1 &&
                                          std::abs(at.center().y() - label.center().y()) < 2);
                QVERIFY2(inPlace,
                         qPrintable(QStringLiteral("%1 row %2: %3").arg(name).arg(row).arg(value)));
            }
            // Comment: struck through without T12 (0 exchangers), underlined when best (orv3.55).
            const QRegularExpression count(
                QStringLiteral("Typ wymiennika: %1\\s+Liczba wymienników:\\s+(\\d+)")
                    .arg(QRegularExpression::escape(name)));
            QCOMPARE(count.match(text).captured(1).toInt(), kPrintedCounts[m]);
            const auto r = pdf.Find(QStringLiteral("Typ wymiennika: ") + name);
            QVERIFY(r);
            const double y = r->top(), h = r->height();
            QCOMPARE(page.HorizontalRule({r->left(), y + h * .3, r->width(), h * .4}).has_value(),
                     m < 3);
            QCOMPARE(page.HorizontalRule({r->left(), y + h * .75, r->width(), h * .5}).has_value(),
                     m == 3);
        }
        // Eight "---" for each of the three models without T12 (exchangers to T12, except kw).
        QCOMPARE(int(text.count(QStringLiteral("---"))), 8 * 3);
    }

    // The PDF is the printed page of the same state, run again with its trace, and goes nowhere
    // near the printer, which may be missing.
    void pageSavedAsPdf() {
        printedState();
        const QString printed = testsupport::PdfProbe(file("page.pdf")).Text();
        QVERIFY(printed.contains(QStringLiteral("95,5 [°C]")) && printed.contains("250 [kW]"));
        messages_.clear();
        QFile::remove(file("page.pdf"));
        QFile::remove(file("raport.txt"));

        widgets::PrintPage::SimulateMissingPrinter(true);
        const int sent = widgets::PrintPage::SentCount();
        widgets::SetSaveFileHandler([this](const widgets::SaveRequest& r) {
            messages_ << QStringLiteral("[dialog] ") + QFileInfo(r.proposedPath).fileName();
            return file("dobor");
        });
        QTest::keyClick(box(Field::Q), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        widgets::SetSaveFileHandler({});
        QCOMPARE(messages_, QStringList{QStringLiteral("[dialog] dobor.pdf")});
        testsupport::PdfProbe pdf(file("dobor.pdf"));
        QCOMPARE(pdf.PageCount(), 1);
        QCOMPARE(pdf.Text(), printed);
        QCOMPARE(log().value(0),
                 QStringLiteral("********  Początek obliczania do druku***************"));
        QCOMPARE(log().filter(QStringLiteral("Obliczenia dla wymiennika =")).size(), 4);
        QCOMPARE(widgets::PrintPage::SentCount(), sent);
        QVERIFY(!QFile::exists(file("page.pdf")));
        // The same through the print button's context menu.
        testsupport::SaveAs(w_->findChild<QToolButton*>("cmdDruk"), widgets::kSavePdfText,
                            file("menu.pdf"));
        QCOMPARE(testsupport::PdfProbe(file("menu.pdf")).Text(), printed);
    }

    // The grid of the default point in a comma locale, as a spreadsheet gets it: the values of
    // kGrids with commas, the captions and the verdicts.
    void gridSavedAsCsv() {
        widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        click("cmdLicz");
        const QByteArray bytes =
            testsupport::SaveAs(w_->Grid(), widgets::kSaveCsvText, file("dobor.csv"));
        QCOMPARE(messages_, QStringList());
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 17 + 1); // 17 rows, each ended
        QVERIFY(lines.last().isEmpty());
        QCOMPARE(lines[0].split(';').mid(1),
                 (QStringList{"orv2.14", "orv1.22", "orv2.40", "orv3.55"}));
        const GridCase& g = kGrids[0];
        for (int row = 1; row <= 15; ++row) {
            const QStringList cells = lines[row].split(';');
            QCOMPARE(cells.size(), 5);
            QCOMPARE(cells[0], widgets::Q(kod::ResultLabels[row - 1]));
            for (int m = 0; m < 4; ++m)
                QCOMPARE(cells[m + 1],
                         QString::fromLatin1(g.columns[m][row - 1]).replace('.', ','));
        }
        QCOMPARE(lines[16].split(';').value(4), QStringLiteral("najkorzystniejszy wariant"));
    }

    // Calculated from the keyboard (leaving the box confirms it, which empties the grid before,
    // not after), a block of cells selected with the mouse and copied with Ctrl+C: G1dop and G2dop
    // of the first two models at the default point.
    void cellsCopied() {
        auto* calculate = w_->findChild<QToolButton*>("cmdLicz");
        calculate->setFocus(Qt::TabFocusReason);
        QTest::keyClick(calculate, Qt::Key_Space);
        QTableWidget* grid = w_->Grid();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(grid->item(1, 1)).center());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          grid->visualItemRect(grid->item(2, 2)).center());
        QGuiApplication::clipboard()->clear();
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("0.97\t1.07\n0.86\t0.88\n"));
    }

    void missingPrinter() {
        widgets::PrintPage::SimulateMissingPrinter(true);
        click("cmdDruk");
        QCOMPARE(messages_, QStringList{QStringLiteral("Wystąpił błąd drukowania | W systemie nie "
                                                       "ustawiono drukarki domyślnej.")});
        QVERIFY(!QFile::exists(file("page.pdf")));
        // The log was closed: a new calculation replaces it.
        click("cmdLicz");
        QVERIFY(log().value(0).startsWith(QStringLiteral("********  Początek obliczania ****")));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SelectionTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "WindowTest.moc"
