#include "descriptions/sheets/DataSheet.h"

#include "descriptions/ProductCatalogue.h"
#include "descriptions/sheets/SheetTexts.h"
#include "widgets/CompanyLine.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgRenderer>

namespace descriptions {

namespace {

// The page is drawn in points, A4 without printer margins.
constexpr double kPageWidth = 595.28, kPageHeight = 841.89;
constexpr double kLeft = 50, kRight = kPageWidth - 50;
constexpr double kRowHeight = 20;
const QColor kInk(0x1f, 0x3a, 0x5f);
const QColor kHeaderFill(0xd6, 0xe0, 0xea);
const QColor kStripeFill(0xf4, 0xf6, 0xf8);

QFont Font(double points, bool bold = false) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void DrawBand(QPainter& p, int page, int pages) {
    p.fillRect(QRectF(0, 0, kPageWidth, 64), kInk);
    p.setPen(Qt::white);
    p.setFont(Font(18, true));
    p.drawText(QRectF(kLeft, 0, 300, 64), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("SKARVEL POLSKA"));
    p.setFont(Font(10));
    p.drawText(QRectF(kRight - 200, 0, 200, 64), Qt::AlignVCenter | Qt::AlignRight,
               QStringLiteral("Karta katalogowa · strona %1 z %2").arg(page).arg(pages));
}

void DrawFooter(QPainter& p) {
    p.setPen(QPen(kInk, 0.8));
    p.drawLine(QPointF(kLeft, kPageHeight - 60), QPointF(kRight, kPageHeight - 60));
    p.setPen(Qt::black);
    p.setFont(Font(8));
    p.drawText(QRectF(kLeft, kPageHeight - 56, kRight - kLeft, 14), Qt::AlignLeft,
               QStringLiteral("Skarvel Polska Spółka z o.o. ") +
                   QString::fromUtf8(widgets::kMakerAddress));
    p.setPen(Qt::darkGray);
    p.drawText(QRectF(kLeft, kPageHeight - 42, kRight - kLeft, 14), Qt::AlignLeft,
               QStringLiteral("Karta przykładowa do prób programu; podane wartości nie są danymi "
                              "producenta."));
}

// A table of ratings under its heading; returns the y below it.
double DrawTable(QPainter& p, double top, const QString& heading, const std::vector<Rating>& rows) {
    p.setPen(kInk);
    p.setFont(Font(13, true));
    p.drawText(QRectF(kLeft, top, kRight - kLeft, 20), Qt::AlignLeft | Qt::AlignVCenter, heading);
    top += 26;
    const double columns[] = {kLeft, kLeft + 250, kLeft + 330, kRight};
    const QString captions[] = {QStringLiteral("Parametr"), QStringLiteral("Jednostka"),
                                QStringLiteral("Wartość")};
    auto row = [&](const QString(&cells)[3], const QColor& fill, bool bold) {
        p.fillRect(QRectF(kLeft, top, kRight - kLeft, kRowHeight), fill);
        p.setPen(Qt::black);
        p.setFont(Font(10, bold));
        for (int c = 0; c < 3; ++c)
            p.drawText(QRectF(columns[c] + 6, top, columns[c + 1] - columns[c] - 12, kRowHeight),
                       Qt::AlignLeft | Qt::AlignVCenter, cells[c]);
        p.setPen(QPen(kInk, 0.5));
        p.drawLine(QPointF(kLeft, top + kRowHeight), QPointF(kRight, top + kRowHeight));
        top += kRowHeight;
    };
    const double tableTop = top;
    row(captions, kHeaderFill, true);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QString cells[3] = {QString::fromUtf8(rows[i].name), QString::fromUtf8(rows[i].unit),
                                  QString::fromUtf8(rows[i].value)};
        row(cells, i % 2 ? kStripeFill : QColor(Qt::white), false);
    }
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(kLeft, tableTop, kRight - kLeft, top - tableTop));
    for (int c = 1; c < 3; ++c)
        p.drawLine(QPointF(columns[c], tableTop), QPointF(columns[c], top));
    return top;
}

void DrawFirstPage(QPainter& p, const Product& product, const SheetText& text, int pages) {
    DrawBand(p, 1, pages);
    const double pictureSide = 90;
    if (*product.picture) {
        QSvgRenderer picture(QString::fromStdString(PicturePath(product.picture)));
        if (picture.isValid())
            picture.render(&p, QRectF(kRight - pictureSide, 84, pictureSide, pictureSide));
    }
    const double textWidth = kRight - kLeft - pictureSide - 20;
    p.setPen(kInk);
    p.setFont(Font(20, true));
    const QRectF title = p.boundingRect(QRectF(kLeft, 90, textWidth, 200), Qt::TextWordWrap,
                                        QString::fromUtf8(text.title));
    p.drawText(title, Qt::TextWordWrap, QString::fromUtf8(text.title));
    p.setPen(Qt::darkGray);
    p.setFont(Font(9));
    p.drawText(QPointF(kLeft, title.bottom() + 16),
               QStringLiteral("Plik opisu: ") + QString::fromUtf8(product.file));

    p.setPen(Qt::black);
    p.setFont(Font(11));
    const double pictureBottom = *product.picture ? 84 + pictureSide + 16 : 0;
    const double descriptionTop = std::max(title.bottom() + 34, pictureBottom);
    const QRectF description =
        p.boundingRect(QRectF(kLeft, descriptionTop, kRight - kLeft, 400), Qt::TextWordWrap,
                       QString::fromUtf8(text.description));
    p.drawText(description, Qt::TextWordWrap, QString::fromUtf8(text.description));
    DrawTable(p, description.bottom() + 24, QStringLiteral("Dane techniczne"), text.ratings);
    DrawFooter(p);
}

void DrawSecondPage(QPainter& p, const SheetText& text) {
    DrawBand(p, 2, 2);
    p.setPen(kInk);
    p.setFont(Font(14, true));
    p.drawText(QRectF(kLeft, 84, kRight - kLeft, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8(text.title));
    DrawTable(p, 124, QStringLiteral("Wymiary i masy"), text.dimensions);
    DrawFooter(p);
}

} // namespace

bool WriteDataSheet(const Product& product, const QString& path) {
    const SheetText* text = FindSheetText(product.key);
    if (!text)
        return false;
    RegisterPictures();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(), QPageLayout::Point));
        writer.setResolution(72); // painter units are points
        writer.setTitle(QString::fromUtf8(text->title));
        writer.setCreator(QStringLiteral("varmi"));
        QPainter painter;
        if (!painter.begin(&writer))
            return false;
        painter.setRenderHint(QPainter::Antialiasing);
        const int pages = text->dimensions.empty() ? 1 : 2;
        DrawFirstPage(painter, product, *text, pages);
        if (pages == 2) {
            writer.newPage();
            DrawSecondPage(painter, *text);
        }
        if (!painter.end())
            return false;
    }
    return file.commit();
}

} // namespace descriptions
