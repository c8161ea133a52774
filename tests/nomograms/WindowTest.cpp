// The two nomogram windows on the offscreen platform, driven by the cases of
// tests/data/nomograms/windows.txt (its head says how they are written), plus the printed page,
// the focused charts' colours and the layout at real screen sizes.
#include "nomograms/HydraulicPrintout.h"
#include "nomograms/frmHydra.h"
#include "nomograms/frmQG.h"
#include "tests/core/Support.h"
#include "tests/support/PdfProbe.h"
#include "tests/support/WindowDriver.h"
#include "widgets/ChartExport.h"
#include "widgets/Environment.h"
#include "widgets/FocusRing.h"
#include "widgets/PictureBox.h"
#include "widgets/PrintPage.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWheelEvent>
#include <array>
#include <map>
#include <memory>
#include <utility>

using Op = widgets::PictureBox::Op;
using Lines = QStringList;

namespace {

QString Ends(const Op& op) {
    return QString::asprintf("(%.3f, %.3f)-(%.3f, %.3f)", op.a.x(), op.a.y(), op.b.x(), op.b.y());
}

const std::map<QString, double testing_core::ModelValues::*> kFields = {
    {"C", &testing_core::ModelValues::C},
    {"expGr1", &testing_core::ModelValues::expGr1},
    {"expGr2", &testing_core::ModelValues::expGr2},
    {"expT11", &testing_core::ModelValues::expT11},
    {"expT22", &testing_core::ModelValues::expT22},
    {"expP", &testing_core::ModelValues::expP},
    {"C1", &testing_core::ModelValues::C1},
    {"a1", &testing_core::ModelValues::a1},
    {"b1", &testing_core::ModelValues::b1},
    {"C2", &testing_core::ModelValues::C2},
    {"a2", &testing_core::ModelValues::a2},
    {"b2", &testing_core::ModelValues::b2},
    {"F", &testing_core::ModelValues::F}};

// "m key=value ...": model m's values changed in `models`.
void SetValues(std::array<testing_core::ModelValues, 4>& models, const QStringList& words) {
    auto& v = models.at(words.value(0).toInt());
    for (const QString& w : words.mid(1))
        v.*kFields.at(w.section('=', 0, 0)) = w.section('=', 1).toDouble();
}

} // namespace

class NomogramWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<nomograms::ChartWindow> w_;
    QStringList messages_;
    QString snap_;

    template <typename T = QWidget> T* child(const QString& name) const {
        T* c = w_->findChild<T*>(name);
        if (!c)
            qFatal("no control %s", qPrintable(name));
        return c;
    }
    widgets::PictureBox* picture() const { return w_->findChild<widgets::PictureBox*>(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

    void open(bool hydraulic) {
        widgets::SetUserLocale(QLocale::c());
        widgets::SetAppDirectory(dir_.path().toStdString());
        testsupport::RecordMessages(messages_);
        widgets::PrintPage::RedirectToPdf(file("page.pdf"));
        QFile::remove(file("page.pdf"));
        w_.reset();
        if (hydraulic)
            w_ = std::make_unique<frmHydra>();
        else
            w_ = std::make_unique<frmQG>();
        w_->show();
        w_->resize(1024, 768); // one chart unit is 0.8 pixel across
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    }
    void mouse(QEvent::Type type, double x, Qt::MouseButton button, Qt::MouseButtons buttons) {
        const QPointF at = picture()->ToPixel({x, 500});
        QMouseEvent event(type, at, picture()->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(picture(), &event);
    }
    static Qt::MouseButtons Buttons(const QString& b) {
        return b == "none"    ? Qt::NoButton
               : b == "right" ? Qt::RightButton
               : b == "both"  ? Qt::MouseButtons(Qt::LeftButton | Qt::RightButton)
                              : Qt::LeftButton;
    }
    // Another kind of event on the picture at x 700, which reads nothing.
    void otherEvent(const QString& kind) {
        const QPointF at = picture()->ToPixel({700, 500}), global = picture()->mapToGlobal(at);
        std::unique_ptr<QEvent> e;
        if (kind == "leave")
            e = std::make_unique<QEvent>(QEvent::Leave);
        else if (kind == "key")
            e = std::make_unique<QKeyEvent>(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
        else if (kind == "wheel")
            e = std::make_unique<QWheelEvent>(at, global, QPoint(), QPoint(0, 120), Qt::LeftButton,
                                              Qt::NoModifier, Qt::NoScrollPhase, false);
        else
            e = std::make_unique<QMouseEvent>(QEvent::MouseButtonRelease, at, global,
                                              Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(picture(), e.get());
    }

    void act(const QString& verb, const QString& arg, const QString& rest) {
        static const std::map<QString, Qt::Key> keys = {
            {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right},   {"Up", Qt::Key_Up},
            {"Down", Qt::Key_Down}, {"PageUp", Qt::Key_PageUp}, {"PageDown", Qt::Key_PageDown},
            {"Home", Qt::Key_Home}, {"End", Qt::Key_End}};
        if (verb == "enter" || verb == "settext" || verb == "type") {
            auto* box = child<QLineEdit>(arg);
            box->setFocus();
            if (verb == "type")
                QTest::keyClicks(box, QString(rest).replace("\\b", "\b"));
            else
                box->setText(rest);
            if (verb == "enter")
                QTest::keyClick(box, Qt::Key_Return);
        } else if (verb == "click") {
            QTest::mouseClick(child<QAbstractButton>(arg), Qt::LeftButton);
        } else if (verb == "choose") {
            auto* combo = child<QComboBox>("cmbWymienniki"); // picked from its list
            combo->setCurrentIndex(arg.toInt());
            emit combo->activated(arg.toInt());
        } else if (verb == "slider") {
            child<QSlider>(arg)->setValue(rest.toInt()); // as the user leaves it
        } else if (verb == "press") {
            mouse(QEvent::MouseButtonPress, arg.toDouble(),
                  Qt::MouseButton(int(Buttons(rest.isEmpty() ? "left" : rest))),
                  Buttons(rest.isEmpty() ? "left" : rest));
        } else if (verb == "drag") {
            mouse(QEvent::MouseMove, arg.toDouble(), Qt::NoButton, Buttons(rest));
        } else if (verb == "keys") {
            picture()->setFocus(Qt::TabFocusReason);
            for (const QString& k : (arg + ' ' + rest).split(' ', Qt::SkipEmptyParts))
                QTest::keyClick(picture(), keys.at(k));
        } else if (verb == "event") {
            otherEvent(arg);
        } else if (verb == "locale") {
            widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        } else if (verb == "snap") {
            snap_ = probe("state", {});
        } else if (verb == "help") {
            QFile page(file("varmi.html"));
            QVERIFY(page.open(QIODevice::WriteOnly) && page.write("<p>pomoc</p>") > 0);
        } else {
            QFAIL(qPrintable("unknown step " + verb));
        }
    }

    QString probe(const QString& what, const QString& arg) {
        const auto& ops = picture()->Operations();
        auto opsOf = [&](Op::Kind kind, auto take) {
            QStringList found;
            for (const Op& op : ops)
                if (op.kind == kind && take(op))
                    found << (kind == Op::TextOp
                                  ? QStringLiteral("%1@%2").arg(op.text).arg(op.a.x())
                              : kind == Op::LineOp ? Ends(op) + ' ' + op.color.name() + ' ' +
                                                         QString::number(op.width)
                                                   : Ends(op) + ' ' + op.color.name());
            return found;
        };
        if (what == "text") {
            QWidget* c = arg == "window" ? w_.get() : child(arg);
            if (auto* box = qobject_cast<QLineEdit*>(c))
                return box->text();
            if (auto* label = qobject_cast<QLabel*>(c))
                return label->text();
            if (auto* combo = qobject_cast<QComboBox*>(c)) {
                QStringList items;
                for (int i = 0; i < combo->count(); ++i)
                    items << combo->itemText(i);
                return combo->currentText() + " of " + items.join(' ');
            }
            return c->windowTitle();
        }
        if (what == "slider") {
            const auto* s = child<QSlider>(arg);
            return QString::asprintf("%d..%d at %d", s->minimum(), s->maximum(), s->value());
        }
        if (what == "line") {
            const int h = arg.toInt();
            const Op& op = picture()->LineObject(h);
            return picture()->IsLineObjectVisible(h)
                       ? Ends(op) + QStringLiteral(" %1 %2").arg(op.color.name()).arg(op.width)
                       : QStringLiteral("hidden");
        }
        if (what == "messages") // since the last look; the first ones alone with a count
            return std::exchange(messages_, {})
                .mid(0, arg.isEmpty() ? -1 : arg.toInt())
                .join(" | ");
        if (what == "focus")
            return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
        if (what == "ops") { // runs of Fills, Lines and Texts in order, and the texts' fonts
            QString runs;
            QSet<QString> fonts;
            for (std::size_t k = 0, run = 1; k < ops.size(); ++k, ++run) {
                if (ops[k].kind == Op::TextOp)
                    fonts << ops[k].fontName + (ops[k].bold ? " bold" : "");
                if (k + 1 == ops.size() || ops[k + 1].kind != ops[k].kind)
                    runs +=
                        QStringLiteral("%1%2 ").arg("LFT"[ops[k].kind]).arg(std::exchange(run, 0));
            }
            return runs + "in " + QStringList(fonts.begin(), fonts.end()).join(", ");
        }
        if (what == "bands") // from the abscissa arg on
            return opsOf(Op::FillRectOp, [&](const Op& op) { return op.a.x() >= arg.toDouble(); })
                .join(", ");
        if (what == "labels") // the band counts, with their size
            return opsOf(Op::TextOp, [](const Op& op) { return op.a.y() == 950 && op.width == 10; })
                .join(' ');
        if (what == "curvex") { // the curve's pieces within arg's two abscissae
            QStringList pieces;
            const double from = arg.section(' ', 0, 0).toDouble(),
                         to = arg.section(' ', 1).toDouble();
            for (const Op& op : ops)
                if (op.kind == Op::LineOp && op.color == QColor(128, 0, 0) && op.a.x() >= from &&
                    op.b.x() <= to)
                    pieces << QStringLiteral("%1-%2").arg(op.a.x()).arg(op.b.x());
            return pieces.join(' ');
        }
        if (what == "curve" || what == "curves") {
            const QStringList curve =
                opsOf(Op::LineOp, [](const Op& op) { return op.color == QColor(128, 0, 0); });
            const int k = arg.toInt() < 0 ? curve.size() + arg.toInt() : arg.toInt();
            return what == "curves" ? QString::number(curve.size()) : curve.value(k);
        }
        if (what == "desc")
            return picture()->accessibleDescription();
        if (what == "name") {
            QWidget* c = child(arg);
            const QString about = c->accessibleDescription();
            return c->accessibleName() + (about.isEmpty() ? "" : " | " + about);
        }
        if (what == "reading") {
            auto* drop = w_->findChild<QLineEdit*>("txDp");
            return child<QLineEdit>("txG")->text() + " / " +
                   (drop ? drop : child<QLineEdit>("txQ"))->text();
        }
        if (what == "visible")
            return picture()->IsLineObjectVisible(arg.toInt()) ? "yes" : "no";
        if (what == "open")
            return w_->isVisible() ? "yes" : "no";
        if (what == "state") {
            QString s;
            for (QLineEdit* box : w_->findChildren<QLineEdit*>())
                s += box->text() + '/';
            for (int h = 0; h < 3; ++h)
                s += probe("line", QString::number(h)) + ';';
            return s;
        }
        if (what == "max")
            return QString::number(static_cast<frmQG*>(w_.get())->Max());
        if (what == "cleared")
            return static_cast<frmQG*>(w_.get())->CzyWyczyszczone() ? "yes" : "no";
        if (what == "shown")
            return child(arg)->isVisibleTo(w_.get()) ? "yes" : "no";
        if (what == "checked")
            return child<QAbstractButton>(arg)->isChecked() ? "yes" : "no";
        if (what == "help")
            return w_->findChild<QDialog*>(QStringLiteral("frmPomoc")) ? "open" : "none";
        if (what == "svg") {
            const QByteArray svg =
                testsupport::SaveAs(picture(), widgets::kSaveSvgText, file("chart.svg"));
            return QStringLiteral("%1 polylines %2 texts")
                .arg(svg.count("<polyline"))
                .arg(svg.count("<text"));
        }
        if (what == "progress") {
            auto* bar = child<QProgressBar>("pbObl");
            return QStringLiteral("%1 %2").arg(bar->value()).arg(int(bar->isVisibleTo(w_.get())));
        }
        return "unknown probe " + what;
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void cleanup() {
        w_.reset();
        snap_.clear();
        widgets::PrintPage::SimulateMissingPrinter(false);
    }

    // Each case: its catalogue, the window, then steps and expectations in order.
    void cases_data() {
        QTest::addColumn<Lines>("lines");
        QFile data(QStringLiteral(VARMI_TEST_DATA "/nomograms/windows.txt"));
        QVERIFY(data.open(QIODevice::ReadOnly | QIODevice::Text));
        std::map<QString, std::array<testing_core::ModelValues, 4>> catalogues;
        QString catalogue, name;
        Lines lines;
        auto flush = [&] {
            if (!name.isEmpty())
                QTest::newRow(qPrintable(name)) << lines;
            name.clear();
        };
        for (const QString& raw : QString::fromUtf8(data.readAll()).split('\n')) {
            const QString line = raw.trimmed();
            const QStringList words = line.split(' ', Qt::SkipEmptyParts);
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            if (words[0] == "catalogue") {
                flush();
                catalogue = words.value(1);
            } else if (words[0] == "model") {
                SetValues(catalogues[catalogue], words.mid(1));
            } else if (words[0] == "case") {
                flush();
                name = line.section(' ', 2);
                lines = Lines{"window " + words.value(1)};
                for (const auto& v : catalogues[catalogue]) {
                    QStringList values;
                    for (const auto& [key, field] : kFields)
                        values << key + '=' + QString::number(v.*field, 'g', 17);
                    lines << "model " + values.join(' ');
                }
            } else {
                lines << line;
            }
        }
        flush();
    }
    void cases() {
        QFETCH(Lines, lines);
        std::array<testing_core::ModelValues, 4> models;
        int m = 0;
        for (const QString& line : lines) {
            const QStringList words = line.split(' ', Qt::SkipEmptyParts);
            if (words[0] == "model") {
                SetValues(models, QStringList{QString::number(m++)} + words.mid(1));
                continue;
            }
            if (words[0] == "set") {
                SetValues(models, words.mid(1));
                continue;
            }
            if (words[0] == "window") {
                continue;
            }
            if (!w_) {
                testing_core::UseModels({});
                for (int k = 0; k < 4; ++k)
                    testing_core::SetModel(k, models[k]);
                open(lines[0] == "window hydra");
            }
            if (words[0] == "expect") {
                const QString head = line.left(line.indexOf(" =>"));
                const QString expected = line.mid(head.size() + 3).trimmed();
                const QString got = probe(words.value(1), head.section(' ', 2)).trimmed();
                QVERIFY2(got == (expected == "@snap" ? snap_ : expected),
                         qPrintable(head + "\n   got: " + got + "\n  want: " + expected));
            } else {
                act(words[0], words.value(1), line.section(' ', 2));
            }
            if (QTest::currentTestFailed())
                return;
        }
    }

    // The page of a reading at 110 and 90 °C and x 700 (3.162278 kg/s, 11.2468 kPa), then the same
    // page as the user's PDF, a missing printer, and the heated circuit's page (30 and 100 °C:
    // 26 G, so 11.2468 kPa at 0.432569 kg/s).
    void printedPage() {
        testing_core::ModelValues law; // the hydraulic catalogue's model 0
        law.C1 = 0.2, law.a1 = 1.5, law.b1 = 0.5, law.C2 = 0.4, law.a2 = 1, law.b2 = 1;
        testing_core::SetModel(0, law);
        open(true);
        for (const auto& [verb, arg, rest] : {std::tuple{"enter", "txT1", "110"},
                                              {"enter", "txT2", "90"},
                                              {"press", "700", ""},
                                              {"click", "cmdDruk", ""}})
            act(verb, arg, rest);
        QCOMPARE(messages_, QStringList{QString::fromUtf8(nomograms::kHydraulicPrintSentText)});
        testsupport::PdfProbe pdf(file("page.pdf"));
        QCOMPARE(pdf.PageCount(), 1);
        const QString text = pdf.Text();
        for (const char* expected :
             {"Skarvel Polska Spółka z o.o.", "Wykres zależności oporu przepływu Dp [kPa] od",
              "natężenia przepływu wody G [kg/s]", "Typ wymiennika:", "Typ obiegu:", "woda grzejna",
              "Temperatura weściowa T11 =", "Temperatura wyjściowaT12 =",
              "Wybrane natężenie przepływu =", "3.16 [kg/s]", "Wynikowy opór przepływu =",
              "11.25 [kPa]", "Natężenie przepływu wody G [kg/s]", "Opór przepływu Dp [kPa]"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        // The values stand in one column, the header above the chart's title.
        const auto model = pdf.Find("orv2.14"), flow = pdf.Find("3.16 [kg/s]"),
                   inlet = pdf.Find("110"), drop = pdf.Find("11.25 [kPa]"),
                   title = pdf.Find("Opór przepływu Dp [kPa]");
        QVERIFY(model && flow && inlet && drop && title);
        QVERIFY(qAbs(model->left() - flow->left()) < 1 && qAbs(model->left() - inlet->left()) < 1);
        QVERIFY(drop->bottom() < title->top());
        // Chart units on the page (A4 inside 10 mm margins): x over 538.58 pt, y up over 785.20 pt.
        auto px = [](double x) { return 28.346 + x * 0.538583; };
        auto py = [](double y) { return 28.346 + (1400 - y) * 0.560857; };
        const testsupport::PageImage page = pdf.Render(0, 300);
        // The horizontal reading line at y(11.2468) = 520.41 between the grid's x 100 and 220 is
        // dashed; the grid line at Dp = 10 beside it solid; the vertical one at x 700 dashed (a row
        // of the page turned a quarter clockwise).
        const auto [acrossDark, acrossRuns] = page.Row(py(520.41), px(105), px(215), 0.6);
        QVERIFY(acrossDark > 0.3 && acrossRuns > 3);
        QCOMPARE(page.Row(py(500), px(105), px(215), 0.6).second, 1);
        const testsupport::PageImage turned{page.image.transformed(QTransform().rotate(90)),
                                            page.dpi};
        const double height = page.image.height() * 72.0 / page.dpi;
        const auto [upDark, upRuns] = turned.Row(px(700), height - py(105), height - py(215), 0.6);
        QVERIFY(upDark > 0.3 && upRuns > 3);

        QFile::remove(file("page.pdf"));
        messages_.clear();
        widgets::PrintPage::SimulateMissingPrinter(true);
        testsupport::SaveAs(child("cmdDruk"), widgets::kSavePdfText, file("chart.pdf"));
        QCOMPARE(testsupport::PdfProbe(file("chart.pdf")).Text(), text);
        QCOMPARE(messages_, QStringList());
        act("click", "cmdDruk", "");
        QCOMPARE(messages_, QStringList{QStringLiteral("Wystąpił błąd drukowania")});
        QVERIFY(!QFile::exists(file("page.pdf")));

        widgets::PrintPage::SimulateMissingPrinter(false);
        act("click", "opOgrzewana", "");
        act("click", "cmdDruk", "");
        const QString heated = testsupport::PdfProbe(file("page.pdf")).Text();
        for (const char* expected : {"woda ogrzewana", "Temperatura weściowa T21 =",
                                     "Temperatura wyjściowaT22 =", "0.43 [kg/s]"})
            QVERIFY2(heated.contains(QString::fromUtf8(expected)), expected);
    }

    // A focused chart keeps its colours (a black band, white paper); the focus is shown around it.
    void focusedChartsKeepTheirColours() {
        widgets::ShowFocusAlways(*qApp);
        for (const bool hydraulic : {true, false}) {
            open(hydraulic);
            picture()->setFocus(Qt::TabFocusReason);
            QTRY_VERIFY(widgets::FocusRingOf(picture()));
            const QImage shot = w_->grab().toImage();
            const QPoint at = picture()->pos() + picture()->ToPixel({150, 560}).toPoint();
            QCOMPARE(shot.pixelColor(at), QColor(Qt::white));
            const QPoint beside = picture()->geometry().topLeft() + QPoint(-1, 300);
            QCOMPARE(shot.pixelColor(beside), picture()->palette().color(QPalette::Highlight));
        }
    }

    // At the minimum size and at 95 % of 1024 × 768 and 1920 × 1080 no control overlaps another
    // (a panel label reaches a pixel or two into its own slider's row).
    void layoutAtScreenSizes() {
        for (const bool hydraulic : {true, false}) {
            open(hydraulic);
            QVERIFY(w_->minimumWidth() > 100);
            for (const QSize size : {w_->minimumSize(), QSize(973, 730), QSize(1824, 1026)}) {
                w_->resize(size);
                QWidgetList controls;
                for (QWidget* c : w_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                    if (c->isVisibleTo(w_.get()) && c->objectName() != "varmiFocusRing" &&
                        (!c->inherits("QFrame") || c->inherits("QLabel") ||
                         c->inherits("QLineEdit") || c->inherits("QAbstractSlider") ||
                         c->inherits("QComboBox")))
                        controls << c;
                for (QWidget* a : controls)
                    for (QWidget* b : controls) {
                        const QRect both = a->geometry().intersected(b->geometry());
                        const bool labelOverSlider =
                            (a->inherits("QLabel") && b->inherits("QSlider")) ||
                            (b->inherits("QLabel") && a->inherits("QSlider"));
                        QVERIFY2(a == b || both.isEmpty() ||
                                     (labelOverSlider && both.height() <= 2),
                                 qPrintable(a->objectName() + " / " + b->objectName()));
                    }
            }
        }
    }
};

QTEST_MAIN(NomogramWindowTest)
#include "WindowTest.moc"
