#include "widgets/ChartExport.h"

#include "widgets/PictureBox.h"
#include "widgets/SaveFile.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QSvgGenerator>
#include <cmath>

namespace widgets {

namespace {

constexpr double kMetresPerInch = 0.0254;

QByteArray PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

} // namespace

QImage ChartImage(const PictureBox& box, double scale) {
    if (!(scale > 0) || !std::isfinite(scale))
        scale = 1;
    const QSize pixels(static_cast<int>(std::lround(box.width() * scale)),
                       static_cast<int>(std::lround(box.height() * scale)));
    QImage image(pixels, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    // Texts take the screen's size: the image has the widget's logical resolution.
    const int dotsPerMetre = static_cast<int>(std::lround(box.logicalDpiX() / kMetresPerInch));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    box.Render(painter, box.size());
    painter.end();
    return image;
}

double ExportScale(const PictureBox& box) {
    return 2 * box.devicePixelRatioF();
}

QByteArray ChartSvg(const PictureBox& box) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(box.size());
    svg.setViewBox(QRectF(QPointF(0, 0), QSizeF(box.size())));
    svg.setResolution(box.logicalDpiX());
    svg.setTitle(box.accessibleName());
    QPainter painter;
    if (!painter.begin(&svg))
        return {};
    box.Render(painter, box.size());
    painter.end();
    return bytes;
}

void AddChartMenu(PictureBox* box, const QString& baseName) {
    auto add = [box](const char* text, auto run) {
        auto* action = new QAction(QString::fromUtf8(text), box);
        QObject::connect(action, &QAction::triggered, box, run);
        box->addAction(action);
    };
    add(kSavePngText, [box, baseName] {
        ExportToFile(box->window(), kPngFile, baseName + QStringLiteral(".png"),
                     [box](const QString& path) {
                         SaveWhole(path, PngBytes(ChartImage(*box, ExportScale(*box))));
                     });
    });
    add(kSaveSvgText, [box, baseName] {
        ExportToFile(box->window(), kSvgFile, baseName + QStringLiteral(".svg"),
                     [box](const QString& path) { SaveWhole(path, ChartSvg(*box)); });
    });
    add(kCopyChartText, [box] {
        auto* data = new QMimeData;
        data->setImageData(ChartImage(*box, ExportScale(*box)));
        data->setData(QStringLiteral("image/svg+xml"), ChartSvg(*box));
        QGuiApplication::clipboard()->setMimeData(data);
    });
    box->setContextMenuPolicy(Qt::ActionsContextMenu);
    // Tab reaches the chart, where the menu key opens the menu.
    box->setFocusPolicy(Qt::TabFocus);
}

} // namespace widgets
