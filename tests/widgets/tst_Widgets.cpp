#include "widgets/Gradient.h"
#include "widgets/LogicalLayout.h"

#include <QtTest>
#include <QtWidgets>

class TstWidgets : public QObject {
    Q_OBJECT

private slots:
    // Pixels = logical × container / (1024 × 768); with y up the upper edge at 700 lies 68 units
    // below the top. A fixed size is 1440 twips an inch whatever the container; the tab order
    // runs by rows from the top (c, then a and b left to right, then d), the chart last.
    void logicalLayout() {
        QWidget window;
        auto* area = new QWidget(&window);
        area->resize(1024, 768);
        window.show();
        widgets::LogicalLayout down(area), up(area, 1024, 768, true);
        QList<QWidget*> edits; // a, b, c, d, chart
        for (const QRectF& r : {QRectF(100, 700, 200, 100),
                                {500, 700, 100, 50},
                                {10, 750, 50, 20},
                                {10, 300, 50, 20},
                                {0, 768, 10, 10}}) {
            edits << new QLineEdit(area);
            up.Place(edits.last(), r.x(), r.y(), r.width(), r.height());
        }
        auto* fixed = new QLabel(area);
        down.PlaceFixed(fixed, 512, 384, QSizeF(1440, 720));
        const QSize twips(fixed->logicalDpiX(), fixed->logicalDpiY() / 2);
        for (const auto& [size, expected] : {std::pair{QSize(1024, 768), QRect(100, 68, 200, 100)},
                                             {QSize(512, 384), QRect(50, 34, 100, 50)},
                                             {QSize(2048, 768), QRect(200, 68, 400, 100)}}) {
            area->resize(size);
            QCOMPARE(edits[0]->geometry(), expected);
            QCOMPARE(fixed->geometry(), QRect(QPoint(size.width() / 2, size.height() / 2), twips));
        }
        up.OrderTabsByRows(edits[4]);
        QStringList order;
        for (QWidget* w = edits[2]; order.size() < 5; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                order << QString::number(edits.indexOf(w));
        QCOMPARE(order.join(' '), QStringLiteral("2 0 1 3 4"));
    }

    // 220 bands of 2300 / 220 = 10 whole units, band i (from 1) in grey 240 − i; then unpainted.
    void gradientBackground() {
        QImage image(2300, 1, QImage::Format_RGB32);
        image.fill(Qt::red);
        QPainter painter(&image);
        widgets::PaintGradientBackground(painter, 2300, 1);
        painter.end();
        for (auto [x, grey] : {std::pair{0, 239}, {9, 239}, {10, 238}, {2199, 20}})
            QCOMPARE(image.pixelColor(x, 0), QColor(grey, grey, grey));
        QCOMPARE(image.pixelColor(2250, 0), QColor(Qt::red));
    }
};

QTEST_MAIN(TstWidgets)
#include "tst_Widgets.moc"
