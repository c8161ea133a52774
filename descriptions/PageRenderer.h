#pragma once

#include "descriptions/PageLimits.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class QProcess;
class QTemporaryDir;
class QTimer;

namespace descriptions {

struct RenderedPages {
    std::vector<QImage> images;
    QString text; // the text of every page, for screen readers
};

// Runs the helper for one file at a time.
class PageRenderer : public QObject {
    Q_OBJECT
public:
    explicit PageRenderer(QObject* parent = nullptr);
    ~PageRenderer() override;

    // Renders the pages of `pdf` at `width` pixels; a render still running is abandoned.
    void Start(const QString& pdf, int width);
    // Kills a running render: no Finished() follows.
    void Stop();
    bool Running() const { return process_ != nullptr; }

    // The helper: beside the executable, else the copy the build made.
    static QString HelperPath();

signals:
    // The pages, or none when the file could not be opened within the limits.
    void Finished(bool opened, const descriptions::RenderedPages& pages);

private:
    void Collect(bool exitedWell);

    QProcess* process_ = nullptr;
    QTimer* deadline_ = nullptr;
    std::unique_ptr<QTemporaryDir> output_;
    int width_ = 0;
};

} // namespace descriptions
