// The operating-point panel as the chart windows configure it, and its number reading.
#include "panel/OperatingPointPanel.h"
#include "panel/PanelConfig.h"
#include "widgets/Environment.h"
#include "widgets/LogicalLayout.h"
#include "widgets/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <memory>

using panel::Field;

// The panel as the chart windows configure it.
class PanelTest : public QObject {
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
        panel_ = new panel::OperatingPointPanel(host_.get(), layout, config, [this] { ++clears_; });
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

    // Typed text, comma locale, the value used, the slider after Enter, messages while typing and
    // on Enter. A decimal comma and a point both work in a comma locale; the point only in C.
    void decimalSeparators_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("comma");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("position");
        QTest::addColumn<QStringList>("messages");
        const QString nan = QStringLiteral("moc cieplna musi być liczbą");
        const QString over =
            QStringLiteral("Wartość mocy cieplnej Q musi być mniejsza niż 1000 kW");
        // 250.7 rounds to 251; 94.5 and 95.5 round to the even 94 and 96.
        QTest::newRow("comma in a comma locale")
            << "250,7" << true << 250.7 << 251 << QStringList();
        QTest::newRow("point in a comma locale")
            << "250.7" << true << 250.7 << 251 << QStringList();
        QTest::newRow("half to even down") << "94,5" << true << 94.5 << 94 << QStringList();
        QTest::newRow("half to even up") << "95,5" << true << 95.5 << 96 << QStringList();
        QTest::newRow("grouped thousands")
            << "1 000,5" << true << 1000.0 << 1000 << QStringList{over};
        // "2", "25", "25,": the comma is no number in C, then "25,5" neither; Enter reads 25.
        QTest::newRow("comma in C") << "25,5" << false << 25.0 << 25 << QStringList{nan, nan};
    }
    void decimalSeparators() {
        QFETCH(QString, typed);
        QFETCH(bool, comma);
        QFETCH(double, value);
        QFETCH(int, position);
        QFETCH(QStringList, messages);
        if (comma)
            widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        make(panel::CoefficientsByOutletPanelConfig());
        QLineEdit* q = panel_->Box(Field::Q);
        q->setFocus();
        q->clear();
        QTest::keyClicks(q, typed);
        QTest::keyClick(q, Qt::Key_Return);
        QCOMPARE(messages_, messages);
        QCOMPARE(panel_->Value(Field::Q), value);
        QCOMPARE(panel_->Slider(Field::Q)->value(), position);
    }

    // T11 confirmed as 70.5 puts its slider at 70 (halves to even), so T21's range ends at 63 and
    // T22's at 65, while the checks round 70.5 − 7 = 63.5 to 64 and 70.5 − 5 = 65.5 to 66. A value
    // corrected to such a limit leaves the slider at the end of its range; when T11 becomes 150
    // the range reaches the box's value, and the slider must follow it there.
    void sliderFollowsItsBoxWhenTheRangeWidens_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("corrected");
        QTest::addColumn<QString>("after");
        QTest::newRow("T21") << int(Field::T21)
                             << "Wartość temperatury T21 musi być mniejsza niż 64°C"
                             << "1..63 at 63 '64'"
                             << "1..143 at 64 '64'";
        QTest::newRow("T22") << int(Field::T22)
                             << "Wartość temperatury T22 musi być mniejsza niż 66°C"
                             << "41..65 at 65 '66'"
                             << "41..145 at 66 '66'";
    }
    void sliderFollowsItsBoxWhenTheRangeWidens() {
        QFETCH(int, field);
        QFETCH(QString, message);
        QFETCH(QString, corrected);
        QFETCH(QString, after);
        const auto f = Field(field);
        make(panel::SelectionPanelConfig());
        auto state = [this, f] {
            const QSlider* s = panel_->Slider(f);
            return QString::asprintf("%d..%d at %d '%s'", s->minimum(), s->maximum(), s->value(),
                                     qUtf8Printable(panel_->Box(f)->text()));
        };
        enter(Field::T11, QStringLiteral("70.5"));
        enter(f, QStringLiteral("100"));
        QCOMPARE(messages_, QStringList{message});
        QCOMPARE(state(), corrected);
        enter(Field::T11, QStringLiteral("150"));
        QCOMPARE(state(), after);
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

QTEST_MAIN(PanelTest)
#include "PanelTest.moc"
