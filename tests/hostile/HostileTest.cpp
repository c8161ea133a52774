// Random hostile input in every tool window, with the program's rules checked after every step.
// The seed is printed; VARMI_HOSTILE_SEED=<seed> replays a run.
#include "core/Kod.h"
#include "panel/OperatingPointPanel.h"
#include "shell/ApplicationKeys.h"
#include "shell/frmVarmi.h"
#include "widgets/Environment.h"
#include "widgets/MessageBox.h"
#include "widgets/PictureBox.h"
#include "widgets/PrintPage.h"

#include <QTest>
#include <QtWidgets>
#include <cmath>
#include <random>

namespace {

// The actions a step picks from, per window, repeated for weight: p paste a hostile text into a
// box and confirm it, c the chart's mouse, w click or drag a control and press a key.
const QMap<QString, const char*> kActions = {{"frmDobor", "pppww"},   {"frmHydra", "ppwwccc"},
                                             {"frmQG", "ppwwccc"},    {"frmwsk", "ppwwccc"},
                                             {"frmWskKT", "ppwwccc"}, {"Dialog", "pww"}};
QStringList Lines(const char* file) {
    QFile f(QString::fromUtf8(file));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split('\n') : QStringList();
}

// "nan"/"inf" as a word, or more than 20 digits in a row.
QString Faulty(const QString& text) {
    static const QRegularExpression bad(QStringLiteral("\\b(nan|inf|infinity)\\b|\\d{21,}"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QString found = bad.match(text).captured();
    return found.isEmpty() ? found : "shows " + found.left(30) + " in " + text.left(80);
}

} // namespace

class HostileTest : public QObject {
    Q_OBJECT
    QTemporaryDir app_, machine_;
    QTimer popupCloser_;
    std::mt19937_64 random_;
    QStringList texts_ = Lines(VARMI_HOSTILE_DATA "/hostile_texts.txt");
    QRegularExpression allowed_{"", QRegularExpression::DotMatchesEverythingOption};
    QStringList failures_; // of the message boxes
    QStringList typed_;    // the user's own texts are not the program's output

    int Pick(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(random_); }

    // One action of that kind on a control of `w` that a user reaches (not its exit button); what
    // was done, or "" when there was no such control.
    QString Act(QPointer<QWidget> w, char kind) {
        QList<QWidget*> found;
        const char* cls = kind == 'p'   ? "QLineEdit"
                          : kind == 'c' ? "widgets::PictureBox"
                                        : "QWidget";
        for (QWidget* c : w->findChildren<QWidget*>())
            if (c->window() == w && c->isVisible() && c->isEnabled() && c->inherits(cls) &&
                c->objectName() != QLatin1String("cmdExit"))
                found << c;
        if (found.isEmpty())
            return {};
        QWidget* target = found[Pick(found.size())];
        const QString done = QStringLiteral("%1 on %2").arg(QChar(kind), target->objectName());
        const int m = kind == 'c' ? 20 : 0; // a chart is read past its edges too
        auto anywhere = [&] {
            return QPoint(Pick(target->width() + 2 * m) - m, Pick(target->height() + 2 * m) - m);
        };
        if (auto* box = qobject_cast<QLineEdit*>(target); box && kind == 'p') {
            QTest::mouseClick(box, Qt::LeftButton, {}, anywhere());
            if (QApplication::focusWidget() != box) // a rejected entry kept the focus
                return done + " (refused)";
            const QString text = texts_[Pick(texts_.size())];
            if (Pick(2)) // over the whole text, or into it
                box->selectAll();
            QGuiApplication::clipboard()->setText(text);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            typed_ << box->text() << text;
            QTest::keyClick(box, Pick(2) ? Qt::Key_Return : Qt::Key_Tab);
            return done + " '" + text + "'";
        }
        // A click or a drag, then a key; a list is chosen with the keys: its popup confirms
        // nothing.
        widgets::PrintPage::SimulateMissingPrinter(Pick(4) == 0);
        const Qt::MouseButton button = Pick(4) ? Qt::LeftButton : Qt::RightButton;
        QPoint at = anywhere();
        qobject_cast<QComboBox*>(target) ? target->setFocus(Qt::MouseFocusReason)
                                         : QTest::mousePress(target, button, {}, at);
        for (int i = Pick(3) * Pick(4); i > 0 && w; --i)
            QTest::mouseMove(target, at = anywhere());
        if (w && !qobject_cast<QComboBox*>(target))
            QTest::mouseRelease(target, button, {}, at);
        // Tab, Backtab, Backspace, Return, Enter, Insert, Delete or Home .. PageDown (Escape
        // closes).
        const Qt::Key key = Qt::Key(Pick(2) ? Qt::Key_Tab + Pick(7) : Qt::Key_Home + Pick(8));
        if (QWidget* focus = QApplication::focusWidget(); w && focus && focus->window() == w)
            QTest::keyClick(focus, key, Pick(8) ? Qt::NoModifier : Qt::ShiftModifier);
        if (auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
            typed_ << box->text(); // edited by the key
        return done + ", key " + QKeySequence(key).toString();
    }

    // The first broken rule after a step, or "".
    QString Check(QWidget* w) {
        if (!failures_.isEmpty() || !w->isVisible())
            return failures_.isEmpty() ? QString() : failures_.takeFirst();
        QStringList shown{w->windowTitle()};
        for (const QWidget* c : w->findChildren<QWidget*>())
            if (!qobject_cast<const QLineEdit*>(c) ||
                !typed_.contains(c->property("text").toString()))
                shown << c->property("text").toString() << c->property("currentText").toString();
        for (const QTableWidget* g : w->findChildren<QTableWidget*>())
            for (const QTableWidgetItem* item : g->findItems({}, Qt::MatchContains))
                shown << item->text();
        // Lines inside the chart square (100..900, ends rounded), texts inside the picture.
        const QRectF square(99.5, 99.5, 801, 801), picture(-1, -1, 1002, 1002);
        for (const widgets::PictureBox* p : w->findChildren<widgets::PictureBox*>()) {
            std::vector<widgets::PictureBox::Op> ops = p->Operations();
            for (int h = 0; p->LineObject(h).style != Qt::NoPen; ++h) // handles count from 0
                if (p->IsLineObjectVisible(h))
                    ops.push_back(p->LineObject(h));
            for (const widgets::PictureBox::Op& op : ops) {
                shown << op.text;
                if (op.kind == widgets::PictureBox::Op::TextOp
                        ? !picture.contains(op.a)
                        : !square.contains(op.a) || !square.contains(op.b))
                    return p->objectName() + " draws '" + op.text + "' from " +
                           QString::number(op.a.x()) + "," + QString::number(op.a.y());
            }
        }
        for (const QString& s : shown)
            if (QString f = Faulty(s); !f.isEmpty())
                return f;
        // A slider mirrors its confirmed box, rounded halves to even and kept in its range.
        for (const QSlider* s : w->findChildren<QSlider*>()) {
            const auto* box = w->findChild<QLineEdit*>("tx" + s->objectName().mid(2));
            const double v = box ? panel::ParseNumber(box->text()) : 0;
            const long long at = std::isnan(v) ? 0 : std::llrint(std::clamp(v, -3e9, 3e9));
            if (box && w->focusWidget() != box &&
                s->value() != std::clamp<long long>(at, s->minimum(), s->maximum()))
                return s->objectName() + " at " + QString::number(s->value()) + ", box " +
                       box->text();
        }
        return {};
    }

    // Popups and help windows are closed at once: the steps go to the window under test.
    static void Settle(QPointer<QWidget> w) {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top == QApplication::activePopupWidget() || top->objectName() == "frmPomoc")
                top->close();
        if (QCoreApplication::processEvents(); w && w->isVisible())
            w->activateWindow(), (void)QTest::qWaitForWindowActive(w, 1000);
    }

private slots:
    void initTestCase() {
        // Each line of the file: the title, a tab and a regular expression of the whole text.
        const QStringList messages =
            Lines(VARMI_HOSTILE_DATA "/hostile_messages.tsv").filter(QRegularExpression("^[^#]"));
        allowed_.setPattern("^(?:" + messages.join('|') + ")$");
        QVERIFY(allowed_.isValid() && messages.size() > 20 && texts_.size() > 40);
        QVERIFY(QFile::copy(QStringLiteral(VARMI_CATALOGUE), app_.filePath("parametr.txt")));
        widgets::SetAppDirectory(app_.path().toStdString());
        widgets::PrintPage::RedirectToPdf(machine_.filePath(QStringLiteral("page.pdf")));
        shell::InstallApplicationKeys(*qApp);
        connect(&popupCloser_, &QTimer::timeout, [] { Settle(nullptr); }); // popups run own loops
        popupCloser_.start(20);
        widgets::SetMessageHandler([this](const widgets::MessageRecord& r) {
            const QString text = QString(r.text + ' ' + r.detail).remove(widgets::Q(kod::PdfPath));
            if (!allowed_.match(r.title + '\t' + r.text).hasMatch() || !Faulty(text).isEmpty())
                failures_ << "message " + r.title + ": " + r.text;
            return Pick(2) == 0;
        });
        QVERIFY(QDir::setCurrent(machine_.path())); // where the settings dialog starts
    }

    // Every menu entry, toolbar button and the diagnostics key in turn open a tool window, which
    // gets random steps and is closed by its exit button, Escape or its close box; then no modal
    // window is left and Pasek is back.
    void everyWindow() {
        quint64 seed = qEnvironmentVariable("VARMI_HOSTILE_SEED").toULongLong();
        seed = seed ? seed : quint64(QDateTime::currentMSecsSinceEpoch());
        qInfo("VARMI_HOSTILE_SEED=%llu", seed);
        random_.seed(seed);
        widgets::SetUserLocale(Pick(2) ? QLocale::c() : QLocale(QLocale::Polish, QLocale::Poland));
        frmVarmi main(app_.path().toStdString());
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        auto* pasek = main.findChild<QToolBar*>(QStringLiteral("Pasek"));
        QList<QAction*> triggers{nullptr}; // Shift+Alt+J
        for (QAction* a : main.findChildren<QAction*>())
            if (!a->objectName().isEmpty() && !a->menu() && !a->objectName().contains("Wyjscie"))
                triggers << a;
        QVERIFY(triggers.size() > 10);
        for (int round = 0; round < 2 * triggers.size(); ++round) {
            QAction* trigger = triggers[round % triggers.size()];
            QString failure;
            QStringList done{trigger ? trigger->objectName() : "Shift+Alt+J"};
            bool ran = false;
            QTimer::singleShot(0, &main, [&] { // inside the tool window's loop when it is modal
                ran = true;
                QPointer<QWidget> tool = QApplication::activeModalWidget();
                tool = tool ? tool : main.findChild<QDialog*>(QStringLiteral("frmParametry"));
                const char* kinds = kActions.value(tool ? tool->objectName() : QString(), "w");
                Settle(tool);
                for (int step = 0; step < 60 && tool && tool->isVisible() && failure.isEmpty();
                     ++step) {
                    done << Act(tool, kinds[Pick(int(std::strlen(kinds)))]);
                    Settle(tool);
                    failure = tool ? Check(tool) : QString();
                }
                if (auto* exit = tool ? tool->findChild<QAbstractButton*>("cmdExit") : nullptr;
                    exit && Pick(2))
                    QTest::mouseClick(exit, Qt::LeftButton);
                if (tool && tool->isVisible() && Pick(2))
                    QTest::keyClick(tool, Qt::Key_Escape);
                if (tool && tool->isVisible())
                    tool->close();
            });
            trigger ? trigger->trigger()
                    : QTest::keyClick(main.centralWidget(), Qt::Key_J,
                                      Qt::ShiftModifier | Qt::AltModifier);
            QTRY_VERIFY(ran);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (failure.isEmpty() && (QApplication::activeModalWidget() || !pasek->isVisible()))
                failure = QStringLiteral("a window stayed open or Pasek hidden");
            QVERIFY2(failure.isEmpty(), qPrintable(failure + ", seed " + QString::number(seed) +
                                                   ", after " + done.join("; ")));
            Settle(&main);
        }
    }
};

QTEST_MAIN(HostileTest)
#include "HostileTest.moc"
