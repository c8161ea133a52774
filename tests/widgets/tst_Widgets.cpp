#include "widgets/AccessibleNames.h"
#include "widgets/Gradient.h"
#include "widgets/LogicalLayout.h"
#include "widgets/MessageBox.h"
#include "widgets/PictureBox.h"
#include "widgets/ProgramIcon.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QtTest>
#include <tuple>

using widgets::PictureBox;

// A container of 1024 × 768 inside a shown window, so that its resizes reach the layout at once.
struct Area {
    QWidget window;
    QWidget* area = new QWidget(&window);
    Area() {
        area->resize(1024, 768);
        window.show();
    }
};

class TstWidgets : public QObject {
    Q_OBJECT

private slots:
    void layoutPlacesInLogicalUnits() {
        // y down: pixels = logical × container / (1024 × 768); y up: the upper edge at 700 lies
        // 768 − 700 = 68 units below the top.
        const std::tuple<bool, QSize, QRect> cases[] = {{false, {512, 384}, {50, 25, 100, 50}},
                                                        {false, {2048, 768}, {200, 50, 400, 100}},
                                                        {true, {1024, 768}, {100, 68, 200, 100}},
                                                        {true, {512, 384}, {50, 34, 100, 50}}};
        for (const auto& [yUp, size, expected] : cases) {
            Area a;
            auto* layout = new widgets::LogicalLayout(a.area, 1024, 768, yUp);
            auto* button = new QPushButton(a.area);
            layout->Place(button, 100, yUp ? 700 : 50, 200, 100);
            a.area->resize(size);
            QCOMPARE(button->geometry(), expected);
        }
    }

    void layoutKeepsFixedSizesAndDropsDeletedControls() {
        Area a;
        auto* layout = new widgets::LogicalLayout(a.area);
        auto* fixed = new QPushButton(a.area);
        auto* gone = new QPushButton(a.area);
        layout->PlaceFixed(fixed, 512, 384, QSizeF(1440, 720)); // one inch by half an inch
        layout->Place(gone, 200, 200, 50, 50);
        delete gone;
        const QSize twips(fixed->logicalDpiX(), fixed->logicalDpiY() / 2);
        for (const QPoint middle : {QPoint(512, 384), QPoint(256, 192), QPoint(1024, 768)}) {
            a.area->resize(2 * middle.x(), 2 * middle.y()); // must not touch the deleted control
            QCOMPARE(fixed->geometry(), QRect(middle, twips));
        }
    }

    void pictureBoxMapping() {
        PictureBox box;
        box.resize(200, 100);
        box.SetScale(5, 5, 0, 10); // empty: refused
        // The default 0..1000 both ways, y up; then x −10..10 (10 px a unit), y 0..5 (20 px a
        // unit).
        const std::tuple<bool, QPointF, QPointF> cases[] = {
            {false, {0, 0}, {0, 100}},      {false, {1000, 1000}, {200, 0}},
            {false, {500, 250}, {100, 75}}, {true, {0, 5}, {100, 0}},
            {true, {-10, 0}, {0, 100}},     {true, {5, 2.5}, {150, 50}}};
        for (const auto& [custom, user, pixel] : cases) {
            if (custom)
                box.SetScale(-10, 10, 0, 5);
            QCOMPARE(box.ToPixel(user), pixel);
            QCOMPARE(box.ToUser(pixel), user);
        }
    }

    void pictureBoxRecordsUntilClear() {
        PictureBox box;
        box.Line({0, 0}, {1000, 1000}, Qt::red, 2, Qt::DashLine);
        box.FillRect(QRectF(QPointF(100, 200), QPointF(300, 400)), Qt::green);
        box.SetFont(QStringLiteral("Courier New"), true);
        box.Text({50, 60}, QStringLiteral("Dp [kPa]"), 9, Qt::blue);
        const int handle = box.AddLineObject(Qt::black); // not a drawn operation
        const std::vector<PictureBox::Op>& ops = box.Operations();
        QCOMPARE(ops.size(), size_t(3));
        QVERIFY(ops[0].kind == PictureBox::Op::LineOp && ops[0].style == Qt::DashLine);
        QVERIFY(ops[1].kind == PictureBox::Op::FillRectOp && ops[1].b == QPointF(300, 400));
        QVERIFY(ops[2].kind == PictureBox::Op::TextOp && ops[2].text == QStringLiteral("Dp [kPa]"));
        QVERIFY(ops[2].fontName == QStringLiteral("Courier New") && ops[2].bold);
        box.Clear();
        QVERIFY(ops.empty() && box.IsLineObjectVisible(handle)); // line objects stay
    }

    void pictureBoxPaintsLinesAndLineObjects() {
        PictureBox box;
        box.resize(200, 100);
        box.Line({0, 500}, {1000, 500}, Qt::red, 3); // pixel row 50
        const int reading = box.AddLineObject(Qt::blue, 3);
        box.MoveLineObject(reading, {250, 0}, {250, 1000}); // pixel column 50
        QImage image = box.grab().toImage();
        QCOMPARE(image.pixelColor(100, 50), QColor(Qt::red));
        QCOMPARE(image.pixelColor(50, 50), QColor(Qt::blue)); // over the picture
        box.MoveLineObject(reading, {750, 0}, {750, 1000});   // pixel column 150
        image = box.grab().toImage();
        QCOMPARE(image.pixelColor(50, 20), QColor(Qt::white));
        QCOMPARE(image.pixelColor(150, 20), QColor(Qt::blue));
        box.SetLineObjectVisible(reading, false);
        box.resize(400, 200); // painted again at the new size
        image = box.grab().toImage();
        QCOMPARE(image.pixelColor(300, 40), QColor(Qt::white));
        QCOMPARE(image.pixelColor(300, 100), QColor(Qt::red));
    }

    void messageHandlerSeesAndAnswersBoxes() {
        std::vector<widgets::MessageRecord> seen;
        widgets::SetMessageHandler([&seen](const widgets::MessageRecord& r) {
            seen.push_back(r);
            return r.text == QStringLiteral("tak?");
        });
        widgets::ShowMessage(nullptr, QStringLiteral("uwaga"));
        QVERIFY(widgets::AskYesNo(nullptr, QStringLiteral("tak?"), QStringLiteral("Pytanie"),
                                  widgets::MsgIcon::Exclamation));
        QVERIFY(!widgets::AskYesNo(nullptr, QStringLiteral("nie?")));
        widgets::SetMessageHandler({});
        QCOMPARE(seen.size(), size_t(3));
        QVERIFY(seen[0].title == QString::fromUtf8(widgets::kAppTitle) && !seen[0].yesNo);
        QVERIFY(seen[1].title == QStringLiteral("Pytanie") && seen[1].yesNo &&
                seen[1].icon == widgets::MsgIcon::Exclamation);
    }

    void everyProgramIconLoads() {
        for (const char* name :
             {"calculate", "print", "exit", "help", "info", "descriptions", "parameters", "hydra",
              "heat", "coefq", "coeft", "selection", "quit", "app"}) {
            const QImage image = widgets::ProgramIcon(QLatin1String(name)).pixmap(32).toImage();
            int opaque = 0;
            for (int i = 0; i < image.width() * image.height(); ++i)
                opaque += qAlpha(image.pixel(i % image.width(), i / image.width())) > 64;
            // Not blank: even the line drawings cover more than 4 % of their square.
            QVERIFY2(opaque > image.width() * image.height() / 25, name);
        }
    }

    void accessibleNames() {
        QWidget form;
        auto* edit = new QLineEdit(&form);
        (new QLabel(QStringLiteral("&Moc cieplna Q"), &form))->setBuddy(edit);
        auto* both = new QLineEdit(&form);
        both->setToolTip(QStringLiteral("podpowiedź"));
        (new QLabel(QStringLiteral("Typ && model"), &form))->setBuddy(both);
        auto* combo = new QComboBox(&form);
        combo->setEditable(true);
        combo->setToolTip(QStringLiteral("model"));
        combo->lineEdit()->setToolTip(QStringLiteral("edytor")); // part of the combo box
        auto* bare = new QLineEdit(&form);
        auto* caption = new QLabel(QStringLiteral("bez kontrolki"), &form);
        widgets::ApplyAccessibleNames(&form);
        QCOMPARE(edit->accessibleName(), QStringLiteral("Moc cieplna Q"));
        QCOMPARE(both->accessibleName(), QStringLiteral("Typ & model")); // label before tooltip
        QCOMPARE(combo->accessibleName(), QStringLiteral("model"));
        QVERIFY(bare->accessibleName().isEmpty() && caption->accessibleName().isEmpty());
        QVERIFY(combo->lineEdit()->accessibleName().isEmpty());
    }

    void gradientBackground() {
        QImage image(2300, 1, QImage::Format_RGB32);
        image.fill(Qt::red);
        {
            QPainter painter(&image);
            widgets::PaintGradientBackground(painter, 2300, 1);
        }
        // 220 bands of 2300 / 220 = 10 whole units, band i (from 1) in grey 240 − i; then
        // unpainted.
        for (auto [x, grey] : {std::pair{0, 239}, {9, 239}, {10, 238}, {2199, 20}})
            QCOMPARE(image.pixelColor(x, 0), QColor(grey, grey, grey));
        QCOMPARE(image.pixelColor(2250, 0), QColor(Qt::red));
    }
};

QTEST_MAIN(TstWidgets)
#include "tst_Widgets.moc"
