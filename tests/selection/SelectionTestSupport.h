#pragma once

#include "widgets/MessageBox.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class frmDobor;
class QWidget;

namespace selectiontest {

// An application directory holding a copy of the bundled catalogue, loaded into the module data.
class AppDir {
public:
    AppDir();
    ~AppDir();
    bool Ok() const { return ok_; }
    QString Path() const { return dir_.path(); }
    QString File(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    bool ok_ = false;
};

// Records the message boxes instead of showing them. `during` runs inside each box, the way a
// real modal box takes the focus.
class Messages {
public:
    Messages();
    ~Messages();
    QStringList texts;
    QStringList titles;
    std::function<void()> during;
    void clear() { texts.clear(), titles.clear(); }
};

// Shows the window and waits until it is active, so that focus changes behave as for a user.
bool ShowActive(QWidget* window);

// raport.txt decoded from Windows-1250, split on CR LF (the final empty piece dropped).
QStringList ReadLog(const QString& path);

} // namespace selectiontest
