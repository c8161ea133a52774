#include "descriptions/PageRenderer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

namespace descriptions {

PageRenderer::PageRenderer(QObject* parent) : QObject(parent) {}

PageRenderer::~PageRenderer() {
    Stop();
}

QString PageRenderer::HelperPath() {
    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(kPageHelperName));
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QStringLiteral(VARMI_PAGE_HELPER);
}

void PageRenderer::Start(const QString& pdf, int width) {
    Stop();
    output_ = std::make_unique<QTemporaryDir>();
    width_ = std::clamp(width, 100, kMaxPageWidth);
    process_ = new QProcess(this);
    process_->setStandardOutputFile(QProcess::nullDevice());
    process_->setStandardErrorFile(QProcess::nullDevice());
    connect(process_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        Collect(status == QProcess::NormalExit && code == 0);
    });
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            Collect(false);
    });
    deadline_ = new QTimer(this);
    deadline_->setSingleShot(true);
    connect(deadline_, &QTimer::timeout, this, [this] { Collect(false); });
    deadline_->start(kHelperWaitMilliseconds);
    if (!output_->isValid()) {
        QTimer::singleShot(0, this, [this] { Collect(false); });
        return;
    }
    process_->start(HelperPath(), {pdf, output_->path(), QString::number(width_)});
}

void PageRenderer::Stop() {
    if (deadline_) {
        deadline_->deleteLater();
        deadline_ = nullptr;
    }
    if (process_) {
        process_->disconnect(this);
        if (process_->state() != QProcess::NotRunning) {
            process_->kill();
            process_->waitForFinished(1000);
        }
        process_->deleteLater();
        process_ = nullptr;
    }
    output_.reset();
}

// Reads what the helper wrote, checking each picture's size before it is decoded.
void PageRenderer::Collect(bool exitedWell) {
    RenderedPages pages;
    bool opened = exitedWell && output_ && output_->isValid();
    if (opened) {
        const QDir dir(output_->path());
        qint64 pixels = 0;
        for (int i = 0; i < kMaxPages && dir.exists(PageImageName(i)); ++i) {
            QImageReader reader(dir.filePath(PageImageName(i)), "png");
            const QSize size = reader.size();
            pixels += qint64(size.width()) * size.height();
            if (size.isEmpty() || size.width() > width_ ||
                size.height() > kMaxPageAspect * size.width() || pixels > kMaxPixels)
                break;
            QImage image = reader.read();
            if (image.isNull())
                break;
            pages.images.push_back(std::move(image));
            QFile text(dir.filePath(PageTextName(i)));
            if (text.open(QIODevice::ReadOnly))
                pages.text += QString::fromUtf8(text.read(kMaxTextBytes)) + QLatin1Char('\n');
        }
        opened = !pages.images.empty();
    }
    Stop();
    if (!opened)
        pages = {};
    emit Finished(opened, pages);
}

} // namespace descriptions
