#include "shell/DirectoryList.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>

namespace shell {

namespace {
constexpr int kPathRole = Qt::UserRole;
}

DirectoryList::DirectoryList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { EnterRow(row(item)); });
}

void DirectoryList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (currentRow() >= 0)
            EnterRow(currentRow());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

bool DirectoryList::IsReadableDirectory(const QString& dir) {
    if (dir.isEmpty())
        return false;
    const QFileInfo info(dir);
    return info.exists() && info.isDir() && info.isReadable() && info.isExecutable();
}

bool DirectoryList::SetPath(const QString& dir) {
    if (!IsReadableDirectory(dir))
        return false;
    const QString path = QDir::cleanPath(QFileInfo(dir).absoluteFilePath());

    clear();
    const QDir current(path);
    if (!current.isRoot()) {
        auto* up = new QListWidgetItem(QStringLiteral(".."), this);
        up->setData(kPathRole, QDir::cleanPath(current.absoluteFilePath(QStringLiteral(".."))));
    }
    const QStringList names =
        current.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(name, this);
        item->setData(kPathRole, current.absoluteFilePath(name));
    }
    if (count() > 0)
        setCurrentRow(0);

    if (path != path_) {
        path_ = path;
        emit changed();
    }
    return true;
}

void DirectoryList::SetDriveRoots(const QStringList& roots) {
    roots_.clear();
    for (const QString& root : roots)
        roots_.push_back(QDir::cleanPath(QDir::fromNativeSeparators(root)));
}

QString DirectoryList::Path() const {
    QString path = path_;
    if (roots_.contains(path) && !path.endsWith(u'/'))
        path += u'/';
    return QDir::toNativeSeparators(path);
}

bool DirectoryList::EnterRow(int row) {
    const QListWidgetItem* entry = item(row);
    return entry != nullptr && SetPath(entry->data(kPathRole).toString());
}

} // namespace shell
