// Every window of the program for screen readers and the keyboard: each input control has an
// accessible name from its label or tooltip and is reached by Tab; the panel windows' tab order
// follows their rows from the top, the chart or grid last.
#include "coefficients/frmWskKT.h"
#include "coefficients/frmwsk.h"
#include "descriptions/frmPDF.h"
#include "nomograms/frmHydra.h"
#include "nomograms/frmQG.h"
#include "parameters/frmParametry.h"
#include "selection/frmDobor.h"
#include "shell/Dialog.h"
#include "shell/frmInformacja.h"
#include "shell/frmVarmi.h"
#include "shell/frmZelko.h"
#include "widgets/Environment.h"
#include "widgets/MessageBox.h"
#include "widgets/PictureBox.h"

#include <QAccessible>
#include <QtTest>
#include <QtWidgets>
#include <functional>
#include <memory>

namespace {

using Factory = std::function<QWidget*()>;

struct WindowCase {
    const char* name;
    Factory make;
    bool panelWindow; // laid out in rows beside a chart or a grid
};

bool IsInput(const QWidget* w) {
    if (qobject_cast<const QScrollBar*>(w))
        return false;
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
           qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const widgets::PictureBox*>(w);
}

// A control inside another (a table's headers and corner button, a combo box's list) is part of
// it.
bool InsideInput(const QWidget* w, const QWidget* window) {
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (IsInput(p))
            return true;
    return false;
}

// The input controls a user meets in the window.
QList<QWidget*> Inputs(QWidget* window) {
    QList<QWidget*> inputs;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (IsInput(w) && w->isVisibleTo(window) && w->window() == window &&
            !InsideInput(w, window))
            inputs << w;
    return inputs;
}

// Tab reaches the control; an unchecked option button of a group is reached from the checked one
// by the arrow keys (Qt takes Tab focus from it meanwhile).
bool ReachedByKeys(const QWidget* w) {
    const auto* option = qobject_cast<const QRadioButton*>(w);
    if (option && option->autoExclusive() && !option->isChecked())
        return option->focusPolicy() != Qt::NoFocus;
    return w->focusPolicy() & Qt::TabFocus;
}

QString NameOf(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name).trimmed() : QString();
}

QString Describe(const QWidget* w) {
    return QStringLiteral("%1 (%2)").arg(w->objectName(), w->metaObject()->className());
}

} // namespace

class TstAccessibility : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::vector<WindowCase> windows_;

    std::filesystem::path AppDir() const { return dir_.path().toStdString(); }
    // Window i of the table, shown.
    std::unique_ptr<QWidget> Open(int i) {
        std::unique_ptr<QWidget> window(windows_[i].make());
        window->show();
        return window;
    }

private slots:
    void initTestCase() {
        QVERIFY(QFile::copy(VARMI_CATALOGUE, dir_.filePath("parametr.txt")));
        QFile pathpdf(dir_.filePath("pathpdf.txt"));
        QVERIFY(pathpdf.open(QIODevice::WriteOnly));
        pathpdf.write("\"/opisy/\"\r\n");
        pathpdf.close();
        widgets::SetAppDirectory(AppDir());
        widgets::SetUserLocale(QLocale::c());
        widgets::SetMessageHandler([](const widgets::MessageRecord&) { return false; });
        QCOMPARE(frmVarmi::StartUp(AppDir()), QString());
        const std::filesystem::path app = AppDir();
        windows_ = {
            {"frmVarmi", [app] { return new frmVarmi(app); }, false},
            {"Dialog", [app] { return new Dialog(app, kod::SystemDrives()); }, false},
            {"frmInformacja", [] { return new frmInformacja; }, false},
            {"frmZelko", [] { return new frmZelko; }, false},
            {"frmPDF", [] { return new frmPDF; }, false},
            {"frmParametry", [] { return new frmParametry; }, false},
            {"frmDobor", [] { return new frmDobor; }, true},
            {"frmHydra", [] { return new frmHydra; }, true},
            {"frmQG", [] { return new frmQG; }, true},
            {"frmwsk", [] { return new frmwsk; }, true},
            {"frmWskKT", [] { return new frmWskKT; }, true},
        };
    }
    void cleanupTestCase() { widgets::SetMessageHandler({}); }

    void everyInputIsNamedAndReachedByTab_data() {
        QTest::addColumn<int>("i");
        for (std::size_t i = 0; i < windows_.size(); ++i)
            QTest::newRow(windows_[i].name) << int(i);
    }
    void everyInputIsNamedAndReachedByTab() {
        QFETCH(int, i);
        const std::unique_ptr<QWidget> window = Open(i);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QList<QWidget*> inputs = Inputs(window.get());
        QVERIFY(!inputs.isEmpty());
        for (QWidget* w : inputs) {
            QVERIFY2(!NameOf(w).isEmpty(), qPrintable(Describe(w)));
            QVERIFY2(ReachedByKeys(w), qPrintable(Describe(w)));
        }
    }

    // Walking the focus chain from the chart or grid (the widest control), the other controls
    // follow with their upper edges never going up, and left to right within a row.
    void tabOrderFollowsTheRows_data() {
        QTest::addColumn<int>("i");
        for (std::size_t i = 0; i < windows_.size(); ++i)
            if (windows_[i].panelWindow)
                QTest::newRow(windows_[i].name) << int(i);
    }
    void tabOrderFollowsTheRows() {
        QFETCH(int, i);
        const std::unique_ptr<QWidget> window = Open(i);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QList<QWidget*> stops;
        for (QWidget* w : Inputs(window.get()))
            if (w->parentWidget() == window.get() && w->focusPolicy() != Qt::NoFocus)
                stops << w;
        QWidget* widest = *std::max_element(
            stops.begin(), stops.end(), [](auto* a, auto* b) { return a->width() < b->width(); });
        QVERIFY(widest->inherits("widgets::PictureBox") || widest->inherits("QTableWidget"));

        QStringList order;
        QWidget* w = widest->nextInFocusChain();
        QPoint previous(-1, -1);
        for (int seen = 1; w != widest; w = w->nextInFocusChain()) {
            if (!stops.contains(w))
                continue;
            ++seen;
            const QPoint at = w->geometry().topLeft();
            QVERIFY2(at.y() > previous.y() || (at.y() == previous.y() && at.x() > previous.x()),
                     qPrintable(order.join(' ') + QStringLiteral(" | ") + Describe(w)));
            order << w->objectName();
            previous = at;
            QVERIFY(seen <= stops.size());
        }
        QCOMPARE(order.size() + 1, stops.size()); // every stop once
    }
};

QTEST_MAIN(TstAccessibility)
#include "tst_accessibility.moc"
