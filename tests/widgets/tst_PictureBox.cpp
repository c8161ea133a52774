#include "widgets/Environment.h"
#include "widgets/PictureBox.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

using widgets::PictureBox;

namespace {

QImage Snapshot(PictureBox& box) {
    QImage image(box.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    box.render(&image);
    return image;
}

} // namespace

class TstPictureBox : public QObject {
    Q_OBJECT

private slots:
    void mapping_data() {
        QTest::addColumn<QRectF>("scale"); // left, bottom, right − left, top − bottom
        QTest::addColumn<QPointF>("user");
        QTest::addColumn<QPointF>("pixel");

        // The default scale 0..1000 both ways, y up, over 200 × 100 pixels.
        const QRectF standard(0, 0, 1000, 1000);
        QTest::newRow("bottom-left") << standard << QPointF(0, 0) << QPointF(0, 100);
        QTest::newRow("top-right") << standard << QPointF(1000, 1000) << QPointF(200, 0);
        QTest::newRow("inside") << standard << QPointF(500, 250) << QPointF(100, 75);
        // x from −10 to 10, y from 0 to 5: 10 px per unit across, 20 px per unit up.
        const QRectF custom(-10, 0, 20, 5);
        QTest::newRow("custom top-centre") << custom << QPointF(0, 5) << QPointF(100, 0);
        QTest::newRow("custom bottom-left") << custom << QPointF(-10, 0) << QPointF(0, 100);
        QTest::newRow("custom inside") << custom << QPointF(5, 2.5) << QPointF(150, 50);
    }
    void mapping() {
        QFETCH(QRectF, scale);
        QFETCH(QPointF, user);
        QFETCH(QPointF, pixel);
        PictureBox box;
        box.resize(200, 100);
        if (scale != QRectF(0, 0, 1000, 1000))
            box.SetScale(scale.left(), scale.right(), scale.top(), scale.bottom());
        QCOMPARE(box.ToPixel(user), pixel);
        QCOMPARE(box.ToUser(pixel), user);
    }

    void emptyScaleIsRefused() {
        PictureBox box;
        box.resize(200, 100);
        box.SetScale(5, 5, 0, 10);
        QCOMPARE(box.ToPixel(QPointF(1000, 0)), QPointF(200, 100)); // still the default
    }

    void operationsAreKeptUntilClear() {
        PictureBox box;
        box.Line({0, 0}, {1000, 1000}, Qt::red, 2, Qt::DashLine);
        box.FillRect(QRectF(QPointF(100, 200), QPointF(300, 400)), Qt::green);
        box.SetFont(QStringLiteral("Courier New"), true);
        box.Text({50, 60}, QStringLiteral("Dp [kPa]"), 9, Qt::blue);
        const int handle = box.AddLineObject(Qt::black, 1);
        box.MoveLineObject(handle, {10, 20}, {30, 40});

        QCOMPARE(box.Operations().size(), size_t(3));
        const PictureBox::Op& line = box.Operations()[0];
        QCOMPARE(line.kind, PictureBox::Op::LineOp);
        QCOMPARE(line.b, QPointF(1000, 1000));
        QCOMPARE(line.color, QColor(Qt::red));
        QCOMPARE(line.width, 2.0);
        QCOMPARE(line.style, Qt::DashLine);
        QCOMPARE(box.Operations()[1].kind, PictureBox::Op::FillRectOp);
        QCOMPARE(box.Operations()[1].b, QPointF(300, 400));
        const PictureBox::Op& text = box.Operations()[2];
        QCOMPARE(text.kind, PictureBox::Op::TextOp);
        QCOMPARE(text.text, QStringLiteral("Dp [kPa]"));
        QCOMPARE(text.width, 9.0);
        QCOMPARE(text.fontName, QStringLiteral("Courier New"));
        QVERIFY(text.bold);

        box.Clear();
        QVERIFY(box.Operations().empty());
        QCOMPARE(box.LineObject(handle).a, QPointF(10, 20)); // line objects stay
        QVERIFY(box.IsLineObjectVisible(handle));
    }

    void lineObjects() {
        PictureBox box;
        const int first = box.AddLineObject(Qt::blue, 2);
        const int second = box.AddLineObject(Qt::red);
        QVERIFY(first != second);
        box.MoveLineObject(second, {1, 2}, {3, 4});
        box.SetLineObjectVisible(second, false);
        QCOMPARE(box.LineObject(second).b, QPointF(3, 4));
        QCOMPARE(box.LineObject(second).color, QColor(Qt::red));
        QVERIFY(!box.IsLineObjectVisible(second));
        QVERIFY(box.IsLineObjectVisible(first));
        // Unknown handles are ignored.
        box.MoveLineObject(7, {0, 0}, {1, 1});
        box.SetLineObjectVisible(-1, true);
        QVERIFY(!box.IsLineObjectVisible(7));
    }

    void paintsTheRecordedDrawing() {
        PictureBox box;
        box.resize(200, 100);
        box.Line({0, 500}, {1000, 500}, Qt::red, 3);                             // row 50
        box.FillRect(QRectF(QPointF(900, 1000), QPointF(1000, 800)), Qt::green); // x 180.., y ..20
        const int reading = box.AddLineObject(Qt::blue, 3);
        box.MoveLineObject(reading, {250, 0}, {250, 1000}); // column 50

        QImage image = Snapshot(box);
        QCOMPARE(image.pixelColor(100, 50), QColor(Qt::red));
        QCOMPARE(image.pixelColor(190, 10), QColor(Qt::green));
        QCOMPARE(image.pixelColor(50, 20), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(50, 50), QColor(Qt::blue)); // over the picture
        const QColor background = image.pixelColor(120, 20);
        QVERIFY(background != QColor(Qt::red) && background != QColor(Qt::blue));

        box.SetLineObjectVisible(reading, false);
        image = Snapshot(box);
        QCOMPARE(image.pixelColor(50, 20), background);
        QCOMPARE(image.pixelColor(50, 50), QColor(Qt::red));

        // Painted again at a new size from the same operations.
        box.resize(400, 200);
        image = Snapshot(box);
        QCOMPARE(image.pixelColor(200, 100), QColor(Qt::red));
        QCOMPARE(image.pixelColor(390, 10), QColor(Qt::green));

        box.Clear();
        image = Snapshot(box);
        QCOMPARE(image.pixelColor(200, 100), background);

        box.SetBackground(Qt::yellow);
        image = Snapshot(box);
        QCOMPARE(image.pixelColor(200, 100), QColor(Qt::yellow));
    }

    void paintsTextInItsColour() {
        PictureBox box;
        box.resize(200, 100);
        box.Text({0, 1000}, QStringLiteral("MMMM"), 20, Qt::blue); // top-left corner
        const QImage image = Snapshot(box);
        int blue = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 100; ++x)
                blue += image.pixelColor(x, y) == QColor(Qt::blue);
        QVERIFY(blue > 50);
        QVERIFY(image.pixelColor(150, 80) != QColor(Qt::blue));
    }

    void mouseInUserCoordinates() {
        PictureBox box;
        box.resize(200, 100);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QSignalSpy moved(&box, &PictureBox::mouseMoved);
        QSignalSpy pressed(&box, &PictureBox::mousePressed);
        QTest::mouseMove(&box, QPoint(100, 25));
        QTest::mousePress(&box, Qt::RightButton, {}, QPoint(50, 75));
        QVERIFY(!moved.isEmpty());
        QCOMPARE(moved.last().at(0).toPointF(), QPointF(500, 750));
        QCOMPARE(pressed.size(), 1);
        QCOMPARE(pressed.first().at(0).toPointF(), QPointF(250, 250));
        QCOMPARE(pressed.first().at(1).value<Qt::MouseButton>(), Qt::RightButton);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    widgets::SetUserLocale(QLocale::c());
    TstPictureBox test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_PictureBox.moc"
