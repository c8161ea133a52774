#pragma once

#include "core/Kod.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace shelltest {

// A machine with exactly the drives a test names.
class FakeDrives : public kod::DriveSystem {
public:
    FakeDrives(std::vector<kod::Drive> drives, std::string fallback)
        : drives_(std::move(drives)), fallback_(std::move(fallback)) {}
    std::vector<kod::Drive> Drives() const override { return drives_; }
    std::string FallbackRoot() const override { return fallback_; }

private:
    std::vector<kod::Drive> drives_;
    std::string fallback_;
};

inline std::filesystem::path ToPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

// An application directory of its own; the bundled catalogue is copied in unless told otherwise.
struct AppDir {
    QTemporaryDir dir;
    explicit AppDir(bool withCatalogue = true) {
        if (withCatalogue)
            QFile::copy(QStringLiteral(VARMI_CATALOGUE), File("parametr.txt"));
    }
    QString File(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    std::filesystem::path Path() const { return ToPath(dir.path()); }
};

inline QByteArray ReadBytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline bool WriteBytes(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Sees every message box and answers Yes/No boxes with `answerYes`; observe() runs while the box
// would be on screen.
class Messages {
public:
    explicit Messages(bool answerYes = false) : answerYes_(answerYes) {
        widgets::SetMessageHandler([this](const widgets::MessageRecord& record) {
            records.push_back(record);
            if (observe)
                observe(record);
            return answerYes_;
        });
    }
    ~Messages() { widgets::SetMessageHandler({}); }
    Messages(const Messages&) = delete;
    Messages& operator=(const Messages&) = delete;

    std::vector<widgets::MessageRecord> records;
    std::function<void(const widgets::MessageRecord&)> observe;

private:
    bool answerYes_;
};

// Polls for modal windows while it lives; each one is handed to `handle`, which must close it. A
// window still open two seconds after its handling is closed and marked as stuck.
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(QWidget*)> handle) : handle_(std::move(handle)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        timer_.start(10);
    }
    QStringList seen;   // class names of the modal windows, in order
    bool stuck = false; // a window did not close when handled

private:
    void Tick() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || busy_)
            return;
        if (modal == handled_) {
            if (++ticksSinceHandled_ > 200) {
                stuck = true;
                modal->close();
            }
            return;
        }
        handled_ = modal;
        ticksSinceHandled_ = 0;
        seen.push_back(QString::fromLatin1(modal->metaObject()->className()));
        busy_ = true;
        handle_(modal);
        busy_ = false;
    }

    std::function<void(QWidget*)> handle_;
    QTimer timer_;
    QPointer<QWidget> handled_;
    int ticksSinceHandled_ = 0;
    bool busy_ = false;
};

} // namespace shelltest
