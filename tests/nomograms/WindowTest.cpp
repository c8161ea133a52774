// The two nomogram windows on the offscreen platform: what their picture boxes were asked to draw,
// the texts of their boxes, their messages and the printed page.
#include "help/Help.h"
#include "nomograms/HydraulicPrintout.h"
#include "nomograms/frmHydra.h"
#include "nomograms/frmQG.h"
#include "panel/OperatingPointPanel.h"
#include "tests/nomograms/Catalogues.h"
#include "tests/support/PdfProbe.h"
#include "tests/support/WindowDriver.h"
#include "widgets/ChartExport.h"
#include "widgets/CompanyLine.h"
#include "widgets/Environment.h"
#include "widgets/MessageBox.h"
#include "widgets/PictureBox.h"
#include "widgets/PrintPage.h"
#include "widgets/ReportOutput.h"
#include "widgets/SaveFile.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <memory>

using panel::Field;
using Op = widgets::PictureBox::Op;

namespace {

// A line object or a drawn line as "(x1, y1)-(x2, y2)", to three decimals.
QString Ends(const Op& op) {
    return QString::asprintf("(%.3f, %.3f)-(%.3f, %.3f)", op.a.x(), op.a.y(), op.b.x(), op.b.y());
}

QString SliderState(const QSlider* s) {
    return QString::asprintf("%d..%d at %d", s->minimum(), s->maximum(), s->value());
}

// What both windows' tests share: a temporary application directory with a help page, recorded
// message boxes, the window at 1024 × 768 pixels so that one chart unit is 0.8 pixel across.
template <typename Window> class WindowFixture : public QObject {
protected:
    QTemporaryDir dir_;
    std::unique_ptr<Window> w_;
    QStringList messages_; // texts of the boxes; marked when the title is wrong

    template <typename T = QWidget> T* child(const char* name) const {
        return w_->template findChild<T*>(QString::fromLatin1(name));
    }
    QString file(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    void click(const char* button) {
        QTest::mouseClick(child<QToolButton>(button), Qt::LeftButton);
    }
    void enter(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->setText(text);
        QTest::keyClick(box, Qt::Key_Return);
    }
    // A mouse event on the picture at the chart abscissa x.
    void mouse(widgets::PictureBox* picture, QEvent::Type type, double x, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
        const QPointF at = picture->ToPixel({x, 500});
        QMouseEvent event(type, at, picture->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(picture, &event);
    }
    void open() {
        widgets::SetUserLocale(QLocale::c());
        widgets::SetAppDirectory(dir_.path().toStdString());
        messages_.clear();
        widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
            const bool titled = r.title == QStringLiteral("Dobór wymienników firmy Skarvel");
            messages_ << (titled ? r.text : QStringLiteral("[%1] %2").arg(r.title, r.text));
            return true;
        });
        w_ = std::make_unique<Window>();
        w_->show();
        w_->resize(1024, 768);
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
        QCOMPARE(w_->Picture()->width(), 800);
    }
    QByteArray saveAs(QWidget* owner, const char* action, const char* name) {
        return testsupport::SaveAs(owner, action, file(name));
    }
    // The keys pressed on the focused picture from a press at `from`, against a press at
    // `mouseAt`: both readings as "texts | lines".
    template <typename Read>
    std::pair<QString, QString> keysAgainstMouse(double from, const QList<int>& keys,
                                                 double mouseAt, Read read) {
        w_->Picture()->setFocus(Qt::TabFocusReason);
        auto pressAt = [this](double x) {
            mouse(w_->Picture(), QEvent::MouseButtonPress, x, Qt::LeftButton, Qt::LeftButton);
        };
        pressAt(from);
        pressAt(mouseAt);
        const QString byMouse = read();
        pressAt(from);
        for (int key : keys)
            QTest::keyClick(w_->Picture(), Qt::Key(key));
        return {read(), byMouse};
    }
    // Rows of keys from a start, and the x a mouse press reads alike (worked out by hand).
    static void
    keyRows(std::initializer_list<std::tuple<const char*, double, QList<int>, double>> rows) {
        QTest::addColumn<double>("from");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<double>("mouseAt");
        for (const auto& [name, from, keys, mouseAt] : rows)
            QTest::newRow(name) << from << keys << mouseAt;
    }
    void writeHelpPage() {
        QFile page(file(help::kHelpFileName));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><body>pomoc</body></html>");
    }
    bool helpIsOpen() const {
        return w_->template findChild<QDialog*>(QStringLiteral("frmPomoc")) != nullptr;
    }
    // No control of the window overlaps another, frames aside (they enclose the panel's rows).
    void checkNoOverlaps() {
        QList<QWidget*> controls;
        for (QWidget* c : w_->template findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!c->inherits("QFrame") || c->inherits("QLabel") || c->inherits("QLineEdit") ||
                c->inherits("QAbstractSlider") || c->inherits("QComboBox") ||
                c->inherits("QProgressBar"))
                controls << c;
        for (int i = 0; i < controls.size(); ++i)
            for (int j = i + 1; j < controls.size(); ++j) {
                const QRect a = controls[i]->geometry(), b = controls[j]->geometry();
                // A panel label reaches one unit into its own slider's row.
                const bool labelOverSlider =
                    (controls[i]->inherits("QLabel") && controls[j]->inherits("QSlider")) ||
                    (controls[j]->inherits("QLabel") && controls[i]->inherits("QSlider"));
                QVERIFY2(!a.intersects(b) || (labelOverSlider && a.intersected(b).height() <= 2),
                         qPrintable(controls[i]->objectName() + " / " + controls[j]->objectName()));
            }
    }
};

} // namespace

// ---- Hydraulic nomogram ----
// Catalogue: see Catalogues.h. At the opening temperatures 100 and 60, Tm = 80 and model 0's
// heating law is 0.2 · 80^0.5 · G^1.5 = 1.788854 G^1.5: Glo = (1/1.788854)^(2/3) = 0.678604 at
// x = 100 + 400 (1 + log10 0.678604) = 432.65 -> 433; 1.788854 · 10^1.5 = 56.5685 kPa at
// y = 100 + 400 · 1.752575 = 801.03 -> 801; gw = (10/1.788854)^(2/3) = 3.149803 at x = 699.313.
class HydraTest : public WindowFixture<frmHydra> {
    Q_OBJECT

    QLineEdit* box(const char* name) const { return child<QLineEdit>(name); }
    QSlider* slider(const char* name) const { return child<QSlider>(name); }
    QString caption(const char* name) const { return child<QLabel>(name)->text(); }
    widgets::PictureBox* picture() const { return w_->Picture(); }
    const Op& lineObject(int handle) const { return picture()->LineObject(handle); }
    QString characteristic() const { return Ends(lineObject(w_->CharacteristicLineObject())); }
    QString dropLine() const { return Ends(lineObject(w_->DropLineObject())); }
    QString flowLine() const { return Ends(lineObject(w_->FlowLineObject())); }
    QString reading() const { return box("txG")->text() + " / " + box("txDp")->text(); }
    // Home and End reach the first and the last model without passing the others.
    void chooseModel(int m) {
        QComboBox* combo = child<QComboBox>("cmbWymienniki");
        combo->setFocus();
        QTest::keyClick(combo, m == 3 ? Qt::Key_End : Qt::Key_Home);
        while (combo->currentIndex() < m)
            QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentIndex(), m);
    }
    // Tm = 100: the laws of Catalogues.h.
    void useTemperatures110And90() {
        enter(box("txT1"), QStringLiteral("110"));
        enter(box("txT2"), QStringLiteral("90"));
        QCOMPARE(messages_, QStringList());
    }
    void press(double x, Qt::MouseButton button = Qt::LeftButton) {
        mouse(picture(), QEvent::MouseButtonPress, x, button, button);
    }
    void drag(double x, Qt::MouseButtons buttons = Qt::LeftButton) {
        mouse(picture(), QEvent::MouseMove, x, Qt::NoButton, buttons);
    }

private slots:
    void initTestCase() { nomogram_tests::UseHydraulicCatalogue(); }
    void init() {
        open();
        widgets::PrintPage::RedirectToPdf(file("page.pdf"));
        QFile::remove(file("page.pdf"));
    }
    void cleanup() {
        widgets::PrintPage::SimulateMissingPrinter(false);
        w_.reset();
    }

    void openingState() {
        QCOMPARE(w_->windowTitle(), QStringLiteral("Wykresy hydrauliczne"));
        QComboBox* combo = child<QComboBox>("cmbWymienniki");
        QCOMPARE(combo->count(), 4);
        QCOMPARE(combo->currentText(), QStringLiteral("orv2.14"));
        QCOMPARE(combo->itemText(3), QStringLiteral("orv3.55"));
        QVERIFY(child<QRadioButton>("opGrzejna")->isChecked());
        QCOMPARE(caption("etT1") + caption("etT2"), QStringLiteral("T11 =T12 ="));
        QCOMPARE(box("txT1")->text() + "/" + box("txT2")->text(), QStringLiteral("100/60"));
        QCOMPARE(SliderState(slider("slT1")), QStringLiteral("10..210 at 100"));
        QCOMPARE(SliderState(slider("slT2")), QStringLiteral("1..200 at 60"));

        QCOMPARE(characteristic(), QStringLiteral("(433.000, 100.000)-(900.000, 801.000)"));
        QCOMPARE(dropLine(), QStringLiteral("(100.000, 500.000)-(699.313, 500.000)"));
        QCOMPARE(flowLine(), QStringLiteral("(699.313, 100.000)-(699.313, 500.000)"));
        QCOMPARE(reading(), QStringLiteral("3.15 / 10.00"));
        const Op& red = lineObject(w_->CharacteristicLineObject());
        const Op& blue = lineObject(w_->FlowLineObject());
        QCOMPARE(red.color, QColor(255, 0, 0));
        QCOMPARE(red.width, 3.0);
        QCOMPARE(blue.color, QColor(0, 0, 255));
        QCOMPARE(blue.width, 2.0);
        // The grid: 38 lines, 19 + 19 labels and two titles, in Courier New bold.
        const auto& ops = picture()->Operations();
        QCOMPARE(int(ops.size()), 78);
        QCOMPARE(int(std::count_if(ops.begin(), ops.end(),
                                   [](const Op& op) { return op.kind == Op::LineOp; })),
                 38);
        QVERIFY(std::all_of(ops.begin(), ops.end(), [](const Op& op) {
            return op.kind != Op::TextOp || (op.fontName == "Courier New" && op.bold);
        }));
        checkNoOverlaps();
    }

    // The characteristic is repositioned, the grid never drawn again.
    void modelsAndCircuits_data() {
        QTest::addColumn<int>("m");
        QTest::addColumn<bool>("heated");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("across");
        QTest::addColumn<QString>("shown");
        // 2 G^1.5 (see ChartsTest): 0.629961 .. 10 kg/s, gw = 2.924018 at x = 686.392.
        QTest::newRow("model 0") << 0 << false << "(420.000, 100.000)-(900.000, 820.000)"
                                 << "(100.000, 500.000)-(686.392, 500.000)"
                                 << "2.92 / 10.00";
        // 200 G²: up to 0.707107 kg/s at 100 kPa; gw = 0.05^0.5 = 0.223607 at x = 239.794.
        QTest::newRow("model 1") << 1 << false << "(100.000, 220.000)-(440.000, 900.000)"
                                 << "(100.000, 500.000)-(239.794, 500.000)"
                                 << "0.22 / 10.00";
        // Heated water after the circuit change: 30 and 100 °C, Tm = 65, 0.4 · 65 · G = 26 G:
        // 2.6 kPa at 0.1 (y 265.99 -> 266), 100 kPa at 3.846154 (x 734.01 -> 734), gw = 10/26
        // = 0.384615 at x = 100 + 400 (1 + log10 0.384615) = 334.011.
        QTest::newRow("model 0, heated water")
            << 0 << true << "(100.000, 266.000)-(734.000, 900.000)"
            << "(100.000, 500.000)-(334.011, 500.000)"
            << "0.38 / 10.00";
    }
    void modelsAndCircuits() {
        QFETCH(int, m);
        QFETCH(bool, heated);
        QFETCH(QString, line);
        QFETCH(QString, across);
        QFETCH(QString, shown);
        useTemperatures110And90();
        if (heated)
            QTest::mouseClick(child<QRadioButton>("opOgrzewana"), Qt::LeftButton);
        chooseModel(m);
        QCOMPARE(characteristic(), line);
        QCOMPARE(dropLine(), across);
        QCOMPARE(reading(), shown);
        QCOMPARE(int(picture()->Operations().size()), 78);
    }

    void circuitChange() {
        QTest::mouseClick(child<QRadioButton>("opOgrzewana"), Qt::LeftButton);
        QCOMPARE(caption("etT1") + caption("etT2"), QStringLiteral("T21 =T22 ="));
        QCOMPARE(SliderState(slider("slT1")), QStringLiteral("1..200 at 30"));
        QCOMPARE(SliderState(slider("slT2")), QStringLiteral("31..205 at 100"));
        QCOMPARE(box("txT1")->text() + "/" + box("txT2")->text(), QStringLiteral("30/100"));
        QCOMPARE(characteristic(), QStringLiteral("(100.000, 266.000)-(734.000, 900.000)"));
        QTest::mouseClick(child<QRadioButton>("opGrzejna"), Qt::LeftButton);
        QCOMPARE(caption("etT1") + caption("etT2"), QStringLiteral("T11 =T12 ="));
        QCOMPARE(SliderState(slider("slT1")), QStringLiteral("10..210 at 100"));
        QCOMPARE(SliderState(slider("slT2")), QStringLiteral("1..100 at 60"));
        QCOMPARE(box("txT1")->text() + "/" + box("txT2")->text(), QStringLiteral("100/60"));
        // Back at Tm = 80 with the reading's 10 kPa.
        QCOMPARE(characteristic(), QStringLiteral("(433.000, 100.000)-(900.000, 801.000)"));
        QCOMPARE(reading(), QStringLiteral("3.15 / 10.00"));
    }

    void inletSliderCouplesTheOutlet_data() {
        QTest::addColumn<bool>("heated");
        QTest::addColumn<int>("inlet");
        QTest::addColumn<QString>("outlet");
        QTest::addColumn<QString>("texts");
        QTest::newRow("heating, outlet pulled below") << false << 50 << "1..49 at 49"
                                                      << "50/49";
        QTest::newRow("heating, outlet below stays") << false << 150 << "1..149 at 60"
                                                     << "150/60";
        QTest::newRow("heated, outlet pushed above") << true << 150 << "151..205 at 151"
                                                     << "150/151";
        QTest::newRow("heated, outlet above stays") << true << 20 << "21..205 at 100"
                                                    << "20/100";
    }
    void inletSliderCouplesTheOutlet() {
        QFETCH(bool, heated);
        QFETCH(int, inlet);
        QFETCH(QString, outlet);
        QFETCH(QString, texts);
        if (heated)
            QTest::mouseClick(child<QRadioButton>("opOgrzewana"), Qt::LeftButton);
        slider("slT1")->setValue(inlet); // as the user leaves it
        QCOMPARE(SliderState(slider("slT2")), outlet);
        QCOMPARE(box("txT1")->text() + "/" + box("txT2")->text(), texts);
        QCOMPARE(messages_, QStringList());
    }

    // The outlet's box and slider agree whatever the inlet slider does afterwards. An outlet
    // equal to the new inlet position is pulled below it (heating) or above it (heated); 72.5
    // puts slT1 at 72 (halves to even) while the outlet's check allows round(71.5) = 72, which
    // the slider (1 .. 71) cannot show until the inlet moves up.
    void outletSliderFollowsItsBox_data() {
        QTest::addColumn<bool>("heated");
        QTest::addColumn<QString>("inlet");
        QTest::addColumn<QString>("outlet");
        QTest::addColumn<int>("moved");
        QTest::addColumn<QString>("after");
        QTest::newRow("heating, outlet equal to the new inlet") << false << "73"
                                                                << "72" << 72 << "1..71 at 71 '71'";
        QTest::newRow("heated, outlet equal to the new inlet")
            << true << "30"
            << "31" << 31 << "32..205 at 32 '32'";
        QTest::newRow("heating, outlet beyond the slider until the inlet rises")
            << false << "72.5"
            << "72" << 80 << "1..79 at 72 '72'";
    }
    void outletSliderFollowsItsBox() {
        QFETCH(bool, heated);
        QFETCH(QString, inlet);
        QFETCH(QString, outlet);
        QFETCH(int, moved);
        QFETCH(QString, after);
        if (heated)
            QTest::mouseClick(child<QRadioButton>("opOgrzewana"), Qt::LeftButton);
        enter(box("txT1"), inlet);
        enter(box("txT2"), outlet);
        QCOMPARE(messages_, QStringList());
        slider("slT1")->setValue(moved); // as the user leaves it
        QCOMPARE(SliderState(slider("slT2")) + " '" + box("txT2")->text() + "'", after);
    }

    void outletSliderRedraws() {
        useTemperatures110And90();
        slider("slT2")->setValue(80); // Tm = (110 + 80) / 2 = 95
        QCOMPARE(box("txT2")->text(), QStringLiteral("80"));
        // 0.2 · 95^0.5 = 1.949359; log10 gw = 2/3 · log10(10/1.949359) = 2/3 · 0.710108 = 0.473405,
        // x = 100 + 400 · 1.473405 = 689.362.
        QCOMPARE(dropLine(), QStringLiteral("(100.000, 500.000)-(689.362, 500.000)"));
    }

    void mouseReading_data() {
        QTest::addColumn<double>("pressAt");
        QTest::addColumn<double>("dragTo"); // -1: no drag
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("dragButtons");
        QTest::addColumn<QString>("shown");
        const int left = Qt::LeftButton, right = Qt::RightButton;
        // x 700: G = 10^(2 · 600 / 800 − 1) = 3.162278, Dp = 2 · 10^0.75 = 11.2468.
        QTest::newRow("press") << 700.0 << -1.0 << left << left << "3.16 / 11.25";
        // Held at the right end 900: 10 kg/s, 2 · 10^1.5 = 63.2456 kPa.
        QTest::newRow("drag past the right end")
            << 700.0 << 990.0 << left << left << "10.00 / 63.25";
        // Held at the left end 420: G = 10^−0.2 = 0.630957, Dp = 2 · 10^−0.3 = 1.002374.
        QTest::newRow("drag past the left end") << 700.0 << 20.0 << left << left << "0.63 / 1.00";
        QTest::newRow("right button") << 700.0 << -1.0 << right << right << "2.92 / 10.00";
        QTest::newRow("move without a button") << -1.0 << 700.0 << left << 0 << "2.92 / 10.00";
        QTest::newRow("move with the right button")
            << -1.0 << 700.0 << left << right << "2.92 / 10.00";
        QTest::newRow("move with both buttons")
            << -1.0 << 700.0 << left << (left | right) << "2.92 / 10.00";
    }
    void mouseReading() {
        QFETCH(double, pressAt);
        QFETCH(double, dragTo);
        QFETCH(int, button);
        QFETCH(int, dragButtons);
        QFETCH(QString, shown);
        useTemperatures110And90();
        if (pressAt >= 0)
            press(pressAt, Qt::MouseButton(button));
        if (dragTo >= 0)
            drag(dragTo, Qt::MouseButtons(dragButtons));
        QCOMPARE(reading(), shown);
        const double x = lineObject(w_->FlowLineObject()).a.x();
        QCOMPARE(lineObject(w_->DropLineObject()).b.x(), x);
        QCOMPARE(int(picture()->Operations().size()), 78); // moved, never redrawn
    }

    // The picture gets events of every kind; only a press or a move with the left button reads
    // the chart. (Reading any other event as a mouse event is undefined behaviour, which the
    // sanitizer build stops at.)
    void otherEventsLeaveTheReading_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("leave") << 0;
        QTest::newRow("key press") << 1;
        QTest::newRow("wheel with the left button") << 2;
        QTest::newRow("left button released") << 3;
    }
    void otherEventsLeaveTheReading() {
        QFETCH(int, kind);
        useTemperatures110And90();
        const QPointF at = picture()->ToPixel({700, 500});
        const QPointF global = picture()->mapToGlobal(at);
        std::unique_ptr<QEvent> event;
        switch (kind) {
        case 0:
            event = std::make_unique<QEvent>(QEvent::Leave);
            break;
        case 1:
            event = std::make_unique<QKeyEvent>(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
            break;
        case 2:
            event =
                std::make_unique<QWheelEvent>(at, global, QPoint(), QPoint(0, 120), Qt::LeftButton,
                                              Qt::NoModifier, Qt::NoScrollPhase, false);
            break;
        default:
            event = std::make_unique<QMouseEvent>(QEvent::MouseButtonRelease, at, global,
                                                  Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        }
        QApplication::sendEvent(picture(), event.get());
        // As at opening: Dp = 10 kPa on 2 G^1.5, G = 5^(2/3) = 2.924018.
        QCOMPARE(reading(), QStringLiteral("2.92 / 10.00"));
    }

    // The reading keeps its pressure drop across models, only capped at a lower top.
    void readingPointAcrossModels() {
        useTemperatures110And90();
        press(950);     // held at 900: 63.2456 kPa on 2 G^1.5
        chooseModel(3); // 5 G ends at 50 kPa: capped, gw = 10
        QCOMPARE(reading(), QStringLiteral("10.00 / 50.00"));
        QCOMPARE(dropLine(), QStringLiteral("(100.000, 779.588)-(900.000, 779.588)"));
        chooseModel(0);
        press(0); // held at 420: 1.002374 kPa
        chooseModel(1);
        // 200 G² begins at 2 kPa; the 1.002374 kPa stay: gw = (1.002374 / 200)^0.5 = 10^−1.15,
        // x = 100 + 400 (1 − 1.15) = 40, left of the segment and of the chart.
        QCOMPARE(reading(), QStringLiteral("0.07 / 1.00"));
        QCOMPARE(flowLine(), QStringLiteral("(40.000, 100.000)-(40.000, 100.412)"));
    }

    void temperatureChecks_data() {
        QTest::addColumn<bool>("heated");
        QTest::addColumn<QString>("inletFirst"); // confirmed before, "" for none
        QTest::addColumn<bool>("outlet");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("sliders");
        QTest::addColumn<QString>("texts");
        const QString t11 =
            "Wartość temperatury T11 musi się zawierać w przedziale od 7°C do 210°C";
        QTest::newRow("inlet 6") << false << "" << false << "6" << t11
                                 << "10..210 at 100, 1..200 at 60"
                                 << "6/60";
        QTest::newRow("inlet 211")
            << false << "" << false << "211" << t11 << "10..210 at 100, 1..200 at 60"
            << "211/60";
        QTest::newRow("inlet 7") << false << "" << false << "7"
                                 << ""
                                 << "10..210 at 10, 1..9 at 9"
                                 << "7/9";
        QTest::newRow("outlet 100 at inlet 100")
            << false << "" << true << "100"
            << "Wartość temperatury T12 musi się zawierać w przedziale od 2°C do 99°C"
            << "10..210 at 100, 1..200 at 60"
            << "100/100";
        QTest::newRow("outlet 99 at inlet 100") << false << "" << true << "99"
                                                << ""
                                                << "10..210 at 100, 1..200 at 99"
                                                << "100/99";
        QTest::newRow("heated inlet 205")
            << true << "" << false << "205"
            << "Wartość temperatury T21 musi się zawierać w przedziale od 1°C do 204°C"
            << "1..200 at 30, 31..205 at 100"
            << "205/100";
        QTest::newRow("heated inlet 204") << true << "" << false << "204"
                                          << ""
                                          << "1..200 at 200, 201..205 at 201"
                                          << "204/201";
        QTest::newRow("heated T21 204 accepts no outlet")
            << true << "204" << true << "205"
            << "Wartość temperatury T22 musi się zawierać w przedziale od 205°C do 204°C"
            << "1..200 at 200, 201..205 at 201"
            << "204/205";
    }
    void temperatureChecks() {
        QFETCH(bool, heated);
        QFETCH(QString, inletFirst);
        QFETCH(bool, outlet);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, sliders);
        QFETCH(QString, texts);
        if (heated)
            QTest::mouseClick(child<QRadioButton>("opOgrzewana"), Qt::LeftButton);
        if (!inletFirst.isEmpty())
            enter(box("txT1"), inletFirst);
        QCOMPARE(messages_, QStringList());
        const QString before = characteristic();
        QLineEdit* b = box(outlet ? "txT2" : "txT1");
        enter(b, typed);
        QCOMPARE(messages_, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(SliderState(slider("slT1")) + ", " + SliderState(slider("slT2")), sliders);
        QCOMPARE(box("txT1")->text() + "/" + box("txT2")->text(), texts);
        QCOMPARE(QApplication::focusWidget(), b);
        if (!message.isEmpty())
            QCOMPARE(characteristic(), before);
    }

    void inletBelowItsSliderDrawsTheTypedValue() {
        enter(box("txT1"), QStringLiteral("8"));
        QCOMPARE(messages_, QStringList());
        QCOMPARE(SliderState(slider("slT1")), QStringLiteral("10..210 at 10"));
        // The outlet slider follows the inlet slider's 10: 9. The chart takes 8 and 9: Tm = 8.5,
        // 0.2 · 8.5^0.5 = 0.583095; Glo = (1/0.583095)^(2/3) = 1.432761 at x = 562.47 -> 562
        // (the slider's 10 would give Tm 9.5 and x 556); 0.583095 · 10^1.5 = 18.4391 kPa at
        // y = 606.30 -> 606.
        QCOMPARE(box("txT2")->text(), QStringLiteral("9"));
        QCOMPARE(characteristic(), QStringLiteral("(562.000, 100.000)-(900.000, 606.000)"));
    }

    void notANumber_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("keys"); // "\b" is Backspace
        QTest::addColumn<bool>("commaLocale");
        QTest::addColumn<int>("messages");
        QTest::newRow("letters") << "txT1"
                                 << ""
                                 << "1a" << false << 1;
        QTest::newRow("emptied") << "txT2"
                                 << "60"
                                 << "\b\b" << false << 1;
        QTest::newRow("comma in a comma locale") << "txT1"
                                                 << "110"
                                                 << ",5" << true << 0;
        QTest::newRow("comma in the C locale") << "txT1"
                                               << "110"
                                               << ",5" << false << 2;
    }
    void notANumber() {
        QFETCH(QString, name);
        QFETCH(QString, prefix);
        QFETCH(QString, keys);
        QFETCH(bool, commaLocale);
        QFETCH(int, messages);
        if (commaLocale)
            widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        QLineEdit* b = box(qPrintable(name));
        const QString before = characteristic() + reading();
        b->setFocus();
        b->setText(prefix);
        QTest::keyClicks(b, keys);
        QCOMPARE(messages_, QStringList(messages, QStringLiteral("temperatura musi być liczbą")));
        QCOMPARE(QApplication::focusWidget(), b);
        QCOMPARE(characteristic() + reading(), before); // nothing drawn until confirmed
    }

    void decimalCommaIsConfirmed() {
        widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        enter(box("txT1"), QStringLiteral("110,5"));
        enter(box("txT2"), QStringLiteral("90,5"));
        QCOMPARE(messages_, QStringList());
        QCOMPARE(SliderState(slider("slT1")), QStringLiteral("10..210 at 110")); // half to even
        // The reading takes the unrounded mean 100.5 (see ChartsTest): 11.274909 kPa at x 700,
        // shown with the locale's comma.
        press(700);
        QCOMPARE(reading(), QStringLiteral("3,16 / 11,27"));
    }

    // Pressing the exit button skips the inlet's check, and only the inlet's.
    void exitButtonWhileATemperatureIsWrong_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("inlet, exit") << "txT1"
                                     << "cmdExit"
                                     << "";
        QTest::newRow("inlet, print")
            << "txT1"
            << "cmdDruk"
            << "Wartość temperatury T11 musi się zawierać w przedziale od 7°C do 210°C";
        QTest::newRow("outlet, exit")
            << "txT2"
            << "cmdExit"
            << "Wartość temperatury T12 musi się zawierać w przedziale od 2°C do 99°C";
    }
    void exitButtonWhileATemperatureIsWrong() {
        QFETCH(QString, name);
        QFETCH(QString, button);
        QFETCH(QString, message);
        QSignalSpy finished(w_.get(), &QDialog::finished);
        QLineEdit* b = box(qPrintable(name));
        b->setFocus();
        b->setText(QStringLiteral("300"));
        click(qPrintable(button));
        QCOMPARE(messages_.value(0), message);
        QCOMPARE(finished.count(), button == "cmdExit" ? 1 : 0);
    }

    void closing() {
        QSignalSpy finished(w_.get(), &QDialog::finished);
        QTest::keyClick(w_.get(), Qt::Key_Escape); // as the exit button
        QVERIFY(!w_->isVisible());
        QCOMPARE(finished.count(), 1);
        w_->show();
        w_->close(); // the close box
        QCOMPARE(finished.count(), 2);
        QVERIFY(!w_->isModal());
    }

    void modelWithoutADrawableCharacteristic() {
        useTemperatures110And90();
        chooseModel(2); // 0.5 kPa at every flow: no flow gives 1 kPa
        QCOMPARE(reading(), QStringLiteral("--- / ---"));
        for (int handle :
             {w_->CharacteristicLineObject(), w_->DropLineObject(), w_->FlowLineObject()})
            QVERIFY(!picture()->IsLineObjectVisible(handle));
        press(500);
        QCOMPARE(reading(), QStringLiteral("--- / ---"));
        chooseModel(0);
        // The reading was capped at 0.5 kPa and is not raised: gw = (0.5/2)^(2/3) = 0.396850.
        QCOMPARE(reading(), QStringLiteral("0.40 / 0.50"));
        QVERIFY(picture()->IsLineObjectVisible(w_->FlowLineObject()));
    }

    void helpOnF1() {
        writeHelpPage();
        QTest::keyClick(box("txT1"), Qt::Key_F1);
        QVERIFY(helpIsOpen());
    }

    void printedPage() {
        useTemperatures110And90();
        press(700); // 3.162278 kg/s, 11.2468 kPa
        click("cmdDruk");
        QCOMPARE(messages_, QStringList{QString::fromUtf8(nomograms::kHydraulicPrintSentText)});
        QCOMPARE(reading(), QStringLiteral("3.16 / 11.25"));

        testsupport::PdfProbe pdf(file("page.pdf"));
        QCOMPARE(pdf.PageCount(), 1);
        const QString text = pdf.Text();
        for (const char* expected :
             {"Skarvel Polska Spółka z o.o.", "Wykres zależności oporu przepływu Dp [kPa] od",
              "natężenia przepływu wody G [kg/s]", "Typ wymiennika:", "Typ obiegu:", "woda grzejna",
              "Temperatura weściowa T11 =", "Temperatura wyjściowaT12 =",
              "Wybrane natężenie przepływu =", "3.16 [kg/s]", "Wynikowy opór przepływu =",
              "11.25 [kPa]", "Natężenie przepływu wody G [kg/s]", "Opór przepływu Dp [kPa]"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        QVERIFY(text.contains(QString::fromUtf8(widgets::kMakerAddress)));
        // The values stand in one column (Tab(40)).
        const auto model = pdf.Find(QStringLiteral("orv2.14"));
        const auto flow = pdf.Find(QStringLiteral("3.16 [kg/s]"));
        const auto inlet = pdf.Find(QStringLiteral("110"));
        QVERIFY(model && flow && inlet);
        QVERIFY(std::abs(model->left() - flow->left()) < 1);
        QVERIFY(std::abs(model->left() - inlet->left()) < 1);
        // The header lies above the chart's title at y = 930 of 1400 (page y 28.35 + 470 · 0.5609).
        const auto title = pdf.Find(QStringLiteral("Opór przepływu Dp [kPa]"));
        const auto lastValue = pdf.Find(QStringLiteral("11.25 [kPa]"));
        QVERIFY(title && lastValue && lastValue->bottom() < title->top());

        // Chart units on the page (A4 inside 10 mm margins): x 0..1000 over 538.58 pt, y 0..1400
        // up over 785.20 pt from the margin's 28.35 pt.
        auto px = [](double x) { return 28.346 + x * 0.538583; };
        auto py = [](double y) { return 28.346 + (1400 - y) * 0.560857; };
        const testsupport::PageImage page = pdf.Render(0, 300);
        // The horizontal reading line at y(11.2468) = 520.41, between the grid's verticals at
        // G = 0.1 (x 100) and 0.2 (x 220): dashed.
        const auto [acrossDark, acrossRuns] = page.Row(py(520.41), px(105), px(215), 0.6);
        QVERIFY2(acrossDark > 0.3 && acrossRuns > 3, qPrintable(QString::number(acrossRuns)));
        // The vertical one at x(3.162278) = 700, between the grid's Dp = 1 and 2 (y 100 and 220):
        // a row of the page turned a quarter clockwise.
        testsupport::PageImage turned{page.image.transformed(QTransform().rotate(90)), page.dpi};
        const double height = page.image.height() * 72.0 / page.dpi;
        const auto [upDark, upRuns] = turned.Row(px(700), height - py(105), height - py(215), 0.6);
        QVERIFY2(upDark > 0.3 && upRuns > 3, qPrintable(QString::number(upRuns)));
        // The grid line at Dp = 10 beside it is solid.
        QCOMPARE(page.Row(py(500), px(105), px(215), 0.6).second, 1);
    }

    void printedPageOfTheHeatedCircuit() {
        QTest::mouseClick(child<QRadioButton>("opOgrzewana"), Qt::LeftButton);
        click("cmdDruk");
        const QString text = testsupport::PdfProbe(file("page.pdf")).Text();
        QVERIFY(text.contains(QStringLiteral("woda ogrzewana")));
        QVERIFY(text.contains(QStringLiteral("Temperatura weściowa T21 =")));
        QVERIFY(text.contains(QStringLiteral("Temperatura wyjściowaT22 =")));
        QVERIFY(text.contains(QStringLiteral("0.38 [kg/s]"))); // as the window shows it
    }

    // The PDF is the printed page of the same reading, though no printer is there.
    void pageSavedAsPdf() {
        useTemperatures110And90();
        press(700);
        click("cmdDruk");
        const QString printed = testsupport::PdfProbe(file("page.pdf")).Text();
        QVERIFY(printed.contains(QStringLiteral("3.16 [kg/s]")));
        QFile::remove(file("page.pdf"));
        messages_.clear();
        widgets::PrintPage::SimulateMissingPrinter(true);
        saveAs(child<QToolButton>("cmdDruk"), widgets::kSavePdfText, "wykres.pdf");
        QCOMPARE(messages_, QStringList());
        testsupport::PdfProbe pdf(file("wykres.pdf"));
        QCOMPARE(pdf.PageCount(), 1);
        QCOMPARE(pdf.Text(), printed);
        QVERIFY(!QFile::exists(file("page.pdf")));
        QCOMPARE(reading(), QStringLiteral("3.16 / 11.25"));
    }

    // At 110 and 90 °C the characteristic runs from x 420 to 900; a mouse there is held so.
    void keysReadAsTheMouse_data() {
        const int left = Qt::Key_Left, right = Qt::Key_Right, up = Qt::Key_Up, down = Qt::Key_Down,
                  pageUp = Qt::Key_PageUp, pageDown = Qt::Key_PageDown;
        keyRows({{"right arrow", 700, {right, right, right, right, right}, 705},
                 {"left arrow", 700, {left, left, left}, 697},
                 {"up arrow", 600, {up, up}, 602},
                 {"down arrow", 600, {down, down}, 598},
                 {"page up", 700, {pageUp, pageUp, pageUp}, 730},
                 {"page down", 700, {pageDown, pageDown}, 680},
                 {"held at the left end", 430, {pageDown, pageDown}, 410},
                 {"on from the held end", 430, {pageDown, pageDown, right}, 421},
                 {"held at the right end", 895, {pageUp}, 905},
                 {"home", 700, {Qt::Key_Home}, 0},
                 {"end", 700, {Qt::Key_End}, 1000}});
    }
    void keysReadAsTheMouse() {
        QFETCH(double, from);
        QFETCH(QList<int>, keys);
        QFETCH(double, mouseAt);
        useTemperatures110And90();
        const auto [byKeys, byMouse] = keysAgainstMouse(
            from, keys, mouseAt, [this] { return reading() + " | " + flowLine() + dropLine(); });
        QCOMPARE(byKeys, byMouse);
        QCOMPARE(messages_, QStringList());
    }

    // The chart's pictures are drawn from the retained drawing: the grid's 38 lines, 40 texts,
    // the red characteristic and the two blue reading lines, the vertical one at x 700, pixel 560.
    void chartPictures() {
        press(700);
        // Read out to a screen reader too: 1.788854 · 10^0.75 = 10.0594 kPa at 80 °C.
        QCOMPARE(picture()->accessibleDescription(),
                 QStringLiteral("G = 3.16 kg/s, Dp = 10.06 kPa"));
        const QByteArray svg = saveAs(picture(), widgets::kSaveSvgText, "wykres.svg");
        QCOMPARE(int(svg.count("<polyline")), 38 + 3);
        QCOMPARE(int(svg.count("<text")), 40);
        QVERIFY(svg.contains("stroke=\"#ff0000\" stroke-opacity=\"1\" stroke-width=\"3\""));
        QVERIFY(svg.contains("stroke=\"#0000ff\" stroke-opacity=\"1\" stroke-width=\"2\""));
        QVERIFY(svg.contains("points=\"560,673.2 560,"));
        QVERIFY(svg.contains("Opór przepływu Dp [kPa]"));
        const QImage png = QImage::fromData(saveAs(picture(), widgets::kSavePngText, "wykres.png"));
        QCOMPARE(png.size(), QSize(1600, 1496));
        QCOMPARE(messages_, QStringList());
    }

    void missingPrinter() {
        widgets::PrintPage::SimulateMissingPrinter(true);
        click("cmdDruk");
        QCOMPARE(messages_, QStringList{QStringLiteral("Wystąpił błąd drukowania")});
        QVERIFY(!QFile::exists(file("page.pdf")));
    }
};

// ---- Thermal output nomogram ----
// Catalogue and point: see ChartsTest. T11 entered as 55 pulls T22 down to 55 − 5 = 50.
class QGTest : public WindowFixture<frmQG> {
    Q_OBJECT

    widgets::PictureBox* picture() const { return w_->Picture(); }
    panel::OperatingPointPanel* panel() const { return w_->Panel(); }
    QString shown() const {
        return child<QLineEdit>("txG")->text() + " / " + child<QLineEdit>("txQ")->text();
    }
    bool readingVisible() const {
        return picture()->IsLineObjectVisible(w_->DropLineObject()) &&
               picture()->IsLineObjectVisible(w_->FlowLineObject());
    }
    std::vector<Op> ops(Op::Kind kind) const {
        std::vector<Op> found;
        for (const Op& op : picture()->Operations())
            if (op.kind == kind)
                found.push_back(op);
        return found;
    }
    void chooseModel(int m) {
        QComboBox* combo = child<QComboBox>("cmbWymienniki");
        combo->setFocus();
        while (combo->currentIndex() < m)
            QTest::keyClick(combo, Qt::Key_Down);
    }
    void draw(int m) {
        chooseModel(m);
        click("cmdLicz");
        QCOMPARE(messages_, QStringList());
    }
    void press(double x) {
        mouse(picture(), QEvent::MouseButtonPress, x, Qt::LeftButton, Qt::LeftButton);
    }

private slots:
    void initTestCase() { nomogram_tests::UseOutputCatalogue(); }
    void init() {
        open();
        enter(panel()->Box(Field::T11), QStringLiteral("55"));
        QCOMPARE(panel()->Text(Field::T22), QStringLiteral("50"));
    }
    void cleanup() { w_.reset(); }

    void openingState() {
        QCOMPARE(w_->windowTitle(),
                 QStringLiteral("Wykres zależności mocy cieplnej od przepływu wody ogrzewanej"));
        QCOMPARE(child<QComboBox>("cmbWymienniki")->currentText(), QStringLiteral("orv2.14"));
        QVERIFY(panel()->CentralHeating());
        QVERIFY(!panel()->Has(Field::Q));
        QCOMPARE(shown(), QStringLiteral("1 / "));
        QVERIFY(!readingVisible());
        QVERIFY(!child<QProgressBar>("pbObl")->isVisibleTo(w_.get()));
        checkNoOverlaps();
    }

    void clickBeforeTheFirstDrawing() {
        press(500);
        QVERIFY(!readingVisible());
        QCOMPARE(shown(), QStringLiteral("1 / "));
        QVERIFY(picture()->Operations().empty());
        QCOMPARE(w_->Max(), 0.0);
    }

    void oneCountOverTheWholeRange() {
        QSignalSpy progress(child<QProgressBar>("pbObl"), &QProgressBar::valueChanged);
        draw(1);
        QVERIFY(!w_->CzyWyczyszczone());
        QVERIFY(!child<QProgressBar>("pbObl")->isVisibleTo(w_.get()));
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.last().at(0).toInt(), 100);
        // First the band, then its label, the grid and its labels, then the curve.
        const auto& all = picture()->Operations();
        QCOMPARE(all[0].kind, Op::FillRectOp);
        QCOMPARE(Ends(all[0]), QStringLiteral("(100.000, 100.000)-(900.000, 900.000)"));
        QCOMPARE(all[0].color, QColor(1, 230, 45));
        QCOMPARE(all[1].kind, Op::TextOp);
        QCOMPARE(all[1].text + Ends(all[1]).left(18), QStringLiteral("1(500.000, 950.000)"));
        QCOMPARE(all[1].width, 10.0);
        // 38 grid lines, then 160 segments of the curve at y = 781 (505 kW), dark red, width 2.
        const std::vector<Op> lines = ops(Op::LineOp);
        QCOMPARE(int(lines.size()), 38 + 160);
        QCOMPARE(all.back().kind, Op::LineOp);
        for (std::size_t k = 38; k < lines.size(); ++k) {
            QCOMPARE(lines[k].color, QColor(128, 0, 0));
            QCOMPARE(lines[k].width, 2.0);
            QCOMPARE(lines[k].a.y(), 781.0);
            QCOMPARE(lines[k].b.x() - lines[k].a.x(), 5.0);
        }
        QCOMPARE(int(ops(Op::TextOp).size()), 1 + 38 + 3);
        // The reading at 1 kg/s: 504.983 kW at y = 100 + 400 (log10 504.983 − 1) = 781.311.
        QVERIFY(readingVisible());
        QCOMPARE(Ends(picture()->LineObject(w_->DropLineObject())),
                 QStringLiteral("(100.000, 781.311)-(500.000, 781.311)"));
        QCOMPARE(Ends(picture()->LineObject(w_->FlowLineObject())),
                 QStringLiteral("(500.000, 100.000)-(500.000, 781.311)"));
        QCOMPARE(shown(), QStringLiteral("1.0 / 505"));
        QCOMPARE(w_->Max(), 900.0);
    }

    void bandsTheirColoursAndLabels() {
        draw(0); // bands of 1 to 10 exchangers; 11 at the last sample is not painted
        const std::vector<Op> bands = ops(Op::FillRectOp);
        QCOMPARE(int(bands.size()), 10);
        // The count colours: red n, green |(255 − 25 n) mod 255|, blue 45 n mod 255.
        const QColor colours[] = {{1, 230, 45},  {2, 205, 90},  {3, 180, 135},
                                  {4, 155, 180}, {5, 130, 225}, {6, 105, 15}};
        for (int k = 0; k < 6; ++k)
            QCOMPARE(bands[k].color, colours[k]);
        QCOMPARE(Ends(bands[9]), QStringLiteral("(880.000, 100.000)-(900.000, 900.000)"));
        QStringList labels;
        for (const Op& t : ops(Op::TextOp))
            if (t.a.y() == 950)
                labels << QStringLiteral("%1@%2").arg(t.text).arg(t.a.x());
        QCOMPARE(labels.join(' '), QStringLiteral("1@300 2@560 3@655 4@715 5@760 6@795 7@822.5 "
                                                  "8@847.5 9@870 10@890"));
    }

    void outputAboveTheChart() {
        draw(2);
        const std::vector<Op> bands = ops(Op::FillRectOp);
        QCOMPARE(bands.back().color, QColor(0, 0, 0));
        QCOMPARE(Ends(bands.back()), QStringLiteral("(835.000, 100.000)-(900.000, 900.000)"));
        QCOMPARE(w_->Max(), 835.0);
        const std::vector<Op> lines = ops(Op::LineOp);
        QCOMPARE(lines.back().b.x(), 830.0); // the curve ends at the last kept sample
        // Held at 835: G2 = 6.878599, 8 exchangers, 1009.967 kW above the chart (y 901.723): no
        // reading there, the one at 1 kg/s stays (2 exchangers, 252.49 kW at y 660.90).
        press(880);
        QCOMPARE(shown(), QStringLiteral("1.0 / 252"));
        const Op& up = picture()->LineObject(w_->FlowLineObject());
        QCOMPARE(up.a, QPointF(500, 100));
        QCOMPARE(up.b.x(), 500.0);
        QVERIFY2(qAbs(up.b.y() - 660.90) < 0.01, qPrintable(Ends(up)));
        // A new drawing reads at 1 kg/s again: 2 exchangers, 126.246 · 2 = 252.49 kW.
        click("cmdLicz");
        QCOMPARE(shown(), QStringLiteral("1.0 / 252"));
    }

    void flowsWithoutAnInstallationBreakTheCurve() {
        draw(3);
        bool joins775 = false, joins780 = false;
        for (const Op& l : ops(Op::LineOp)) {
            joins775 = joins775 || l.a.x() == 775 || l.b.x() == 775;
            joins780 = joins780 || (l.a.x() == 780 && l.b.x() == 785);
        }
        QVERIFY(!joins775);
        QVERIFY(joins780);
        // The reading at a flow without an installation leaves the last one in place.
        press(780);
        const QString before = shown();
        const QString line = Ends(picture()->LineObject(w_->FlowLineObject()));
        press(775);
        QCOMPARE(shown(), before);
        QCOMPARE(Ends(picture()->LineObject(w_->FlowLineObject())), line);
    }

    // The first change after a drawing clears it; later ones cost nothing until the next drawing.
    void clearOnce_data() {
        QTest::addColumn<int>("change");
        QTest::addColumn<bool>("clearsAgain");
        QTest::newRow("Dp1 entered") << 0 << false;
        QTest::newRow("T21 slider") << 1 << false;
        QTest::newRow("purpose") << 2 << false;
        QTest::newRow("model") << 3 << false;
        QTest::newRow("T11 slider clears at its end") << 4 << true;
    }
    void clearOnce() {
        QFETCH(int, change);
        QFETCH(bool, clearsAgain);
        int step = 0;
        auto act = [&] {
            ++step;
            switch (change) {
            case 0:
                enter(panel()->Box(Field::Dp1), QString::number(20 + step));
                break;
            case 1:
                panel()->Slider(Field::T21)->setValue(40 - step);
                break;
            case 2:
                QTest::mouseClick(step % 2 ? panel()->HotWaterOption()
                                           : panel()->CentralHeatingOption(),
                                  Qt::LeftButton);
                break;
            case 3:
                QTest::keyClick(child<QComboBox>("cmbWymienniki"),
                                step % 2 ? Qt::Key_Down : Qt::Key_Up);
                break;
            case 4:
                panel()->Slider(Field::T11)->setValue(55 + step);
                break;
            }
        };
        draw(1);
        act();
        QVERIFY(picture()->Operations().empty());
        QVERIFY(!readingVisible());
        QVERIFY(w_->CzyWyczyszczone());
        press(500); // MAX survives the clearing
        QVERIFY(readingVisible());
        act();
        QCOMPARE(readingVisible(), !clearsAgain);
        click("cmdLicz");
        QVERIFY(!w_->CzyWyczyszczone());
        QVERIFY(!picture()->Operations().empty());
        QCOMPARE(messages_, QStringList());
    }

    void outputBoxIsNoInput() {
        draw(1);
        QLineEdit* q = child<QLineEdit>("txQ");
        q->setFocus();
        QTest::keyClicks(q, QStringLiteral("a"));
        QCOMPARE(messages_, QStringList{QStringLiteral("moc cieplna musi być liczbą")});
        QCOMPARE(QApplication::focusWidget(), q);
        QTest::keyClick(q, Qt::Key_Return);
        QVERIFY(!picture()->Operations().empty()); // nothing cleared
    }

    // Model 2 reads from x 100 up to MAX 835 (see outputAboveTheChart).
    void keysReadAsTheMouse_data() {
        const int left = Qt::Key_Left, right = Qt::Key_Right, pageUp = Qt::Key_PageUp,
                  pageDown = Qt::Key_PageDown;
        keyRows({{"right arrow", 500, {right, right, right, right}, 504},
                 {"left arrow", 500, {left, left}, 498},
                 {"held at MAX", 830, {pageUp}, 840},
                 {"back from MAX", 830, {pageUp, left}, 834},
                 {"held at the axis", 105, {pageDown}, 95},
                 {"home", 500, {Qt::Key_Home}, 0},
                 {"end", 500, {Qt::Key_End}, 1000}});
    }
    void keysReadAsTheMouse() {
        QFETCH(double, from);
        QFETCH(QList<int>, keys);
        QFETCH(double, mouseAt);
        draw(2);
        const auto [byKeys, byMouse] = keysAgainstMouse(from, keys, mouseAt, [this] {
            return shown() + " | " + Ends(picture()->LineObject(w_->FlowLineObject())) +
                   Ends(picture()->LineObject(w_->DropLineObject()));
        });
        QCOMPARE(byKeys, byMouse);
    }

    void keysBeforeTheFirstDrawing() {
        picture()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(picture(), Qt::Key_Right);
        QTest::keyClick(picture(), Qt::Key_End);
        QVERIFY(!readingVisible());
        QCOMPARE(shown(), QStringLiteral("1 / "));
    }

    void chartMenu() {
        draw(1);
        QCOMPARE(picture()->accessibleDescription(), QStringLiteral("G = 1.0 kg/s, Q = 505 kW"));
        const QByteArray svg = saveAs(picture(), widgets::kSaveSvgText, "moc.svg");
        // One band, 38 grid lines, 160 curve segments, the two reading lines; 1 + 38 + 3 texts.
        QCOMPARE(int(svg.count("<polyline")), 38 + 160 + 2);
        QCOMPARE(int(svg.count("<text")), 1 + 38 + 3);
        QVERIFY(svg.contains("fill=\"#01e62d\"")); // the band of one exchanger, (1, 230, 45)
    }

    void helpButtonAndF1() {
        writeHelpPage();
        click("cmdOpis");
        QVERIFY(helpIsOpen());
        delete w_->findChild<QDialog*>(QStringLiteral("frmPomoc"));
        QTest::keyClick(panel()->Box(Field::Dp1), Qt::Key_F1);
        QVERIFY(helpIsOpen());
    }

    void closing() {
        QSignalSpy finished(w_.get(), &QDialog::finished);
        click("cmdExit");
        QCOMPARE(finished.count(), 1);
        w_->show();
        w_->close();
        QCOMPARE(finished.count(), 2);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    HydraTest hydra;
    QGTest qg;
    return QTest::qExec(&hydra, argc, argv) | QTest::qExec(&qg, argc, argv);
}

#include "WindowTest.moc"
