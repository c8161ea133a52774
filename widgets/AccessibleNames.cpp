#include "widgets/AccessibleNames.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>

namespace widgets {

namespace {

bool IsOperable(const QWidget* w) {
    if (qobject_cast<const QScrollBar*>(w))
        return false;
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
           qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

// A label's caption without its access-key marks: "&Moc" -> "Moc", "A && B" -> "A & B".
QString WithoutAccessKeys(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool mark = text[i] == QLatin1Char('&') && i + 1 < text.size();
        if (mark && text[i + 1] == QLatin1Char('&'))
            ++i; // "&&" is a literal "&"
        else if (mark)
            continue;
        plain += text[i];
    }
    return plain.trimmed();
}

// A control inside another operable control (a combo box's editor, a table's viewport) is
// part of it and keeps its own name.
bool InsideOperable(const QWidget* w, const QWidget* root) {
    for (const QWidget* p = w->parentWidget(); p && p != root; p = p->parentWidget()) {
        if (IsOperable(p))
            return true;
    }
    return false;
}

} // namespace

void ApplyAccessibleNames(QWidget* root) {
    if (!root)
        return;
    QHash<const QWidget*, QString> captions;
    for (const QLabel* label : root->findChildren<QLabel*>()) {
        const QString caption = WithoutAccessKeys(label->text());
        if (label->buddy() && !caption.isEmpty() && !captions.contains(label->buddy()))
            captions.insert(label->buddy(), caption);
    }
    QList<QWidget*> controls = root->findChildren<QWidget*>();
    controls.prepend(root);
    for (QWidget* w : controls) {
        if (!IsOperable(w) || !w->accessibleName().isEmpty() || InsideOperable(w, root))
            continue;
        // A button says its caption; the tooltip then describes it.
        const auto* button = qobject_cast<const QAbstractButton*>(w);
        const QString tip = w->toolTip().trimmed();
        const QString caption = button ? WithoutAccessKeys(button->text()) : QString();
        const QString name = captions.value(w, caption.isEmpty() ? tip : caption);
        if (!name.isEmpty())
            w->setAccessibleName(name);
        if (!tip.isEmpty() && tip != name && w->accessibleDescription().isEmpty())
            w->setAccessibleDescription(tip);
    }
}

void MakeToolbarAccessible(QToolBar* bar) {
    if (!bar)
        return;
    for (QAction* action : bar->actions()) {
        if (QWidget* button = bar->widgetForAction(action)) {
            button->setAccessibleName(action->toolTip());
            button->setFocusPolicy(Qt::TabFocus);
        }
    }
    // Qt's own name for the overflow button.
    if (auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"))) {
        more->setAccessibleName(QStringLiteral("więcej przycisków"));
        more->setFocusPolicy(Qt::TabFocus);
    }
}

} // namespace widgets
