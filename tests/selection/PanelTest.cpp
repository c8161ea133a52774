#include "SelectionTestSupport.h"

#include "selection/OperatingPointPanel.h"
#include "selection/frmDobor.h"
#include "widgets/Environment.h"
#include "widgets/LogicalLayout.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

using selection::Field;
using selectiontest::Messages;

Q_DECLARE_METATYPE(selection::Field)

class PanelTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<selectiontest::AppDir> app_;
    std::unique_ptr<frmDobor> window_;
    std::unique_ptr<Messages> messages_;

    selection::OperatingPointPanel* panel() const { return window_->Panel(); }
    QLineEdit* box(Field f) const { return panel()->Box(f); }
    QSlider* slider(Field f) const { return panel()->Slider(f); }

    // Types nothing: puts the text into the box and confirms it with Enter.
    void enter(Field f, const QString& text) {
        box(f)->setFocus();
        box(f)->setText(text);
        QTest::keyClick(box(f), Qt::Key_Return);
    }
    void press(QWidget* w, Qt::Key key, int times = 1) {
        w->setFocus();
        for (int i = 0; i < times; ++i)
            QTest::keyClick(w, key);
    }

private slots:
    void initTestCase() {
        app_ = std::make_unique<selectiontest::AppDir>();
        QVERIFY(app_->Ok());
    }
    void init() {
        widgets::SetUserLocale(QLocale::c());
        messages_ = std::make_unique<Messages>();
        window_ = std::make_unique<frmDobor>();
        QVERIFY(selectiontest::ShowActive(window_.get()));
    }
    void cleanup() {
        window_.reset();
        messages_.reset();
    }

    void opensWithTheDefaultPointAndWideRanges() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Dbór wymienników"));
        QVERIFY(window_->isModal());
        // Defaults and opening ranges of the limits table; T21 and T22 keep their wide ranges
        // until the first temperature change.
        const struct {
            Field f;
            const char* text;
            int min, max;
        } expected[] = {{Field::Q, "200", 10, 1000}, {Field::Dp1, "20", 1, 70},
                        {Field::T11, "150", 8, 210}, {Field::Dp2, "15", 1, 40},
                        {Field::T21, "40", 1, 199},  {Field::T22, "100", 2, 209}};
        for (const auto& e : expected) {
            QCOMPARE(box(e.f)->text(), QString::fromLatin1(e.text));
            QCOMPARE(slider(e.f)->value(), QString::fromLatin1(e.text).toInt());
            QCOMPARE(slider(e.f)->minimum(), e.min);
            QCOMPARE(slider(e.f)->maximum(), e.max);
        }
        QVERIFY(!panel()->Has(Field::T12));
        QVERIFY(panel()->CentralHeatingOption()->isChecked());
        QVERIFY(!window_->CzyWyczyszczone());
        QCOMPARE(window_->findChild<QLabel*>("etQ")->text(),
                 QStringLiteral("wymagana moc cieplna Q w [kW]"));
        QCOMPARE(window_->findChild<QSlider*>("SlT21"), slider(Field::T21));
        QCOMPARE(window_->findChild<QSlider*>("slDp2")->toolTip(),
                 QStringLiteral("zakres oporu:1 - 40 kPa"));
        QCOMPARE(window_->findChild<QLineEdit*>("txDp2")->toolTip(),
                 QStringLiteral("Dopuszczlny opór przepływu wody ogrzewanej"));
        QVERIFY(messages_->texts.isEmpty());
    }

    void checkOnEnter_data() {
        QTest::addColumn<Field>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        const QString none;
        // Limits from the check table: Q 10..1000, Dp1 1..100 (slider to 70), Dp2 1..40,
        // T11 8..210, T21 1..T11 − 7 = 143, T22 T21 + 1 = 41 .. T11 − 5 = 145.
        QTest::newRow("Q upper limit accepted") << Field::Q << "1000" << none << "1000" << 1000;
        QTest::newRow("Q above limit") << Field::Q << "1000.5"
                                       << "Wartość mocy cieplnej Q musi być mniejsza niż 1000 kW"
                                       << "1000" << 1000;
        QTest::newRow("Q below limit") << Field::Q << "9.99"
                                       << "Wartość mocy cieplnej Q musi być większa niż 10 kW"
                                       << "10" << 10;
        QTest::newRow("Q blanks between digits") << Field::Q << "1 000" << none << "1 000" << 1000;
        QTest::newRow("Dp1 beyond its slider") << Field::Dp1 << "85" << none << "85" << 70;
        QTest::newRow("Dp1 above limit")
            << Field::Dp1 << "100.4"
            << "Wartość dopuszczalnego opru przepływu Dp1 musi być mniejsza niż 100 kPa"
            << "100" << 70;
        QTest::newRow("Dp1 below limit")
            << Field::Dp1 << "0"
            << "Wartość dopuszczalnego opru przepływu Dp1 musi być większa niż 1 kPa"
            << "1" << 1;
        QTest::newRow("Dp2 above limit")
            << Field::Dp2 << "41"
            << "Wartość dopuszczalnego opru przepływu Dp2 musi być mniejsza niż 40 kPa"
            << "40" << 40;
        QTest::newRow("T11 below limit") << Field::T11 << "7"
                                         << "Wartość temperatury T11 musi być większa niż 8°C"
                                         << "8" << 8;
        QTest::newRow("T11 above limit") << Field::T11 << "210.4"
                                         << "Wartość temperatury T11 musi być mniejsza niż 210°C"
                                         << "210" << 210;
        QTest::newRow("T11 comma stops the number") << Field::T11 << "95,5" << none << "95,5" << 95;
        QTest::newRow("T11 no number reads 0") << Field::T11 << "abc"
                                               << "Wartość temperatury T11 musi być większa niż 8°C"
                                               << "8" << 8;
        QTest::newRow("T21 at T11 - 6") << Field::T21 << "144"
                                        << "Wartość temperatury T21 musi być mniejsza niż 143°C"
                                        << "143" << 143;
        QTest::newRow("T21 at T11 - 7") << Field::T21 << "143" << none << "143" << 143;
        QTest::newRow("T21 half rounds to even below")
            << Field::T21 << "40.5" << none << "40.5" << 40;
        QTest::newRow("T21 half rounds to even above")
            << Field::T21 << "41.5" << none << "41.5" << 42;
        QTest::newRow("T22 not above T21") << Field::T22 << "40"
                                           << "Wartość temperatury T22 musi być większa niż 41°C"
                                           << "41" << 41;
        QTest::newRow("T22 above T11 - 5") << Field::T22 << "146"
                                           << "Wartość temperatury T22 musi być mniejsza niż 145°C"
                                           << "145" << 145;
    }
    void checkOnEnter() {
        QFETCH(Field, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, text);
        QFETCH(int, position);
        enter(field, typed);
        if (message.isEmpty()) {
            QVERIFY2(messages_->texts.isEmpty(), qPrintable(messages_->texts.join('|')));
        } else {
            QCOMPARE(messages_->texts, QStringList{message});
            QCOMPARE(messages_->titles,
                     QStringList{QStringLiteral("Dobór wymienników firmy Skarvel")});
        }
        QCOMPARE(box(field)->text(), text);
        QCOMPARE(slider(field)->value(), position);
        QCOMPARE(QApplication::focusWidget(), box(field));
    }

    void leavingTheBoxChecksOnce() {
        // The box loses the focus to the message, as a real modal box takes it; that must not
        // start a second check.
        messages_->during = [this] { window_->Grid()->setFocus(); };
        box(Field::Q)->setFocus();
        box(Field::Q)->setText(QStringLiteral("5"));
        QTest::keyClick(box(Field::Q), Qt::Key_Tab);
        QCOMPARE(messages_->texts,
                 QStringList{QStringLiteral("Wartość mocy cieplnej Q musi być większa niż 10 kW")});
        QCOMPARE(box(Field::Q)->text(), QStringLiteral("10"));
        QCOMPARE(QApplication::focusWidget(), box(Field::Q));

        messages_->clear();
        box(Field::T22)->setFocus();
        box(Field::T22)->selectAll();
        QTest::keyClick(box(Field::T22), Qt::Key_Backspace);
        QCOMPARE(messages_->texts, QStringList{QStringLiteral("temperatura musi być liczbą")});
        QCOMPARE(QApplication::focusWidget(), box(Field::T22));
    }

    void realMessageBoxChecksOnce_data() {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("Enter") << true;
        QTest::newRow("Tab") << false;
    }
    void realMessageBoxChecksOnce() {
        QFETCH(bool, byEnter);
        // Real modal boxes, closed as a user would; each one takes the focus from the text box.
        messages_.reset();
        QStringList seen;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&seen] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen << box->text();
                box->accept();
            }
        });
        closer.start(10);
        box(Field::Dp2)->setFocus();
        box(Field::Dp2)->setText(QStringLiteral("50"));
        QTest::keyClick(box(Field::Dp2), byEnter ? Qt::Key_Return : Qt::Key_Tab);
        QCOMPARE(seen,
                 QStringList{QStringLiteral(
                     "Wartość dopuszczalnego opru przepływu Dp2 musi być mniejsza niż 40 kPa")});
        QCOMPARE(box(Field::Dp2)->text(), QStringLiteral("40"));
        // The window gives the focus back to the box when it is active again.
        QCOMPARE(window_->focusWidget(), box(Field::Dp2));
        QTest::qWait(50);
        QCOMPARE(seen.size(), 1);
    }

    void t11OfEightNarrowsT21AndT22() {
        enter(Field::T11, QStringLiteral("8"));
        // T21 within 1 .. 8 − 7 = 1; T22 within T21 + 1 = 2 .. 8 − 5 = 3, pulled down from 100.
        QCOMPARE(slider(Field::T21)->minimum(), 1);
        QCOMPARE(slider(Field::T21)->maximum(), 1);
        QCOMPARE(slider(Field::T21)->value(), 1);
        QCOMPARE(box(Field::T21)->text(), QStringLiteral("1"));
        QCOMPARE(slider(Field::T22)->minimum(), 2);
        QCOMPARE(slider(Field::T22)->maximum(), 3);
        QCOMPARE(slider(Field::T22)->value(), 3);
        QCOMPARE(box(Field::T22)->text(), QStringLiteral("3"));
        QVERIFY(messages_->texts.isEmpty());
    }

    void t11SliderMoveKeepsT21Below_data() {
        QTest::addColumn<QString>("t21");
        QTest::addColumn<int>("expected");
        QTest::newRow("T21 40 is pulled to 46 - 7") << "40" << 39;
        QTest::newRow("T21 39 stays") << "39" << 39;
    }
    void t11SliderMoveKeepsT21Below() {
        QFETCH(QString, t21);
        QFETCH(int, expected);
        enter(Field::T21, t21);
        // 150 − 10 page steps of 10 − 4 single steps = 46.
        press(slider(Field::T11), Qt::Key_PageDown, 10);
        press(slider(Field::T11), Qt::Key_Left, 4);
        QCOMPARE(slider(Field::T11)->value(), 46);
        QCOMPARE(box(Field::T11)->text(), QStringLiteral("46"));
        QCOMPARE(slider(Field::T21)->value(), expected);
        QCOMPARE(box(Field::T21)->text(), QString::number(expected));
        QCOMPARE(slider(Field::T21)->maximum(), 39);
        // T22 from 100 down to 46 − 5 = 41, range T21 + 1 .. 41.
        QCOMPARE(box(Field::T22)->text(), QStringLiteral("41"));
        QCOMPARE(slider(Field::T22)->minimum(), expected + 1);
        QCOMPARE(slider(Field::T22)->maximum(), 41);
        QVERIFY(messages_->texts.isEmpty());
    }

    void sliderMoveWritesTheWholeNumber() {
        enter(Field::Q, QStringLiteral("200.7"));
        press(slider(Field::Q), Qt::Key_Right);
        // 200.7 puts the slider at 201; one step right is 202.
        QCOMPARE(box(Field::Q)->text(), QStringLiteral("202"));
        press(slider(Field::Dp2), Qt::Key_End);
        QCOMPARE(box(Field::Dp2)->text(), QStringLiteral("40"));
        // Moving T21 narrows T22 to T21 + 1 .. T11 − 5 = 51 .. 145.
        press(slider(Field::T21), Qt::Key_PageUp);
        QCOMPARE(box(Field::T21)->text(), QStringLiteral("50"));
        QCOMPARE(slider(Field::T22)->minimum(), 51);
        QCOMPARE(slider(Field::T22)->maximum(), 145);
        QVERIFY(messages_->texts.isEmpty());
    }

    void lettersAfterANumber() {
        box(Field::Q)->setFocus();
        box(Field::Q)->selectAll();
        QTest::keyClicks(box(Field::Q), QStringLiteral("12ab"));
        // "1" and "12" are numbers; "12a" and "12ab" are not.
        const QString nan = QStringLiteral("moc cieplna musi być liczbą");
        QCOMPARE(messages_->texts, (QStringList{nan, nan}));
        messages_->clear();
        QTest::keyClick(box(Field::Q), Qt::Key_Return);
        QVERIFY(messages_->texts.isEmpty());
        QCOMPARE(box(Field::Q)->text(), QStringLiteral("12ab"));
        QCOMPARE(slider(Field::Q)->value(), 12);
    }

    void decimalCommaDependsOnTheLocale_data() {
        QTest::addColumn<bool>("polish");
        QTest::addColumn<int>("messages");
        QTest::newRow("comma locale") << true << 0;
        QTest::newRow("point locale") << false << 1;
    }
    void decimalCommaDependsOnTheLocale() {
        QFETCH(bool, polish);
        QFETCH(int, messages);
        if (polish)
            widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        box(Field::T11)->setFocus();
        box(Field::T11)->setText(QStringLiteral("95,"));
        QTest::keyClick(box(Field::T11), Qt::Key_5);
        QCOMPARE(box(Field::T11)->text(), QStringLiteral("95,5"));
        QCOMPARE(messages_->texts.size(), messages);
        messages_->clear();
        QTest::keyClick(box(Field::T11), Qt::Key_Return);
        // The check reads up to the comma: 95.
        QVERIFY(messages_->texts.isEmpty());
        QCOMPARE(slider(Field::T11)->value(), 95);
        QCOMPARE(panel()->Value(Field::T11), 95.0);
    }

    void emptiedBoxIsNotANumber_data() {
        QTest::addColumn<Field>("field");
        QTest::addColumn<QString>("message");
        QTest::newRow("Q") << Field::Q << "moc cieplna musi być liczbą";
        QTest::newRow("Dp1") << Field::Dp1 << "opór przepływu musi być liczbą";
        QTest::newRow("T11") << Field::T11 << "temperatura musi być liczbą";
        QTest::newRow("Dp2") << Field::Dp2 << "opór przepływu musi być liczbą";
        QTest::newRow("T21") << Field::T21 << "temperatura musi być liczbą";
        QTest::newRow("T22") << Field::T22 << "temperatura musi być liczbą";
    }
    void emptiedBoxIsNotANumber() {
        QFETCH(Field, field);
        QFETCH(QString, message);
        const int position = slider(field)->value();
        box(field)->setFocus();
        panel()->SetCzyWyczyszczone(false); // as after a calculation
        box(field)->selectAll();
        QTest::keyClick(box(field), Qt::Key_Delete);
        QCOMPARE(messages_->texts, QStringList{message});
        QCOMPARE(QApplication::focusWidget(), box(field));
        // Nothing else changes until the value is confirmed.
        QCOMPARE(slider(field)->value(), position);
        QVERIFY(!window_->CzyWyczyszczone());
    }

    void tabOrderRunsTopToBottom() {
        const char* names[] = {"txQ",   "slQ",   "txDp1",   "slDp1",   "txT11",  "slT11",
                               "txDp2", "slDp2", "txT21",   "SlT21",   "txT22",  "slT22",
                               "opCO",  "opCW",  "cmdLicz", "cmdDruk", "cmdExit"};
        QWidget* w = box(Field::Q);
        for (size_t i = 1; i < std::size(names); ++i) {
            w = w->nextInFocusChain();
            while (w && !(w->focusPolicy() & Qt::TabFocus))
                w = w->nextInFocusChain();
            QVERIFY(w);
            QCOMPARE(w->objectName(), QString::fromLatin1(names[i]));
        }
    }

    void controlsHaveAccessibleNames() {
        QCOMPARE(box(Field::T11)->accessibleName(), QStringLiteral("temperatura wejściowa T11"));
        QCOMPARE(window_->findChild<QToolButton*>("cmdDruk")->accessibleName(),
                 QStringLiteral("Wydruk wyniku doboru wymienników"));
        for (QWidget* w : window_->findChildren<QWidget*>()) {
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<QSlider*>(w) ||
                qobject_cast<QToolButton*>(w) || qobject_cast<QRadioButton*>(w))
                QVERIFY2(!w->accessibleName().isEmpty() ||
                             !w->property("text").toString().isEmpty(),
                         qPrintable(w->objectName()));
        }
    }

    void layoutKeepsTheGroupsInTheirFrames() {
        auto rect = [this](const char* name) {
            return window_->findChild<QWidget*>(name)->geometry();
        };
        // Heating water: Dp1 and T11 rows 4.5 and 6.5 inside 155 .. 385; heated water: Dp2, T21,
        // T22 rows 10 .. 14 (+1 for the slider) inside 395 .. 665.
        for (const char* name : {"etDp1", "txDp1", "slDp1", "etT11", "txT11", "slT11"})
            QVERIFY2(rect("rmGrzejna").contains(rect(name)), name);
        for (const char* name :
             {"etDp2", "txDp2", "slDp2", "etT21", "txT21", "SlT21", "etT22", "txT22", "slT22"})
            QVERIFY2(rect("rmOgrzewana").contains(rect(name)), name);
        QVERIFY(rect("txQ").left() > rect("etQ").left());
        QVERIFY(rect("slQ").top() > rect("etQ").top());
        QVERIFY(rect("fgDobor").right() < rect("etQ").left());
        QVERIFY(rect("cmdLicz").top() > rect("rmOgrzewana").bottom());
    }

    void closingEmitsFinished_data() {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("exit button") << true;
        QTest::newRow("close box") << false;
    }
    void closingEmitsFinished() {
        QFETCH(bool, byButton);
        QSignalSpy finished(window_.get(), &QDialog::finished);
        if (byButton)
            QTest::mouseClick(window_->findChild<QToolButton*>("cmdExit"), Qt::LeftButton);
        else
            window_->close();
        QCOMPARE(finished.count(), 1);
        QVERIFY(!window_->isVisible());
    }
};

// The panel outside the selection window: invalidation and the chart windows' configurations.
class PanelConfigTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QWidget> host_;
    selection::OperatingPointPanel* panel_ = nullptr;
    int clears_ = 0;
    std::unique_ptr<Messages> messages_;

    void make(const selection::PanelConfig& config) {
        host_ = std::make_unique<QWidget>();
        host_->resize(1024, 768);
        auto* layout = new widgets::LogicalLayout(host_.get(), 1024, 768, config.yUp);
        clears_ = 0;
        panel_ =
            new selection::OperatingPointPanel(host_.get(), layout, config, [this] { ++clears_; });
        QVERIFY(selectiontest::ShowActive(host_.get()));
    }
    void press(Field f, Qt::Key key, int times = 1) {
        panel_->Slider(f)->setFocus();
        for (int i = 0; i < times; ++i)
            QTest::keyClick(panel_->Slider(f), key);
    }
    void enter(Field f, const QString& text) {
        panel_->Box(f)->setFocus();
        panel_->Box(f)->setText(text);
        QTest::keyClick(panel_->Box(f), Qt::Key_Return);
    }

private slots:
    void init() {
        widgets::SetUserLocale(QLocale::c());
        messages_ = std::make_unique<Messages>();
    }
    void cleanup() {
        host_.reset();
        messages_.reset();
    }

    void resultsAreClearedOncePerCalculation() {
        make(selection::SelectionPanelConfig());
        enter(Field::Q, QStringLiteral("300"));
        enter(Field::Dp2, QStringLiteral("20"));
        QCOMPARE(clears_, 1);
        QVERIFY(panel_->CzyWyczyszczone());
        panel_->SetCzyWyczyszczone(false); // a calculation
        press(Field::Q, Qt::Key_Right);
        QCOMPARE(clears_, 2);
        // The T11 slider clears once more at the end of its move, cleared or not.
        press(Field::T11, Qt::Key_Left);
        QCOMPARE(clears_, 3);
        panel_->SetCzyWyczyszczone(false);
        press(Field::T11, Qt::Key_Left);
        QCOMPARE(clears_, 5);
        // The purpose options of the selection window have no handler.
        panel_->SetCzyWyczyszczone(false);
        QTest::mouseClick(panel_->HotWaterOption(), Qt::LeftButton);
        QVERIFY(!panel_->CentralHeating());
        QCOMPARE(clears_, 5);
        QVERIFY(messages_->texts.isEmpty());
    }

    void chartWindowsClearOnPurposeChange_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("output nomogram") << 0;
        QTest::newRow("coefficients by output") << 1;
        QTest::newRow("coefficients by outlet") << 2;
    }
    void chartWindowsClearOnPurposeChange() {
        QFETCH(int, which);
        const selection::PanelConfig configs[] = {selection::OutputNomogramPanelConfig(),
                                                  selection::CoefficientsByOutputPanelConfig(),
                                                  selection::CoefficientsByOutletPanelConfig()};
        make(configs[which]);
        QCOMPARE(panel_->Has(Field::Q), which == 2);
        QCOMPARE(panel_->Has(Field::T12), which == 1);
        // "c.o." at opening only in the output nomogram.
        QCOMPARE(panel_->CentralHeating(), which == 0);
        QAbstractButton* other = which == 0
                                     ? static_cast<QAbstractButton*>(panel_->HotWaterOption())
                                     : panel_->CentralHeatingOption();
        QTest::mouseClick(other, Qt::LeftButton);
        QCOMPARE(clears_, 1);
        QCOMPARE(panel_->CentralHeating(), which != 0);
    }

    void t12FollowsT21AndT11() {
        make(selection::CoefficientsByOutputPanelConfig());
        QCOMPARE(panel_->Box(Field::T12)->text(), QStringLiteral("95"));
        // T21 from 75 up to 143 = T11 − 7: 6 page steps and 8 single steps. T12 is pushed to
        // 143 + 3 = 146 (T11 − 4) and T22 to 143 + 1 = 144 (T11 − 6).
        press(Field::T21, Qt::Key_PageUp, 6);
        press(Field::T21, Qt::Key_Right, 8);
        QCOMPARE(panel_->Box(Field::T21)->text(), QStringLiteral("143"));
        QCOMPARE(panel_->Box(Field::T12)->text(), QStringLiteral("146"));
        QCOMPARE(panel_->Slider(Field::T12)->minimum(), 146);
        QCOMPARE(panel_->Slider(Field::T12)->maximum(), 149);
        QCOMPARE(panel_->Box(Field::T22)->text(), QStringLiteral("144"));
        // T12 check: round(T21 + 3) .. round(T11 − 1) = 146 .. 149.
        enter(Field::T12, QStringLiteral("150"));
        QCOMPARE(messages_->texts, QStringList{QStringLiteral(
                                       "Wartość temperatury T12 musi być mniejsza niż 149°C")});
        QCOMPARE(panel_->Box(Field::T12)->text(), QStringLiteral("149"));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    widgets::SetUserLocale(QLocale::c());
    int status = 0;
    {
        PanelTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        PanelConfigTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}

#include "PanelTest.moc"
