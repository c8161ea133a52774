#include "widgets/SaveFile.h"

#include "core/Platform.h"
#include "widgets/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <exception>

namespace widgets {

namespace {

SaveFileHandler& Handler() {
    static SaveFileHandler handler;
    return handler;
}

SaveFileHandler& OpenHandler() {
    static SaveFileHandler handler;
    return handler;
}

// The folder of the last file saved, for this session only.
QString& LastFolder() {
    static QString folder;
    return folder;
}

QString StartFolder() {
    if (!LastFolder().isEmpty())
        return LastFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

QString AskUser(QWidget* parent, const SaveRequest& request, const QString& suffix) {
    const QFileInfo proposed(request.proposedPath);
    QFileDialog dialog(parent, request.caption, proposed.absolutePath(), request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(proposed.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

void KeepDialogHistoryForTheSession() {
    static QTemporaryDir folder;
    if (!folder.isValid())
        return;
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, folder.path());
}

void SetSaveFileHandler(SaveFileHandler handler) {
    Handler() = std::move(handler);
}

QString ChooseSaveFile(QWidget* parent, const FileKind& kind, const QString& fileName) {
    const SaveRequest request{QString::fromUtf8(kind.caption), QString::fromUtf8(kind.filter),
                              QDir(StartFolder()).filePath(fileName)};
    const QString suffix = QString::fromLatin1(kind.suffix);
    QString path = Handler() ? Handler()(request) : AskUser(parent, request, suffix);
    if (path.isEmpty())
        return {};
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + suffix;
    LastFolder() = QFileInfo(path).absolutePath();
    return path;
}

void SetOpenFileHandler(SaveFileHandler handler) {
    OpenHandler() = std::move(handler);
}

QString ChooseOpenFile(QWidget* parent, const FileKind& kind) {
    const SaveRequest request{QString::fromUtf8(kind.caption), QString::fromUtf8(kind.filter),
                              StartFolder()};
    const QString path = OpenHandler()
                             ? OpenHandler()(request)
                             : QFileDialog::getOpenFileName(parent, request.caption,
                                                            request.proposedPath, request.filter);
    if (!path.isEmpty())
        LastFolder() = QFileInfo(path).absolutePath();
    return path;
}

void SaveWhole(const QString& path, const QByteArray& bytes) {
    if (bytes.isEmpty())
        throw SaveError("Nie udało się przygotować zawartości pliku.");
    int error = 0;
    if (!kod::WriteFileDurably(QFile::encodeName(path).toStdString(), bytes.toStdString(), &error))
        throw SaveError(kod::WriteErrorText(error));
}

void ShowSaveError(QWidget* parent, const QString& path, const QString& reason) {
    ShowMessage(parent,
                QStringLiteral("Nie można zapisać pliku „%1”.").arg(QDir::toNativeSeparators(path)),
                QString::fromUtf8(kAppTitle), MsgIcon::None, reason);
}

void ExportToFile(QWidget* parent, const FileKind& kind, const QString& fileName,
                  const std::function<void(const QString& path)>& write) {
    const QString path = ChooseSaveFile(parent, kind, fileName);
    if (path.isEmpty())
        return;
    try {
        write(path);
    } catch (const std::exception& e) {
        ShowSaveError(parent, path, QString::fromUtf8(e.what()));
    }
}

} // namespace widgets
