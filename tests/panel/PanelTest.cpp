// The operating-point panel as the windows configure it, and its number reading.
#include "panel/CaseFile.h"
#include "panel/OperatingPointPanel.h"
#include "panel/PanelConfig.h"
#include "widgets/Environment.h"
#include "widgets/LogicalLayout.h"
#include "widgets/MessageBox.h"
#include "widgets/SaveFile.h"

#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
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

    void open(const QString& path, const QByteArray& bytes, int row, QStringList* rows) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        f.close();
        widgets::SetOpenFileHandler([path](const widgets::SaveRequest&) { return path; });
        panel::SetRowChoiceHandler([row, rows](const QStringList& r) { return *rows = r, row; });
        panel::OpenCase(host_.get(), *panel_);
    }

private slots:
    // Opening checks the whole row before it changes anything; a table's row is picked by name.
    void casesOpenCheckedRows() {
        const char* kTable = "nazwa\tMOC [kW]\tT11\tprzeznaczenie\nA\t100\t120\tc.o.\n"
                             "B\t300.5\t160\tC.W.\n\t400\t170\t\n";
        const std::tuple<const char*, int, const char*, const char*, const char*, int> kCases[] = {
            {"nazwa;T11;T21\r\nA;130;125\r\n", 0, "200 150 100 1",
             "Wartość temperatury T21 musi być mniejsza niż 123°C", "", 0},
            {"Q;T11\nabc;130\n", 0, "200 150 100 1", "moc cieplna musi być liczbą", "", 0},
            {kTable, 1, "300.5 160 100 0", "", "1. A|2. B|3", 1},
            {kTable, -1, "200 150 100 1", "", "1. A|2. B|3", 0},
            {"nazwa;T12\nA;90\n", 0, "200 150 100 1", "", "", 0}}; // no T12 here
        QTemporaryDir dir;
        for (const auto& [bytes, row, boxes, messages, rows, clears] : kCases) {
            make(panel::SelectionPanelConfig());
            QStringList shown;
            open(dir.filePath(QStringLiteral("tabela.txt")), bytes, row, &shown);
            QCOMPARE(shown.join('|'), QString::fromUtf8(rows));
            QCOMPARE(messages_.join('|'), QString::fromUtf8(messages));
            QCOMPARE(panel_->Text(Field::Q) + ' ' + panel_->Text(Field::T11) + ' ' +
                         panel_->Text(Field::T22) + ' ' + QString::number(panel_->CentralHeating()),
                     QString::fromLatin1(boxes));
            QCOMPARE(clears_, clears);
        }
    }

    // Every window's fields saved (in its tab order, named by the file) and reopened.
    void casesSaveAndReopen() {
        const std::pair<panel::PanelConfig, const char*> kCases[] = {
            {panel::SelectionPanelConfig(),
             "Q;Dp1;T11;Dp2;T21;T22;przeznaczenie\r\n\"W; 1\";250,5;25;130;12;50;80;c.w."},
            {panel::OutputNomogramPanelConfig(),
             "Dp1;T11;Dp2;T21;T22;przeznaczenie\r\n\"W; 1\";25;130;12;50;80;c.w."},
            {panel::CoefficientsByOutputPanelConfig(),
             "Dp1;T11;T12;Dp2;T21;T22;przeznaczenie\r\n\"W; 1\";25;130;90;12;50;80;c.o."},
            {panel::CoefficientsByOutletPanelConfig(),
             "Q;Dp1;T11;Dp2;T21;T22;przeznaczenie\r\n\"W; 1\";250,5;25;130;12;50;80;c.o."}};
        const char* kTexts[] = {"250.5", "25", "130", "90", "12", "50", "80"}; // by Field
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("W; 1.csv"));
        widgets::SetSaveFileHandler([path](const widgets::SaveRequest&) { return path; });
        for (const auto& [config, saved] : kCases) {
            make(config);
            for (int f = 0; f < panel::kFieldCount; ++f)
                if (panel_->Has(Field(f)))
                    enter(Field(f), QString::fromLatin1(kTexts[f]));
            QTest::mouseClick(panel_->CentralHeating() ? panel_->HotWaterOption()
                                                       : panel_->CentralHeatingOption(),
                              Qt::LeftButton);
            const bool central = panel_->CentralHeating();
            panel::SaveCase(host_.get(), *panel_);
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QCOMPARE(bytes, QByteArray("\xEF\xBB\xBFnazwa;") + saved + "\r\n");
            make(config);
            QStringList rows;
            open(path, bytes, 0, &rows);
            for (int f = 0; f < panel::kFieldCount; ++f)
                if (panel_->Has(Field(f)))
                    QCOMPARE(panel_->Text(Field(f)), QString::fromLatin1(kTexts[f]));
            QCOMPARE(panel_->CentralHeating(), central);
            QCOMPARE(messages_.join('|') + QString::number(clears_), QStringLiteral("1"));
        }
    }

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
