#include "shell/ApplicationKeys.h"

#include "help/Help.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace shell {

namespace {

bool TakesText(const QObject* o) {
    return qobject_cast<const QLineEdit*>(o) || qobject_cast<const QTextEdit*>(o) ||
           qobject_cast<const QPlainTextEdit*>(o) || qobject_cast<const QAbstractSpinBox*>(o) ||
           qobject_cast<const QComboBox*>(o);
}

class ApplicationKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1) {
            help::ShowHelp(static_cast<QWidget*>(watched)->window());
            return true;
        }
        // Letters that need AltGr on a Polish keyboard are not ASCII and pass.
        const QString text = key->text();
        const Qt::KeyboardModifiers mods = key->modifiers();
        if (mods.testFlag(Qt::AltModifier) && !mods.testFlag(Qt::ControlModifier) &&
            text.size() == 1 && text.at(0).unicode() < 0x80 && text.at(0).isLetterOrNumber() &&
            TakesText(watched))
            return true;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void InstallApplicationKeys(QApplication& app) {
    static const char* const kName = "varmiApplicationKeys";
    if (app.findChild<QObject*>(QString::fromLatin1(kName), Qt::FindDirectChildrenOnly))
        return;
    auto* filter = new ApplicationKeys(&app);
    filter->setObjectName(QString::fromLatin1(kName));
    app.installEventFilter(filter);
}

} // namespace shell
