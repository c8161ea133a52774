// The two nomogram windows on the offscreen platform, driven by the cases of
// tests/data/nomograms/windows.txt (its head says how they are written), and the layout and
// focused colours at real screen sizes.
#include "nomograms/HydraulicPrintout.h"
#include "nomograms/frmHydra.h"
#include "nomograms/frmQG.h"
#include "tests/support/Models.h"
#include "tests/support/PdfProbe.h"
#include "tests/support/WindowDriver.h"
#include "widgets/ChartExport.h"
#include "widgets/Environment.h"
#include "widgets/FocusRing.h"
#include "widgets/PictureBox.h"
#include "widgets/PrintPage.h"
#include "widgets/SaveFile.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <map>
#include <memory>

using Op = widgets::PictureBox::Op;

class NomogramWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<nomograms::ChartWindow> w_;
    QStringList messages_;
    QString snap_;

    template <typename T = QWidget> T* child(const QString& name) const {
        T* c = w_->findChild<T*>(name);
        return c ? c : (qFatal("no control %s", qPrintable(name)), nullptr);
    }
    widgets::PictureBox* picture() const { return w_->findChild<widgets::PictureBox*>(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    frmQG* qg() const { return static_cast<frmQG*>(w_.get()); }
    static QString Ends(const Op& op) {
        return QString::asprintf("(%.3f, %.3f)-(%.3f, %.3f)", op.a.x(), op.a.y(), op.b.x(),
                                 op.b.y());
    }

    void open(bool hydraulic) {
        widgets::SetUserLocale(QLocale::c());
        widgets::SetAppDirectory(dir_.path().toStdString());
        messages_.clear();
        testsupport::RecordMessages(messages_);
        widgets::PrintPage::RedirectToPdf(file("page.pdf"));
        widgets::PrintPage::SimulateMissingPrinter(false);
        QFile::remove(file("page.pdf"));
        w_.reset(hydraulic ? static_cast<nomograms::ChartWindow*>(new frmHydra) : new frmQG);
        w_->show();
        w_->resize(1024, 768); // one chart unit is 0.8 pixel across
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    }
    // An event on the chart at abscissa x: a press or move with `buttons`, a release or a wheel.
    void send(const QString& kind, double x, Qt::MouseButtons buttons) {
        const QPointF at = picture()->ToPixel({x, 500}), global = picture()->mapToGlobal(at);
        const Qt::MouseButton button = Qt::MouseButton(int(buttons));
        std::unique_ptr<QEvent> e;
        if (kind == "press" || kind == "drag")
            e = std::make_unique<QMouseEvent>(
                kind == "press" ? QEvent::MouseButtonPress : QEvent::MouseMove, at, global,
                kind == "press" ? button : Qt::NoButton, buttons, Qt::NoModifier);
        else if (kind == "release")
            e = std::make_unique<QMouseEvent>(QEvent::MouseButtonRelease, at, global,
                                              Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        else
            e = std::make_unique<QWheelEvent>(at, global, QPoint(), QPoint(0, 120), Qt::LeftButton,
                                              Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(picture(), e.get());
    }

    void act(const QString& verb, const QString& arg, const QString& rest) {
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
        } else if (verb == "choose") { // picked from the model list
            child<QComboBox>("cmbWymienniki")->setCurrentIndex(arg.toInt());
            emit child<QComboBox>("cmbWymienniki")->activated(arg.toInt());
        } else if (verb == "slider") {
            child<QSlider>(arg)->setValue(rest.toInt()); // as the user leaves it
        } else if (verb == "press" || verb == "drag" || verb == "event") {
            send(verb == "event" ? arg : verb, verb == "event" ? 700 : arg.toDouble(),
                 Qt::MouseButtons(rest.isEmpty() ? 1 : rest.toInt()));
        } else if (verb == "keys") {
            picture()->setFocus(Qt::TabFocusReason);
            for (const QString& k : (arg + ' ' + rest).split(' ', Qt::SkipEmptyParts))
                QTest::keyClick(picture(), QKeySequence::fromString(k)[0].key());
        } else if (verb == "locale") {
            widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        } else if (verb == "snap") {
            snap_ = probe("state", {});
        } else if (verb == "help") {
            QFile page(file("varmi.html"));
            QVERIFY(page.open(QIODevice::WriteOnly) && page.write("<p>pomoc</p>") > 0);
        } else if (verb == "savecase" || verb == "opencase") {
            const QString path = file(arg);
            widgets::SetSaveFileHandler([path](const widgets::SaveRequest&) { return path; });
            widgets::SetOpenFileHandler([path](const widgets::SaveRequest&) { return path; });
            child<QAction>(verb == "savecase" ? "actZapiszDane" : "actOtworzDane")->trigger();
        } else if (verb == "writefile") {
            QFile f(file(arg));
            QVERIFY(f.open(QIODevice::WriteOnly) &&
                    f.write(rest.toUtf8().replace("\\n", "\n")) > 0);
        } else if (verb == "noprinter") {
            widgets::PrintPage::SimulateMissingPrinter(true);
        } else if (verb == "savepdf") {
            testsupport::SaveAs(child("cmdDruk"), widgets::kSavePdfText, file("chart.pdf"));
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
                                  : Ends(op) + ' ' + op.color.name() +
                                        (kind == Op::LineOp ? ' ' + QString::number(op.width)
                                                            : QString()));
            return found;
        };
        const QString first = arg.section(' ', 0, 0), second = arg.section(' ', 1);
        if (what == "text") { // a box's or label's, the model list's, or the window's title
            auto* combo = arg == "window" ? nullptr : qobject_cast<QComboBox*>(child(arg));
            return arg == "window" ? w_->windowTitle()
                   : combo         ? QStringLiteral("%1 of %2, last %3")
                                 .arg(combo->currentText())
                                 .arg(combo->count())
                                 .arg(combo->itemText(combo->count() - 1))
                           : child(arg)->property("text").toString();
        }
        if (what == "slider") {
            const auto* s = child<QSlider>(arg);
            return QString::asprintf("%d..%d at %d", s->minimum(), s->maximum(), s->value());
        }
        if (what == "line") {
            const Op& op = picture()->LineObject(arg.toInt());
            return picture()->IsLineObjectVisible(arg.toInt())
                       ? Ends(op) + QStringLiteral(" %1 %2").arg(op.color.name()).arg(op.width)
                       : QStringLiteral("hidden");
        }
        if (what == "file") { // line ends as \n, the byte order mark as <BOM>
            QFile f(file(arg));
            const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : "missing";
            return QString::fromUtf8(QByteArray(bytes).replace("\xEF\xBB\xBF", "<BOM>"))
                .replace("\r\n", "\\n");
        }
        if (what == "messages") // since the last look; the first ones alone with a count
            return std::exchange(messages_, {})
                .mid(0, arg.isEmpty() ? -1 : arg.toInt())
                .join(" | ")
                .replace("\r\n", "\\r\\n");
        if (what == "ops") { // runs of Lines, Fills and Texts in order, and the texts' fonts
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
        if (what == "labels") // the band counts
            return opsOf(Op::TextOp, [](const Op& op) { return op.a.y() == 950 && op.width == 10; })
                .join(' ');
        const QStringList curve =
            opsOf(Op::LineOp, [](const Op& op) { return op.color == QColor(128, 0, 0); });
        if (what == "curve")
            return curve.value(arg.toInt() < 0 ? curve.size() + arg.toInt() : arg.toInt());
        if (what == "name") {
            const QString about = child(arg)->accessibleDescription();
            return child(arg)->accessibleName() + (about.isEmpty() ? "" : " | " + about);
        }
        if (what == "reading") {
            auto* drop = w_->findChild<QLineEdit*>("txDp");
            return child<QLineEdit>("txG")->text() + " / " +
                   (drop ? drop : child<QLineEdit>("txQ"))->text();
        }
        if (what == "state") {
            QString s;
            for (QLineEdit* box : w_->findChildren<QLineEdit*>())
                s += box->text() + '/';
            return s + probe("line", "0") + probe("line", "1") + probe("line", "2");
        }
        if (what == "svg") {
            const QByteArray svg =
                testsupport::SaveAs(picture(), widgets::kSaveSvgText, file("chart.svg"));
            return QStringLiteral("%1 polylines %2 texts")
                .arg(svg.count("<polyline"))
                .arg(svg.count("<text"));
        }
        const testsupport::PdfProbe page(file("page.pdf"));
        const auto a = page.Find(first), b = page.Find(second);
        if (what == "page") // a text on the printed page
            return page.PageCount() == 1 && page.Text().contains(arg) ? "yes" : "no";
        if (what == "column") // two texts begin in one column
            return a && b && qAbs(a->left() - b->left()) < 1 ? "yes" : "no";
        if (what == "above")
            return a && b && a->bottom() < b->top() ? "yes" : "no";
        if (what ==
            "dashes") { // ink runs along a page row (chart y, x0, x1) or column (up x, y0, y1)
            const bool up = arg.startsWith("up");
            const QStringList n = arg.split(' ').mid(up);
            testsupport::PageImage image = page.Render(0, 300);
            const double height = image.image.height() * 72.0 / image.dpi;
            auto px = [](double x) { return 28.346 + x * 0.538583; }; // A4, 10 mm margins
            auto py = [](double y) { return 28.346 + (1400 - y) * 0.560857; };
            auto along = [&](int k) {
                return up ? height - py(n[k].toDouble()) : px(n[k].toDouble());
            };
            if (up) // a column of the page is a row of the page turned a quarter clockwise
                image.image = image.image.transformed(QTransform().rotate(90));
            const auto [dark, runs] =
                image.Row(up ? px(n[0].toDouble()) : py(n[0].toDouble()), along(1), along(2), 0.6);
            return dark > 0.3 ? QString::number(std::min(runs, 4)) : "none";
        }
        if (what == "pdf")
            return testsupport::PdfProbe(file("chart.pdf")).Text() == page.Text() ? "same"
                                                                                  : "differs";
        const std::map<QString, std::function<bool()>> flags = {
            {"visible", [&] { return picture()->IsLineObjectVisible(arg.toInt()); }},
            {"open", [&] { return w_->isVisible(); }},
            {"cleared", [&] { return qg()->CzyWyczyszczone(); }},
            {"shown", [&] { return child(arg)->isVisibleTo(w_.get()); }},
            {"checked", [&] { return child<QAbstractButton>(arg)->isChecked(); }},
            {"printed", [&] { return QFile::exists(file("page.pdf")); }},
            {"help",
             [&] { return w_->findChild<QDialog*>(QStringLiteral("frmPomoc")) != nullptr; }}};
        if (flags.count(what))
            return flags.at(what)() ? "yes" : "no";
        if (what == "focus")
            return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
        if (what == "max")
            return QString::number(qg()->Max());
        return "unknown probe " + what;
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void cleanup() { w_.reset(); }

    // Each case: its catalogue's rows, the window, then steps and expectations in order.
    void cases_data() {
        QTest::addColumn<QStringList>("lines");
        QFile data(QStringLiteral(VARMI_TEST_DATA "/nomograms/windows.txt"));
        QVERIFY(data.open(QIODevice::ReadOnly | QIODevice::Text));
        std::map<QString, QStringList> catalogues;
        QString catalogue;
        QStringList lines;
        const QStringList rows = QString::fromUtf8(data.readAll()).split('\n') << "case";
        for (const QString& raw : rows) {
            const QString line = raw.trimmed();
            const QString verb = line.section(' ', 0, 0);
            if (verb == "catalogue" || verb == "case") {
                if (!lines.isEmpty())
                    QTest::newRow(qPrintable(lines[0].section(' ', 2))) << lines;
                lines.clear();
                if (verb == "catalogue")
                    catalogue = line.section(' ', 1);
                else
                    lines << line << catalogues[catalogue];
            } else if (verb == "model") {
                catalogues[catalogue] << "set " + line.section(' ', 1);
            } else if (!line.isEmpty() && !line.startsWith('#') && !lines.isEmpty()) {
                lines << line;
            }
        }
    }
    void cases() {
        QFETCH(QStringList, lines);
        testing_core::UseModels({});
        for (const QString& line : lines.mid(1)) {
            const QStringList words = line.split(' ', Qt::SkipEmptyParts);
            if (words[0] == "set") { // "set M row=value ...": the catalogue's rows of model M
                kod::ParamTableType table = kod::ParamTable;
                for (const QString& w : words.mid(2))
                    table.at(w.section('=', 0, 0).toInt()).at(words[1].toInt() + 2) =
                        w.section('=', 1).toStdString();
                kod::SetCatalogue(table, kod::ParamSeries);
                continue;
            }
            if (!w_)
                open(lines[0].section(' ', 1, 1) == "hydra");
            const QString head = line.left(line.indexOf(" =>"));
            if (words[0] == "expect") {
                const QString expected = line.mid(head.size() + 3).trimmed();
                const QString got = probe(words.value(1), head.section(' ', 2)).trimmed();
                QVERIFY2(got == (expected == "@snap" ? snap_ : expected),
                         qPrintable(head + "\n   got: " + got + "\n  want: " + expected));
            } else {
                act(words[0], words.value(1), line.section(' ', 2));
            }
        }
    }

    // At the minimum size and at 95 % of 1024 × 768 and 1920 × 1080 no control overlaps another
    // (a panel label reaches a pixel or two into its own slider's row) nor the chart's focus frame,
    // the panel's frames only what they enclose;
    // the focused chart keeps its colours, its frame drawn around it.
    void layoutAndFocusAtScreenSizes() {
        widgets::ShowFocusAlways(*qApp);
        for (const bool hydraulic : {true, false}) {
            open(hydraulic);
            if (!hydraulic) // the grid is drawn with the chart
                act("click", "cmdLicz", "");
            QVERIFY(w_->minimumWidth() > 100);
            for (const QSize size : {w_->minimumSize(), QSize(973, 730), QSize(1824, 1026)}) {
                w_->resize(size);
                picture()->setFocus(Qt::TabFocusReason);
                QTRY_VERIFY(widgets::FocusRingOf(picture()));
                const QImage shot = w_->grab().toImage();
                QCOMPARE(
                    shot.pixelColor(picture()->pos() + picture()->ToPixel({50, 560}).toPoint()),
                    QColor(Qt::white));
                QCOMPARE(shot.pixelColor(picture()->pos() + QPoint(-1, 300)),
                         picture()->palette().color(QPalette::Highlight));
                // The flow label .8 keeps to its room before .9 (x 451.236 + 17.461 of 20.461,
                // y 85..60).
                const QPointF eight = picture()->ToPixel({451.236, 85});
                for (int x = picture()->ToPixel({468.697, 85}).x() + 1;
                     x < picture()->ToPixel({471.697, 85}).x(); ++x)
                    for (int y = eight.y(); y < picture()->ToPixel({0, 60}).y(); ++y)
                        QVERIFY(qGray(shot.pixel(picture()->pos() + QPoint(x, y))) > 160);
                QWidgetList controls;
                for (QWidget* c : w_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                    if (c->isVisibleTo(w_.get()) && c != widgets::FocusRingOf(picture()) &&
                        (!c->inherits("QFrame") || c->inherits("QLabel") ||
                         c->objectName().startsWith("rm")))
                        controls << c;
                auto place = [this](QWidget* c) {
                    return c == picture() ? c->geometry().adjusted(-2, -2, 2, 2) : c->geometry();
                };
                // A frame overlaps only what it wholly encloses.
                auto encloses = [&place](QWidget* frame, QWidget* c) {
                    return frame->objectName().startsWith("rm") && place(frame).contains(place(c));
                };
                for (QWidget* a : controls)
                    for (QWidget* b : controls) {
                        const QRect both = place(a).intersected(place(b));
                        const bool labelOverSlider =
                            a->inherits("QLabel") != b->inherits("QLabel") &&
                            a->inherits("QSlider") != b->inherits("QSlider");
                        QVERIFY2(a == b || both.isEmpty() || encloses(a, b) || encloses(b, a) ||
                                     (labelOverSlider && both.height() <= 2),
                                 qPrintable(a->objectName() + " / " + b->objectName()));
                    }
            }
        }
    }
};

QTEST_MAIN(NomogramWindowTest)
#include "WindowTest.moc"
