#include "nomograms/frmHydra.h"

#include "core/Catalogue.h"
#include "core/Numbers.h"
#include "nomograms/ChartGrid.h"
#include "nomograms/HydraulicPrintout.h"
#include "panel/CaseFile.h"
#include "panel/OperatingPointPanel.h"
#include "widgets/AccessibleNames.h"
#include "widgets/Environment.h"
#include "widgets/LogicalLayout.h"
#include "widgets/MessageBox.h"
#include "widgets/PictureBox.h"
#include "widgets/PictureButton.h"
#include "widgets/ReportOutput.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSlider>
#include <cmath>

using namespace nomograms;

namespace {

const QColor kCharacteristicColour(255, 0, 0);
const QColor kReadingColour(0, 0, 255);

// Slider ranges and positions of the two circuits: inlet, then outlet.
struct CircuitSliders {
    int inMin, inMax, inValue, outMin, outMax, outValue;
};
constexpr CircuitSliders kHeatingSliders{10, 210, 100, 1, 100, 60};
constexpr CircuitSliders kHeatedSliders{1, 200, 30, 31, 205, 100};
constexpr int kHeatedOutletMax = 205;

} // namespace

frmHydra::frmHydra(QWidget* parent)
    : ChartWindow(QStringLiteral("frmHydra"), QStringLiteral("Wykresy hydrauliczne"), parent) {
    CreateControls();
    // The case's columns are the circuit's as the window shows them: T11, T12 or T21, T22.
    auto columns = [this] { return Heating() ? std::pair("t11", "t12") : std::pair("t21", "t22"); };
    panel::AddCaseActions(
        this,
        [this, columns](const QString& name) {
            const auto [inlet, outlet] = columns();
            return panel::CaseTable(
                name,
                {{QString::fromLatin1(inlet).toUpper(), panel::ParseNumber(txT1_->text())},
                 {QString::fromLatin1(outlet).toUpper(), panel::ParseNumber(txT2_->text())}},
                std::nullopt);
        },
        [this, columns](const panel::CaseRow& row) {
            auto text = [&row](const char* column) -> std::optional<QString> {
                const auto it = row.find(column);
                return it == row.end() ? std::nullopt : std::optional(panel::BoxText(it->second));
            };
            const auto [inlet, outlet] = columns();
            ApplyTemperatures(text(inlet), text(outlet));
        });

    DrawLogGrid(*picHydra_, kOrigin, kSide, HydraulicScreenGrid());
    lHydra_ = picHydra_->AddLineObject(kCharacteristicColour, 3);
    lg_ = picHydra_->AddLineObject(kReadingColour, 2);
    lp_ = picHydra_->AddLineObject(kReadingColour, 2);
    RysujHydre();
    widgets::ApplyAccessibleNames(this);
    SetMinimumSize();
}

frmHydra::~frmHydra() = default;

void frmHydra::CreateControls() {
    auto label = [this](const char* name, const QString& text, double left, double top,
                        double width, const QString& tip = {}) {
        return AddLabel(name, text, {left, top, width, 28}, tip);
    };
    auto box = [this](const char* name, double left, double top, const QString& tip) {
        return AddBox(name, {left, top, 80, 30}, tip);
    };
    auto slider = [this](const char* name, double top, const QString& tip) {
        auto* s = new QSlider(Qt::Horizontal, this);
        s->setObjectName(QString::fromLatin1(name));
        s->setToolTip(tip);
        s->setPageStep(10);
        Layout()->Place(s, 820, top, 190, 35);
        return s;
    };

    picHydra_ =
        AddPicture(QStringLiteral("picHydra"), QStringLiteral("wykres oporów hydraulicznych"),
                   QStringLiteral("wykres_hydrauliczny"));

    label("etTyp", QStringLiteral("Typ wymiennika:"), 820, 760, 190,
          QStringLiteral("Wybierz poniżej typ wymiennika"));
    cmbWymienniki_ = AddModelList({820, 720, 150, 30});

    label("etObieg", QStringLiteral("Obieg wody:"), 820, 660, 190,
          QStringLiteral("Wybierz poniżej obieg woy: grzejna lub ogrzewana"));
    auto option = [this](const char* name, const QString& text, double top, const QString& tip) {
        auto* o = new QRadioButton(text, this);
        o->setObjectName(QString::fromLatin1(name));
        o->setToolTip(tip);
        Layout()->Place(o, 820, top, 190, 30);
        connect(o, &QRadioButton::clicked, this, [this, o] { CircuitClicked(o); });
        return o;
    };
    opGrzejna_ = option("opGrzejna", QStringLiteral("woda grzejna"), 630,
                        QStringLiteral("Wybór wody grzejnej"));
    opOgrzewana_ = option("opOgrzewana", QStringLiteral("woda ogrzewana"), 590,
                          QStringLiteral("Wybór wody ogrzewanej"));
    opGrzejna_->setChecked(true);

    label("etTempWej", QStringLiteral("Temperatura wejściowa"), 820, 530, 190);
    etT1_ = label("etT1", QStringLiteral("T11 ="), 820, 490, 55);
    txT1_ = box("txT1", 880, 500, QStringLiteral("temperatura wejściowa"));
    slT1_ = slider("slT1", 440, QStringLiteral("zmiana temperatury wejściowej"));
    label("etTempWyj", QStringLiteral("Temperatura wyjściowa"), 820, 360, 190);
    etT2_ = label("etT2", QStringLiteral("T12 ="), 820, 320, 55);
    txT2_ = box("txT2", 880, 330, QStringLiteral("temperatura wyjściowa"));
    slT2_ = slider("slT2", 270, QStringLiteral("zmiana temperatury wyjściowej"));
    SetSliderRange(slT1_, 10, 210);
    SetSlider(slT1_, 100);
    SetSliderRange(slT2_, 1, 200);
    SetSlider(slT2_, 60);
    txT1_->setText(QStringLiteral("100"));
    txT2_->setText(QStringLiteral("60"));

    label("etG", QStringLiteral("Natęzenie przepływu"), 820, 190, 90);
    txG_ = box("txG", 915, 195, QStringLiteral("Wartość natężenia przepływu wody z wykresu"));
    label("etDp", QStringLiteral("Opór przepływu"), 820, 140, 90);
    txDp_ = box("txDp", 915, 145, QStringLiteral("Wartość oporu przepływu z wykresu"));

    // Clicking a button takes the focus, so a temperature being typed is checked first.
    cmdDruk_ = AddButton("cmdDruk", "print", QStringLiteral("Wydruk wykresu oporów hydraulicznych"),
                         840, Qt::StrongFocus);
    cmdExit_ =
        AddButton("cmdExit", "exit", QStringLiteral("wyjście z okna wykresów hydraulicznych"), 940,
                  Qt::StrongFocus);

    connect(cmbWymienniki_, &QComboBox::activated, this, &frmHydra::RysujHydre);
    for (QLineEdit* b : {txT1_, txT2_}) {
        b->installEventFilter(this);
        connect(b, &QLineEdit::textEdited, this, [this, b] { TemperatureEdited(b); });
    }
    connect(slT1_, &QSlider::valueChanged, this, [this] {
        if (programmatic_ == 0)
            InletSliderMoved();
    });
    connect(slT2_, &QSlider::valueChanged, this, [this] {
        if (programmatic_ == 0)
            OutletSliderMoved();
    });
    connect(cmdDruk_, &QToolButton::clicked, this, &frmHydra::cmdDruk_Click);
    connect(cmdExit_, &QToolButton::clicked, this, &QDialog::reject);
    widgets::AddPdfExport(cmdDruk_, QStringLiteral("wykres_hydrauliczny.pdf"),
                          [this](const widgets::PageTarget& target) { PrintTo(target); });
    Layout()->OrderTabsByRows(picHydra_);
}

bool frmHydra::Heating() const {
    return opGrzejna_->isChecked();
}

void frmHydra::SetSlider(QSlider* slider, int value) {
    ++programmatic_;
    slider->setValue(value); // a value outside the range leaves the slider at its nearest end
    --programmatic_;
}

void frmHydra::SetSliderRange(QSlider* slider, int min, int max) {
    ++programmatic_;
    slider->setRange(min, max);
    --programmatic_;
}

void frmHydra::RysujHydre() {
    const int m = cmbWymienniki_->currentIndex();
    if (m < 0)
        return;
    const auto T1 = kod::RoundHalfEven16(panel::ParseNumber(txT1_->text()));
    const auto T2 = kod::RoundHalfEven16(panel::ParseNumber(txT2_->text()));
    const Characteristic c = CharacteristicEnds(T1, T2, m, Heating(), dpw_, gw_);
    const Segment line = CharacteristicLine(c);
    const bool drawable = line.IsFinite();
    if (drawable)
        picHydra_->MoveLineObject(lHydra_, {line.x1, line.y1}, {line.x2, line.y2});
    picHydra_->SetLineObjectVisible(lHydra_, drawable);
    RysujWybrane();
}

void frmHydra::RysujWybrane() {
    // The reading shows the law's values; its lines end at the chart's edges.
    const bool shown =
        std::isfinite(gw_) && std::isfinite(dpw_) && picHydra_->IsLineObjectVisible(lHydra_);
    ShowClipped(picHydra_, lp_, shown ? DropReadingLine(gw_, dpw_) : Segment{});
    ShowClipped(picHydra_, lg_, shown ? FlowReadingLine(gw_, dpw_) : Segment{});
    const ReadingTexts texts = HydraulicReadingTexts(gw_, dpw_, shown);
    txG_->setText(texts.flow);
    txDp_->setText(texts.drop);
    picHydra_->setAccessibleDescription(
        QStringLiteral("G = %1 kg/s, Dp = %2 kPa").arg(txG_->text(), txDp_->text()));
}

void frmHydra::PickFlow(double x) {
    const int m = cmbWymienniki_->currentIndex();
    if (m < 0 || !picHydra_->IsLineObjectVisible(lHydra_))
        return;
    const widgets::PictureBox::Op& line = picHydra_->LineObject(lHydra_);
    const auto reading =
        nomograms::PickFlow(x, line.a.x(), line.b.x(), panel::ParseNumber(txT1_->text()),
                            panel::ParseNumber(txT2_->text()), m, Heating());
    if (!reading)
        return;
    gw_ = reading->gw;
    dpw_ = reading->dpw;
    RysujWybrane();
}

void frmHydra::CircuitClicked(QRadioButton* option) {
    if (option->isChecked()) {
        const bool heating = option == opGrzejna_;
        etT1_->setText(heating ? QStringLiteral("T11 =") : QStringLiteral("T21 ="));
        etT2_->setText(heating ? QStringLiteral("T12 =") : QStringLiteral("T22 ="));
        const CircuitSliders& s = heating ? kHeatingSliders : kHeatedSliders;
        SetSliderRange(slT1_, s.inMin, s.inMax);
        SetSlider(slT1_, s.inValue);
        SetSliderRange(slT2_, s.outMin, s.outMax);
        SetSlider(slT2_, s.outValue);
        slT1_->update();
        slT2_->update();
        txT1_->setText(QString::number(slT1_->value()));
        txT2_->setText(QString::number(slT2_->value()));
    }
    RysujHydre();
}

// The outlet slider stays below the inlet's for the heating water and above it for the heated;
// an outlet equal to the inlet is moved too, as the new range leaves no room for it.
void frmHydra::CoupleOutletSlider() {
    const int inlet = slT1_->value();
    if (Heating()) {
        if (slT2_->value() >= inlet) {
            SetSlider(slT2_, inlet - 1);
            txT2_->setText(QString::number(slT2_->value()));
        }
        SetSliderRange(slT2_, 1, inlet - 1);
    } else {
        if (slT2_->value() <= inlet) {
            SetSlider(slT2_, inlet + 1);
            txT2_->setText(QString::number(slT2_->value()));
        }
        SetSliderRange(slT2_, inlet + 1, kHeatedOutletMax);
    }
    // The box may hold a value the slider could not reach before (the outlet's check rounds the
    // inlet's text, the range uses its slider): the slider follows it as far as it can now.
    SetSlider(slT2_, kod::RoundHalfEven32(panel::ParseNumber(txT2_->text())));
}

void frmHydra::InletSliderMoved() {
    txT1_->setText(QString::number(slT1_->value()));
    CoupleOutletSlider();
    slT2_->update();
    RysujHydre();
}

void frmHydra::OutletSliderMoved() {
    txT2_->setText(QString::number(slT2_->value()));
    RysujHydre();
}

void frmHydra::TemperatureMessage(QLineEdit* box, const QString& text) {
    widgets::ShowMessage(this, text);
    box->setFocus();
}

void frmHydra::TemperatureEdited(QLineEdit* box) {
    if (busy_ || panel::IsNumberText(box->text()))
        return;
    const QScopedValueRollback busy(busy_, true);
    TemperatureMessage(box, QStringLiteral("temperatura musi być liczbą"));
}

// The check of sprT1 and sprT2: a value within the range moves the slider (to its nearest end when
// the value lies outside the slider's range); otherwise the message, and the box keeps the focus.
bool frmHydra::CheckTemperature(QLineEdit* box, const QLabel* caption, QSlider* slider,
                                TemperatureRange range) {
    const double t = panel::ParseNumber(box->text());
    if (!range.Contains(t)) {
        TemperatureMessage(box,
                           widgets::Q(RangeMessage(widgets::S(caption->text().left(3)), range)));
        return false;
    }
    SetSlider(slider, kod::RoundHalfEven32(t));
    slider->update();
    return true;
}

void frmHydra::sprT1() {
    if (exitPressed_ || cmdExit_->isDown())
        return;
    const QScopedValueRollback busy(busy_, true);
    if (!CheckTemperature(txT1_, etT1_, slT1_, InletRange(Heating())))
        return;
    CoupleOutletSlider();
    slT2_->update();
    RysujHydre();
}

void frmHydra::sprT2() {
    const QScopedValueRollback busy(busy_, true);
    const double inlet = panel::ParseNumber(txT1_->text());
    if (CheckTemperature(txT2_, etT2_, slT2_, OutletRange(Heating(), inlet)))
        RysujHydre();
}

bool frmHydra::ApplyTemperatures(const std::optional<QString>& inlet,
                                 const std::optional<QString>& outlet) {
    const QScopedValueRollback busy(busy_, true);
    const QString oldInlet = txT1_->text(), oldOutlet = txT2_->text();
    if (inlet)
        txT1_->setText(*inlet);
    if (outlet)
        txT2_->setText(*outlet);
    auto fail = [&](QLineEdit* box, const QString& text) {
        txT1_->setText(oldInlet);
        txT2_->setText(oldOutlet);
        TemperatureMessage(box, text);
        return false;
    };
    for (QLineEdit* box : {txT1_, txT2_})
        if (!panel::IsNumberText(box->text()))
            return fail(box, QStringLiteral("temperatura musi być liczbą"));
    const TemperatureRange in = InletRange(Heating());
    const TemperatureRange out = OutletRange(Heating(), panel::ParseNumber(txT1_->text()));
    const std::pair<QLineEdit*, std::pair<const QLabel*, TemperatureRange>> checks[] = {
        {txT1_, {etT1_, in}}, {txT2_, {etT2_, out}}};
    for (const auto& [box, check] : checks)
        if (!check.second.Contains(panel::ParseNumber(box->text())))
            return fail(box, widgets::Q(RangeMessage(widgets::S(check.first->text().left(3)),
                                                     check.second)));
    const QString newOutlet = txT2_->text();
    CheckTemperature(txT1_, etT1_, slT1_, in);
    CoupleOutletSlider();
    txT2_->setText(newOutlet);
    CheckTemperature(txT2_, etT2_, slT2_, out);
    RysujHydre();
    return true;
}

std::optional<double> frmHydra::ReadingX() const {
    if (!picHydra_->IsLineObjectVisible(lHydra_) || !std::isfinite(gw_))
        return std::nullopt;
    return XOfFlow(gw_);
}

void frmHydra::cmdDruk_Click() {
    PrintTo({});
}

void frmHydra::PrintTo(const widgets::PageTarget& target) {
    HydraulicPrintInput in;
    in.model = cmbWymienniki_->currentText();
    in.heating = Heating();
    in.inletCaption = etT1_->text();
    in.outletCaption = etT2_->text();
    in.inletText = txT1_->text();
    in.outletText = txT2_->text();
    in.flowText = txG_->text();
    in.dropText = txDp_->text();
    in.T1 = kod::RoundHalfEven16(panel::ParseNumber(txT1_->text()));
    in.T2 = kod::RoundHalfEven16(panel::ParseNumber(txT2_->text()));
    in.m = cmbWymienniki_->currentIndex();
    if (in.m >= 0)
        PrintHydraulicChart(this, in, gw_, dpw_, target);
}

bool frmHydra::eventFilter(QObject* watched, QEvent* event) {
    if (watched != txT1_ && watched != txT2_)
        return ChartWindow::eventFilter(watched, event);
    auto check = [this, watched] { watched == txT1_ ? sprT1() : sprT2(); };
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !busy_) {
            check();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && !busy_ && isVisible()) {
        // Losing the focus to another application or to a popup confirms nothing.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            // The focus is already on the button the mouse is pressing.
            exitPressed_ =
                reason == Qt::MouseFocusReason && QApplication::focusWidget() == cmdExit_;
            check();
            exitPressed_ = false;
        }
    }
    return ChartWindow::eventFilter(watched, event);
}
