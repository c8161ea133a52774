#include "widgets/Environment.h"
#include "widgets/LogicalLayout.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using widgets::LogicalLayout;

class TstLogicalLayout : public QObject {
    Q_OBJECT

private slots:
    void placesInLogicalUnits_data() {
        QTest::addColumn<bool>("yUp");
        QTest::addColumn<QSize>("container");
        QTest::addColumn<QRectF>("logical"); // left, top, width, height
        QTest::addColumn<QRect>("expected");

        // y down: pixels = logical · container / (1024 × 768).
        QTest::newRow("down, 1024x768")
            << false << QSize(1024, 768) << QRectF(100, 50, 200, 100) << QRect(100, 50, 200, 100);
        QTest::newRow("down, 512x384")
            << false << QSize(512, 384) << QRectF(100, 50, 200, 100) << QRect(50, 25, 100, 50);
        QTest::newRow("down, 2048x768")
            << false << QSize(2048, 768) << QRectF(100, 50, 200, 100) << QRect(200, 50, 400, 100);
        // y up: the upper edge at logical 700 lies 768 − 700 = 68 units below the top.
        QTest::newRow("up, 1024x768")
            << true << QSize(1024, 768) << QRectF(100, 700, 200, 100) << QRect(100, 68, 200, 100);
        QTest::newRow("up, 512x384")
            << true << QSize(512, 384) << QRectF(100, 700, 200, 100) << QRect(50, 34, 100, 50);
    }
    void placesInLogicalUnits() {
        QFETCH(bool, yUp);
        QFETCH(QSize, container);
        QFETCH(QRectF, logical);
        QFETCH(QRect, expected);

        QWidget window;
        window.resize(300, 200);
        auto* area = new QWidget(&window);
        area->resize(1024, 768);
        window.show();
        auto* layout = new LogicalLayout(area, 1024, 768, yUp);
        auto* button = new QPushButton(area);
        layout->Place(button, logical.left(), logical.top(), logical.width(), logical.height());
        area->resize(container); // placed again on the resize
        QCOMPARE(button->geometry(), expected);
        QCOMPARE(layout->ToPixels(logical.left(), logical.top(), logical.width(), logical.height()),
                 expected);
    }

    void fixedSizeKeepsItsTwips() {
        QWidget window;
        auto* area = new QWidget(&window);
        area->resize(1024, 768);
        window.show();
        auto* layout = new LogicalLayout(area);
        auto* button = new QPushButton(area);
        layout->PlaceFixed(button, 512, 384, QSizeF(1440, 720)); // one inch by half an inch
        const QSize inch(button->logicalDpiX(), button->logicalDpiY() / 2);
        QCOMPARE(button->geometry(), QRect(QPoint(512, 384), inch));
        area->resize(512, 384);
        QCOMPARE(button->geometry(), QRect(QPoint(256, 192), inch));
        area->resize(2048, 1536);
        QCOMPARE(button->geometry(), QRect(QPoint(1024, 768), inch));
    }

    void placingAgainReplacesAndDeletedControlsAreDropped() {
        QWidget window;
        auto* area = new QWidget(&window);
        area->resize(1024, 768);
        window.show();
        auto* layout = new LogicalLayout(area);
        auto* kept = new QPushButton(area);
        auto* gone = new QPushButton(area);
        layout->Place(kept, 0, 0, 10, 10);
        layout->Place(kept, 100, 100, 50, 50);
        layout->Place(gone, 200, 200, 50, 50);
        delete gone;
        area->resize(512, 384); // must not touch the deleted control
        QCOMPARE(kept->geometry(), QRect(50, 50, 25, 25));
    }

    void twipsToPixels() {
        QWidget w;
        QCOMPARE(widgets::TwipsToPixels(1440, &w), w.logicalDpiX()); // 1440 twips an inch
        QCOMPARE(widgets::TwipsToPixels(720, nullptr), 48);          // half of 96 dpi
        QCOMPARE(widgets::TwipsToPixels(0, &w), 0);
    }

    void opensCentred() {
        QWidget w;
        widgets::OpenCentred(&w);
        const QRect available = w.screen()->availableGeometry();
        QVERIFY(qAbs(w.width() - 0.95 * available.width()) <= 1);
        QVERIFY(qAbs(w.height() - 0.95 * available.height()) <= 1);
        QVERIFY((w.geometry().center() - available.center()).manhattanLength() <= 2);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    widgets::SetUserLocale(QLocale::c());
    TstLogicalLayout test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_LogicalLayout.moc"
