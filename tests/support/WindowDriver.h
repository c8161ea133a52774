#pragma once

#include "panel/OperatingPointPanel.h"
#include "widgets/MessageBox.h"
#include "widgets/SaveFile.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QIODevice>
#include <QLineEdit>
#include <QPointer>
#include <QSlider>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

// Drives a window's operating-point panel and picture buttons as a user does, and answers its
// message boxes.
namespace testsupport {

// Puts the text into the field's box and confirms it with Enter.
inline void Enter(const panel::OperatingPointPanel* panel, panel::Field f, const QString& text) {
    QLineEdit* box = panel->Box(f);
    box->setFocus();
    box->setText(text);
    QTest::keyClick(box, Qt::Key_Return);
}

// A field's slider range and position with its box's text, e.g. "1..200 at 95 '95'".
inline QString SliderState(const panel::OperatingPointPanel* panel, panel::Field f) {
    const QSlider* s = panel->Slider(f);
    return QString::asprintf("%d..%d at %d '%s'", s->minimum(), s->maximum(), s->value(),
                             qUtf8Printable(panel->Box(f)->text()));
}

// Clicks the window's button of that object name.
inline void ClickButton(const QWidget* window, const char* name) {
    QTest::mouseClick(window->findChild<QToolButton*>(name), Qt::LeftButton);
}

// Answers every message box with OK, keeping its text in `texts`; a box whose title is not the
// application's is kept as "[title] text".
inline void RecordMessages(QStringList& texts) {
    widgets::SetMessageHandler([&texts](const widgets::MessageRecord& r) {
        const bool titled = r.title == QString::fromUtf8(widgets::kAppTitle);
        texts << (titled ? r.text : QStringLiteral("[%1] %2").arg(r.title, r.text));
        return true;
    });
}

// Triggers the action of that text on `owner` (a context menu's entry) with the save dialog
// answering `path`; the bytes then in the file, empty when there is none.
inline QByteArray SaveAs(QWidget* owner, const char* action, const QString& path) {
    widgets::SetSaveFileHandler([path](const widgets::SaveRequest&) { return path; });
    for (QAction* a : owner->actions())
        if (a->text() == QString::fromUtf8(action))
            a->trigger();
    widgets::SetSaveFileHandler({});
    QFile saved(path);
    return saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
}

// What a user reads on the control of that name (the window itself by its own name): its text, the
// window's title or the list's current entry, " *" when it is a checked option, then " / " and its
// tooltip when it has one.
inline QString Caption(const QWidget* window, const QString& name) {
    const QWidget* w = window->objectName() == name ? window : window->findChild<QWidget*>(name);
    if (!w)
        return QStringLiteral("(missing)");
    QString text = w == window ? w->windowTitle() : w->property("text").toString();
    if (const auto* list = qobject_cast<const QComboBox*>(w))
        text = list->currentText();
    if (const auto* b = qobject_cast<const QAbstractButton*>(w); b && b->isChecked())
        text += QStringLiteral(" *");
    return w->toolTip().isEmpty() ? text : text + QStringLiteral(" / ") + w->toolTip();
}

// The rows of a data file that start with `tag` followed by '|', split at '|' with the tag dropped;
// a UTF-8 text file whose other lines are comments or rows of other tags.
inline QList<QStringList> DataRows(const QString& path, const QString& tag) {
    QFile file(path);
    QList<QStringList> rows;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return rows;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
        if (line.startsWith(tag + QLatin1Char('|')))
            rows << line.mid(tag.size() + 1).split(QLatin1Char('|'));
    return rows;
}

// A Qt Test _data() table of the data file's rows of that tag: the row's other fields as the
// QStringList column "row", named by its first field.
inline void AddDataRows(const QString& path, const QString& tag) {
    QTest::addColumn<QStringList>("row");
    for (const QStringList& r : DataRows(path, tag))
        QTest::newRow(qPrintable(r.value(0))) << r.mid(1);
}

// Compares every caption that the data file's "K|window|control|caption" rows give for the window.
inline void CompareCaptions(const QWidget* window, const QString& path) {
    for (const QStringList& k : DataRows(path, QStringLiteral("K")))
        if (k.value(0) == window->objectName())
            QCOMPARE(Caption(window, k.value(1)), k.value(2));
}
// Closes a window as a user does: "exit" clicks its button of that object name, "Escape" presses
// Escape where the focus is, anything else closes it by its close box.
inline void CloseBy(QWidget* window, const QString& way, const QString& exitButton) {
    if (way == QLatin1String("exit")) {
        if (auto* button = window->findChild<QAbstractButton*>(exitButton))
            QTest::mouseClick(button, Qt::LeftButton);
    } else if (way == QLatin1String("Escape")) {
        QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key_Escape);
    } else {
        window->close();
    }
}

// A file's bytes, "<unreadable>" when it cannot be read; writing bytes whole.
inline QByteArray ReadBytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}
inline bool WriteBytes(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The rows of a tab-separated table of cases (UTF-8), without its comment lines ('#'); a missing or
// empty table fails the test.
inline QList<QStringList> TableRows(const QString& file) {
    QList<QStringList> rows;
    for (const QString& line : QString::fromUtf8(ReadBytes(file)).split('\n', Qt::SkipEmptyParts))
        line.startsWith('#') ? void() : rows.append(line.split('\t'));
    if (rows.size() < 1 || rows[0].size() < 2)
        QTest::qFail(qPrintable("no cases in " + file), __FILE__, __LINE__);
    return rows;
}
// A Qt Test data table of one column "row" with each row's fields, tagged by its first field.
inline void AddTableRows(const QString& file) {
    QTest::addColumn<QStringList>("row");
    for (const QStringList& row : TableRows(file))
        QTest::newRow(qPrintable(row[0])) << row;
}

// While it lives, hands each modal window that opens to `handle`, which should close it; one left
// open is recorded as "stuck" and hidden, which ends its exec(). `seen`: the class names, in order.
struct ModalWatcher {
    QStringList seen;
    QTimer timer;
    QPointer<QWidget> handled;
    explicit ModalWatcher(std::function<void(QWidget*)> handle) {
        QObject::connect(&timer, &QTimer::timeout, [this, handle] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                seen << (modal == handled ? "stuck" : modal->metaObject()->className());
                modal == handled ? modal->hide() : handle(handled = modal);
            }
        });
        timer.start(10);
    }
};

} // namespace testsupport
