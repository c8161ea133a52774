#pragma once

#include <QListWidget>
#include <QString>
#include <QStringList>

namespace shell {

// A directory list: the subdirectories of the current path, with ".." on top to go up. Activating
// an entry (double-click or Enter) enters it.
class DirectoryList : public QListWidget {
    Q_OBJECT
public:
    explicit DirectoryList(QWidget* parent = nullptr);

    // Shows the directory `dir`; returns false and changes nothing when it cannot be read.
    bool SetPath(const QString& dir);

    // The roots of the drives: these paths are reported with their trailing separator.
    void SetDriveRoots(const QStringList& roots);

    // The current path in native form, without a trailing separator except for a root.
    QString Path() const;

    // Enters the entry at `row` (".." goes up); false when that directory cannot be read.
    bool EnterRow(int row);

    // Whether `dir` is an existing directory that can be listed.
    static bool IsReadableDirectory(const QString& dir);

signals:
    void changed(); // the path has changed

protected:
    // Enter enters the current entry and goes no further: it does not accept the dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString path_;      // clean, '/' separators
    QStringList roots_; // clean, '/' separators
};

} // namespace shell
