// The two coefficient chart windows and their chart's numbers: the cases of
// tests/data/coefficient_charts.txt, the clearing rule, the help and the captions.
#include "coefficients/frmWskKT.h"
#include "coefficients/frmwsk.h"
#include "panel/OperatingPointPanel.h"
#include "tests/support/Models.h"
#include "tests/support/WindowDriver.h"
#include "widgets/Environment.h"
#include "widgets/PictureBox.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTemporaryDir>

using panel::Field;
using Op = widgets::PictureBox::Op;

namespace {

const QString kData = QStringLiteral(VARMI_TEST_DATA "/coefficient_charts.txt");

QString Describe(const Op& op) {
    if (op.kind == Op::TextOp)
        return QStringLiteral("%1,%2 %3 '%4' %5")
            .arg(op.a.x())
            .arg(op.a.y())
            .arg(op.width)
            .arg(op.text, op.color.name());
    const QString ends =
        QStringLiteral("%1,%2-%3,%4").arg(op.a.x()).arg(op.a.y()).arg(op.b.x()).arg(op.b.y());
    return op.kind == Op::FillRectOp ? ends + ' ' + op.color.name() : ends;
}

} // namespace

class CoefficientWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<coefficients::CoefficientWindow> w_;
    QStringList messages_;

    void open(const QString& name) {
        w_.reset();
        messages_.clear();
        if (name == "frmwsk")
            w_ = std::make_unique<frmwsk>();
        else
            w_ = std::make_unique<frmWskKT>();
        w_->show();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    }
    const std::vector<Op>& ops() const { return w_->Picture()->Operations(); }
    QString state(Field f) const {
        return w_->Panel()->Has(f) ? testsupport::SliderState(w_->Panel(), f) : QString();
    }
    // The picture's operations of one kind, described; lines of that colour and width only.
    QStringList described(Op::Kind kind, const QColor& colour = {}, double width = 0) const {
        QStringList found;
        for (const Op& op : ops())
            if (op.kind == kind &&
                (kind != Op::LineOp || (op.color == colour && op.width == width)))
                found << Describe(op);
        return found;
    }

private slots:
    void initTestCase() {
        // The catalogue of the data file, worked out there.
        testing_core::ModelValues model{.C = 2,
                                        .expGr1 = 1,
                                        .expGr2 = -1,
                                        .expT11 = 1,
                                        .expT22 = -1,
                                        .expP = 1,
                                        .C1 = 0.1,
                                        .a1 = 2,
                                        .C2 = 1.2,
                                        .a2 = 2,
                                        .F = 50};
        testing_core::UseModels(model);
        model.C = 20;
        testing_core::SetModel(0, model);
        QVERIFY(QFile::copy(QStringLiteral(VARMI_HELP_PAGE), dir_.filePath("varmi.html")));
        widgets::SetAppDirectory(dir_.path().toStdString());
        testsupport::RecordMessages(messages_);
    }
    void init() { widgets::SetUserLocale(QLocale::c()); }
    void cleanup() { w_.reset(); }

    void chart_data() { testsupport::AddDataRows(kData, "S"); }
    void chart() {
        QFETCH(QStringList, row);
        const QStringList c = QStringList(QTest::currentDataTag()) + row;
        auto rows = [&](const char* tag) {
            QList<QStringList> found;
            for (const QStringList& r : testsupport::DataRows(kData, tag))
                if (r[0] == c[0])
                    found << r.mid(1);
            return found;
        };
        if (c[2] == "pl")
            widgets::SetUserLocale(QLocale(QLocale::Polish, QLocale::Poland));
        open(c[1]);
        for (const QString& step : c[3].split(';', Qt::SkipEmptyParts)) {
            const QString name = step.section('=', 0, 0).remove('~').remove('@'),
                          value = step.section('=', 1);
            auto* box = w_->findChild<QLineEdit*>("tx" + name);
            if (step == "co") {
                QTest::mouseClick(w_->Panel()->CentralHeatingOption(), Qt::LeftButton);
            } else if (name == "model") {
                QTest::keyClick(w_->Models(), QKeySequence(value)[0].key());
            } else if (step.startsWith('@')) {
                for (QSlider* s : w_->findChildren<QSlider*>())
                    if (s->objectName().compare("sl" + name, Qt::CaseInsensitive) == 0)
                        s->setValue(value.toInt());
            } else {
                box->setFocus();
                box->selectAll();
                QTest::keyClicks(box, value);
                if (!step.startsWith('~'))
                    QTest::keyClick(box, Qt::Key_Return);
            }
        }
        if (c[4] == "1")
            testsupport::ClickButton(w_.get(), "cmdLicz");
        QCOMPARE(messages_.join(" | "), rows("M").value(0).value(0));
        QCOMPARE(w_->CzyWyczyszczone(), c[5] == "1");
        const QStringList bands = described(Op::FillRectOp), texts = described(Op::TextOp);
        const QStringList required = described(Op::LineOp, QColor(0, 0, 128), 2);
        const QStringList operating = described(Op::LineOp, QColor(128, 0, 0), 2);
        QCOMPARE(QStringList({QString::number(bands.size()), QString::number(texts.size()),
                              QString::number(required.size()), QString::number(operating.size())}),
                 rows("N").value(0) << rows("N").value(0).value(2));
        for (const QStringList& p : rows("P"))
            QCOMPARE(state(Field::T21) + "; " + state(Field::T12) + "; " + state(Field::T22), p[0]);
        auto at = [](const QStringList& list, const QString& index) {
            return list.value(index.toInt() < 0 ? list.size() + index.toInt() : index.toInt());
        };
        for (const QStringList& f : rows("F"))
            QCOMPARE(at(bands, f[0]), f[1]);
        for (const QStringList& t : rows("T")) {
            const QString got = at(texts, t[0]);
            QCOMPARE(t[1].startsWith('*') ? got.section(',', 1) : got,
                     t[1].section(',', t[1].startsWith('*') ? 1 : 0));
        }
        for (const QStringList& s : rows("C"))
            QCOMPARE(at(required, s[0]) + '|' + at(operating, s[0]), s[1] + '|' + s[2]);
        if (ops().empty())
            return;
        // Bands, then the grid of 11 lines each way at 100, 180, ..., 900, then the curves.
        QStringList grid;
        for (int p = 100; p <= 900; p += 80)
            grid << QStringLiteral("100,%1-900,%1").arg(p)
                 << QStringLiteral("%1,100-%1,900").arg(p);
        QCOMPARE(described(Op::LineOp, Qt::black, 1).mid(0, 22), grid);
        QVERIFY(ops().front().kind == Op::FillRectOp && ops().back().width == 2);
    }

    void samples_data() { testsupport::AddDataRows(kData, "X"); }
    void samples() {
        QFETCH(QStringList, row);
        const QStringList& c = row;
        auto pairs = [](const QString& field) { return field.split(' ', Qt::SkipEmptyParts); };
        int calls = 0;
        const std::optional<coefficients::Chart> chart =
            coefficients::ComputeChart({0, coefficients::kLastSample}, [&](double abscissa) {
                const int i = static_cast<int>(std::lround(abscissa));
                ++calls;
                coefficients::Evaluation e{0.25, 0.5, 0};
                for (const QString& n : pairs(c[0]))
                    e.count =
                        i >= n.section(':', 0, 0).toInt() ? n.section(':', 1).toInt() : e.count;
                for (const QString& v : pairs(c[1]))
                    if (v.section(':', 0, 0).toInt() == i)
                        e = {v.section(':', 1, 1).toDouble(), v.section(':', 2).toDouble(),
                             e.count};
                return e;
            });
        QCOMPARE(calls, c[7].toInt()); // the second pass reuses the first pass's evaluations
        QCOMPARE(chart.has_value(), calls == coefficients::kSampleCount);
        if (!chart)
            return;
        QStringList bands, pieces;
        for (const coefficients::Band& b : chart->bands)
            bands << QStringLiteral("%1-%2:%3").arg(b.x1).arg(b.x2).arg(b.n);
        QCOMPARE(bands, pairs(c[2]));
        QVERIFY(std::abs(chart->min - c[4].toDouble()) < 1e-12 &&
                std::abs(chart->max - c[5].toDouble()) < 1e-12);
        QCOMPARE(chart->required.size(), chart->operating.size());
        QMap<int, QString> heights;
        for (std::size_t k = 0; k < chart->required.size(); ++k) {
            const coefficients::Segment &r = chart->required[k], &o = chart->operating[k];
            QVERIFY(r.from.x == o.from.x && r.to.x == o.to.x && r.to.x == r.from.x + 1);
            if (!pieces.isEmpty() && pieces.last().endsWith(QStringLiteral("-%1").arg(r.from.x)))
                pieces.last() =
                    pieces.last().section('-', 0, 0) + QStringLiteral("-%1").arg(r.to.x);
            else
                pieces << QStringLiteral("%1-%2").arg(r.from.x).arg(r.to.x);
            heights[r.from.x] =
                QStringLiteral("%1:%2:%3").arg(r.from.x).arg(r.from.y).arg(o.from.y);
            heights[r.to.x] = QStringLiteral("%1:%2:%3").arg(r.to.x).arg(r.to.y).arg(o.to.y);
        }
        QCOMPARE(pieces, pairs(c[3]));
        for (const QString& h : pairs(c[6]))
            QCOMPARE(heights.value(h.section(':', 0, 0).toInt()), h);
    }

    // T12 from T21 + 5 to T11 − 10, or low .. low + 1 when that is empty; a negative axis.
    void sweeps() {
        const int sweeps[][4] = {
            {75, 150, 80, 140}, {143, 150, 148, 149}, {135, 150, 140, 140}, {199, 150, 204, 205}};
        for (const auto& s : sweeps)
            QCOMPARE(QPointF(coefficients::OutletSweep(s[0], s[1]).low,
                             coefficients::OutletSweep(s[0], s[1]).high),
                     QPointF(s[2], s[3]));
        QCOMPARE(coefficients::kHeatOutputSweep.At(1), 11.2375); // 1 / 800 · 990 + 10
        const coefficients::TickLabels negative = {"-0.5", "-0.35", "-0.2", "-0.05", "0.1", "0.25",
                                                   "0.4",  "0.55",  "0.7",  "0.85",  "1."};
        QVERIFY(coefficients::CoefficientLabels(-0.5, 1, '.') == negative);
        QCOMPARE(coefficients::BandLabel(12, coefficients::CountStyle::Printed),
                 std::string(" 12"));
        QCOMPARE(coefficients::BandLabel(100, coefficients::CountStyle::Digits),
                 std::string("100"));
    }

    // A model or purpose change clears the chart once; the calculate button paints over what is
    // there.
    void changeClearsOnce() {
        open("frmwsk");
        QTest::keyClick(w_->Models(), Qt::Key_Down);
        QVERIFY(ops().empty() && w_->Models()->currentText() == "orv3.55");
        const QPointF mark(1, 1);
        w_->Picture()->Line(mark, mark, Qt::green);
        QTest::mouseClick(w_->Panel()->CentralHeatingOption(), Qt::LeftButton);
        QTest::keyClick(w_->Models(), Qt::Key_Up);
        QCOMPARE(ops().size(), std::size_t(1));
        testsupport::ClickButton(w_.get(), "cmdLicz");
        QVERIFY(ops().size() > 1 && ops().front().a == mark);
    }

    void helpAndCaptions() {
        for (const QString name : {"frmwsk", "frmWskKT"}) {
            open(name);
            testsupport::CompareCaptions(w_.get(), VARMI_TEST_DATA "/captions.txt");
            name == "frmwsk" ? testsupport::ClickButton(w_.get(), "cmdOpis")
                             : QTest::keyClick(w_.get(), Qt::Key_F1);
            auto* help = w_->findChild<QDialog*>(QStringLiteral("frmPomoc"));
            QVERIFY(help != nullptr && help->isVisible());
        }
        QCOMPARE(messages_, QStringList());
    }
};

QTEST_MAIN(CoefficientWindowTest)
#include "WindowTest.moc"
