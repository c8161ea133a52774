// The operating-point panel as the windows configure it, and its number reading.
#include "panel/OperatingPointPanel.h"
#include "panel/PanelConfig.h"
#include "widgets/Environment.h"
#include "widgets/LogicalLayout.h"
#include "widgets/MessageBox.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

using panel::Field;

class PanelTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QWidget> host_;
    panel::OperatingPointPanel* panel_ = nullptr;
    int clears_ = 0;
    QStringList messages_;

    void make(const panel::PanelConfig& config, QLocale locale = QLocale::c()) {
        widgets::SetUserLocale(locale);
        messages_.clear();
        widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
            messages_ << r.text;
            return true;
        });
        host_ = std::make_unique<QWidget>();
        auto* layout = new widgets::LogicalLayout(host_.get(), 1024, 768, config.yUp);
        clears_ = 0;
        panel_ = new panel::OperatingPointPanel(host_.get(), layout, config, [this] { ++clears_; });
        host_->show();
        QVERIFY(QTest::qWaitForWindowActive(host_.get()));
    }
    void enter(Field f, const QString& text, bool typed = false) {
        panel_->Box(f)->setFocus();
        panel_->Box(f)->clear();
        typed ? QTest::keyClicks(panel_->Box(f), text) : panel_->Box(f)->setText(text);
        QTest::keyClick(panel_->Box(f), Qt::Key_Return);
    }
    QString state(Field f) const {
        const QSlider* s = panel_->Slider(f);
        return QString::asprintf("%d..%d at %d '%s'", s->minimum(), s->maximum(), s->value(),
                                 qUtf8Printable(panel_->Box(f)->text()));
    }

private slots:
    // The fields and the purpose at opening per chart window; a purpose change clears once.
    void purposeChangeClears() {
        const panel::PanelConfig configs[] = {panel::OutputNomogramPanelConfig(),
                                              panel::CoefficientsByOutputPanelConfig(),
                                              panel::CoefficientsByOutletPanelConfig()};
        for (int which = 0; which < 3; ++which) {
            make(configs[which]);
            QCOMPARE(panel_->Has(Field::Q), which == 2);
            QCOMPARE(panel_->Has(Field::T12), which == 1);
            QCOMPARE(panel_->CentralHeating(), which == 0);
            QTest::mouseClick(which == 0 ? panel_->HotWaterOption()
                                         : panel_->CentralHeatingOption(),
                              Qt::LeftButton);
            QCOMPARE(clears_, 1);
        }
    }

    // Q typed in a comma locale or in C: value, slider and messages (typing, Enter) after Enter.
    void decimalSeparators() {
        const QString nan = QStringLiteral("moc cieplna musi być liczbą");
        const QString over =
            QStringLiteral("Wartość mocy cieplnej Q musi być mniejsza niż 1000 kW");
        const std::tuple<const char*, bool, double, int, QStringList> kCases[] = {
            {"250,7", true, 250.7, 251, {}},       {"250.7", true, 250.7, 251, {}},
            {"94,5", true, 94.5, 94, {}},          {"95,5", true, 95.5, 96, {}},
            {"1 000,5", true, 1000, 1000, {over}}, {"25,5", false, 25, 25, {nan, nan}}};
        for (const auto& [typed, comma, value, position, messages] : kCases) {
            make(panel::CoefficientsByOutletPanelConfig(),
                 comma ? QLocale(QLocale::Polish, QLocale::Poland) : QLocale::c());
            enter(Field::Q, QString::fromUtf8(typed), true);
            QCOMPARE(messages_, messages);
            QCOMPARE(panel_->Slider(Field::Q)->value(), position);
            QCOMPARE(panel_->Value(Field::Q), value);
        }
    }
    // T11 70.5: its slider at 70 ends T21's range at 63, T22's at 65; the checks round 63.5 to 64,
    // 65.5 to 66. Past T11 150 the sliders follow their boxes. T21 143 pushes T12 to 146..149.
    void rangesFollowTheLimits() {
        make(panel::SelectionPanelConfig());
        enter(Field::T11, QStringLiteral("70.5"));
        enter(Field::T21, QStringLiteral("100"));
        enter(Field::T22, QStringLiteral("100"));
        QCOMPARE(state(Field::T21), QStringLiteral("1..63 at 63 '64'"));
        QCOMPARE(state(Field::T22), QStringLiteral("64..65 at 65 '66'"));
        enter(Field::T11, QStringLiteral("150"));
        QCOMPARE(state(Field::T21), QStringLiteral("1..143 at 64 '64'"));
        QCOMPARE(state(Field::T22), QStringLiteral("65..145 at 66 '66'"));

        make(panel::CoefficientsByOutputPanelConfig());
        enter(Field::T21, QStringLiteral("143"));
        QCOMPARE(state(Field::T12), QStringLiteral("146..149 at 146 '146'"));
        enter(Field::T12, QStringLiteral("150"));
        QCOMPARE(messages_.value(0),
                 QStringLiteral("Wartość temperatury T12 musi być mniejsza niż 149°C"));
        QCOMPARE(state(Field::T12), QStringLiteral("146..149 at 149 '149'"));
    }
};

QTEST_MAIN(PanelTest)
#include "PanelTest.moc"
