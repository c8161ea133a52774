// A screen at a device pixel ratio of 2: the logical layouts keep their proportions, the charts
// are painted and exported at the screen's resolution, the icons are drawn for it.
#include "widgets/ChartExport.h"
#include "widgets/LogicalLayout.h"
#include "widgets/PictureBox.h"
#include "widgets/PictureButton.h"

#include <QtTest>
#include <QtWidgets>

class TstHighDpi : public QObject {
    Q_OBJECT

private slots:
    // The window is 1024 × 768 logical pixels, so one logical unit is one logical pixel; the
    // picture is the charts' (left 10, top 758 with y up, 800 × 748), a line object at x 500 of
    // 0..1000, 2 pixels wide.
    void chartAndButton() {
        QDialog window;
        window.resize(1024, 768);
        widgets::LogicalLayout layout(&window, 1024, 768, true);
        auto* box = new widgets::PictureBox(&window);
        layout.Place(box, 10, 758, 800, 748);
        const int line = box->AddLineObject(Qt::blue, 2);
        box->MoveLineObject(line, {500, 0}, {500, 1000});
        auto* button =
            new widgets::PictureButton(QStringLiteral("print"), QStringLiteral("druk"), &window);
        layout.PlaceFixed(button, 840, 80, QSizeF(615, 615));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.devicePixelRatio(), 2.0);

        QCOMPARE(box->geometry(), QRect(10, 10, 800, 748));
        // 615 twips at 96 logical dots per inch: 41 logical pixels, whatever the ratio.
        QCOMPARE(button->geometry(), QRect(840, 688, 41, 41));

        // The screen picture has a pixel per device pixel: the line, x 400 of 800 logical
        // pixels, covers device columns 798..801 and leaves 796 white.
        const QImage screen = box->grab().toImage();
        QCOMPARE(screen.size(), QSize(1600, 1496));
        QCOMPARE(screen.pixelColor(799, 700), QColor(Qt::blue));
        QCOMPARE(screen.pixelColor(801, 700), QColor(Qt::blue));
        QCOMPARE(screen.pixelColor(796, 700), QColor(Qt::white));

        // Exports at twice the screen's ratio: 4 × 800 by 4 × 748.
        QCOMPARE(widgets::ExportScale(*box), 4.0);
        QCOMPARE(widgets::ChartImage(*box, widgets::ExportScale(*box)).size(), QSize(3200, 2992));

        // The button's icon is drawn for the screen: 32 logical pixels are 64 device pixels.
        const QPixmap icon = button->icon().pixmap(button->iconSize(), window.devicePixelRatio());
        QCOMPARE(icon.size(), QSize(64, 64));
    }
};

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TstHighDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_HighDpi.moc"
