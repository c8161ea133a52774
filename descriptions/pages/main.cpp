// varmi-pdf <file.pdf> <directory> <width>: renders the pages of a description into the
// directory as pictures <width> pixels wide, with the text of each page, for the viewer. Runs
// under limits of memory and processor time, so that a hostile file only ends this program.
// Exit status 0 when every page written could be read; otherwise nothing is to be shown.
#include "descriptions/PageLimits.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPdfDocument>
#include <algorithm>
#include <cmath>
#include <sys/resource.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VARMI_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VARMI_ASAN 1
#endif

namespace {

void Limit(int resource, rlim_t soft, rlim_t hard) {
    const rlimit limit{soft, hard};
    setrlimit(resource, &limit);
}

void LimitResources() {
    using namespace descriptions;
    Limit(RLIMIT_CPU, kHelperCpuSeconds, kHelperCpuSeconds + 1);
    Limit(RLIMIT_CORE, 0, 0);
    Limit(RLIMIT_FSIZE, 256ULL << 20, 256ULL << 20);
#ifndef VARMI_ASAN // the sanitizer reserves more address space than any limit allows
    Limit(RLIMIT_AS, kHelperMemoryBytes, kHelperMemoryBytes);
#endif
}

} // namespace

int main(int argc, char* argv[]) {
    using namespace descriptions;
    LimitResources();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 4)
        return 2;
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const int width = std::clamp(QByteArray(argv[3]).toInt(), 100, kMaxPageWidth);

    QPdfDocument document;
    if (document.load(QString::fromLocal8Bit(argv[1])) != QPdfDocument::Error::None ||
        document.pageCount() < 1)
        return 1;
    qint64 pixels = 0;
    for (int i = 0; i < std::min(document.pageCount(), kMaxPages); ++i) {
        const QSizeF points = document.pagePointSize(i);
        if (!(points.width() > 0 && points.height() > 0))
            return 1;
        const double ratio = std::min(points.height() / points.width(), double(kMaxPageAspect));
        const QSize size(width, std::max(1, static_cast<int>(std::lround(width * ratio))));
        pixels += qint64(size.width()) * size.height();
        if (pixels > kMaxPixels)
            break;
        const QImage image = document.render(i, size);
        if (image.isNull() || !image.save(out.filePath(PageImageName(i)), "png", 80))
            return 1;
        QFile text(out.filePath(PageTextName(i)));
        if (!text.open(QIODevice::WriteOnly) ||
            text.write(document.getAllText(i).text().toUtf8().left(kMaxTextBytes)) < 0)
            return 1;
    }
    return 0;
}
