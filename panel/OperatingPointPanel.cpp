#include "panel/OperatingPointPanel.h"

#include "core/Numbers.h"
#include "widgets/Environment.h"
#include "widgets/LogicalLayout.h"
#include "widgets/MessageBox.h"

#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <algorithm>
#include <cmath>
#include <utility>

namespace panel {

namespace {

// Range a slider is widened to before its position is moved freely.
constexpr int kWideMin = 1;
constexpr int kWideMax = 210;

int Index(Field f) {
    return static_cast<int>(f);
}

// Sets a flag for the lifetime of the guard and restores the previous value.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag_(flag), old_(std::exchange(flag, true)) {}
    ~FlagGuard() { flag_ = old_; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
    bool old_;
};

} // namespace

double ParseNumber(const QString& text) {
    return ParseNumber(widgets::S(text), widgets::DecimalSeparator());
}

bool IsNumberText(const QString& text) {
    return IsNumberText(widgets::S(text), widgets::DecimalSeparator());
}

OperatingPointPanel::OperatingPointPanel(QWidget* window, widgets::LogicalLayout* layout,
                                         PanelConfig config, std::function<void()> clearResults)
    : QObject(window), config_(std::move(config)), clearResults_(std::move(clearResults)),
      window_(window) {
    setObjectName(QStringLiteral("OperatingPointPanel"));
    CreateControls(window, layout);
}

void OperatingPointPanel::CreateControls(QWidget* window, widgets::LogicalLayout* layout) {
    auto place = [&](QWidget* w, const LogicalRect& r) {
        const double top = config_.yUp ? config_.logicalHeight - r.top : r.top;
        layout->Place(w, r.left, top, r.width, r.height);
    };

    // The frames first, so that they stay behind the controls they enclose.
    auto frame = [&](const FrameConfig& c) {
        auto* f = new QFrame(window);
        f->setObjectName(c.name);
        f->setFrameShape(QFrame::Box);
        f->setFrameShadow(QFrame::Sunken);
        place(f, c.rect);
        return f;
    };
    heatingFrame_ = frame(config_.heatingFrame);
    heatedFrame_ = frame(config_.heatedFrame);

    QWidget* previous = nullptr;
    auto chain = [&previous](QWidget* w) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    };

    for (const FieldConfig& c : config_.fields) {
        Controls& k = controls_[Index(c.field)];
        k.label = new QLabel(c.caption, window);
        k.label->setObjectName(c.labelName);
        k.label->setWordWrap(true);

        k.box = new QLineEdit(QString::number(c.defaultValue), window);
        k.box->setObjectName(c.boxName);
        k.box->setToolTip(c.boxToolTip);
        k.box->installEventFilter(this);
        k.label->setBuddy(k.box);

        k.slider = new QSlider(Qt::Horizontal, window);
        k.slider->setObjectName(c.sliderName);
        k.slider->setToolTip(c.sliderToolTip);
        if (c.sliderToolTip.isEmpty())
            k.slider->setAccessibleName(QStringLiteral("suwak: ") + c.caption);
        k.slider->setRange(c.sliderMin, c.sliderMax);
        k.slider->setValue(c.defaultValue);
        k.slider->setPageStep(10);

        place(k.label, c.label);
        place(k.box, c.box);
        place(k.slider, c.slider);
        chain(k.box);
        chain(k.slider);

        const Field f = c.field;
        connect(k.box, &QLineEdit::textEdited, this, [this, f] { TextEdited(f); });
        connect(k.slider, &QSlider::valueChanged, this, [this, f] {
            if (programmatic_ == 0)
                SliderMoved(f);
        });
    }

    auto option = [&](const OptionConfig& c) {
        auto* o = new QRadioButton(c.caption, window);
        o->setObjectName(c.name);
        o->setToolTip(c.toolTip);
        // Choosing the purpose leaves the focus, and so the box being edited, alone.
        o->setFocusPolicy(Qt::TabFocus);
        const double top = config_.yUp ? config_.logicalHeight - c.top : c.top;
        layout->PlaceFixed(o, c.left, top, c.twips);
        chain(o);
        if (config_.purposeInvalidates)
            connect(o, &QRadioButton::clicked, this, &OperatingPointPanel::PurposeClicked);
        return o;
    };
    opCO_ = option(config_.centralHeating);
    opCW_ = option(config_.hotWater);
    (config_.centralHeatingAtOpening ? opCO_ : opCW_)->setChecked(true);
}

bool OperatingPointPanel::Has(Field f) const {
    return controls_[Index(f)].box != nullptr;
}
QLabel* OperatingPointPanel::Label(Field f) const {
    return controls_[Index(f)].label;
}
QLineEdit* OperatingPointPanel::Box(Field f) const {
    return controls_[Index(f)].box;
}
QSlider* OperatingPointPanel::Slider(Field f) const {
    return controls_[Index(f)].slider;
}
QWidget* OperatingPointPanel::LastInTabOrder() const {
    return opCW_;
}

const FieldConfig& OperatingPointPanel::Cfg(Field f) const {
    return *config_.Find(f);
}

QString OperatingPointPanel::Text(Field f) const {
    return Has(f) ? Box(f)->text() : QString();
}

double OperatingPointPanel::Value(Field f) const {
    return Has(f) ? ParseNumber(Box(f)->text()) : 0.0;
}

int OperatingPointPanel::Position(Field f) const {
    return Has(f) ? Slider(f)->value() : 0;
}

bool OperatingPointPanel::CentralHeating() const {
    return opCO_->isChecked();
}

SearchInput OperatingPointPanel::SearchValues() const {
    return {Values(), Position(Field::T21), Position(Field::T11)};
}

OperatingPoint OperatingPointPanel::Values() const {
    OperatingPoint p;
    p.HeatOutput = Value(Field::Q);
    p.AllowedDropHeating = Value(Field::Dp1);
    p.HeatingInlet = Value(Field::T11);
    p.HeatingOutlet = Value(Field::T12);
    p.AllowedDropHeated = Value(Field::Dp2);
    p.HeatedInlet = Value(Field::T21);
    p.HeatedOutlet = Value(Field::T22);
    p.CentralHeating = CentralHeating();
    return p;
}

void OperatingPointPanel::Invalidate() {
    if (!cleared_) {
        ClearResults();
        cleared_ = true;
    }
}

void OperatingPointPanel::ClearResults() {
    if (clearResults_)
        clearResults_();
}

void OperatingPointPanel::SetSlider(Field f, int value) {
    ++programmatic_;
    Slider(f)->setValue(value);
    --programmatic_;
}

void OperatingPointPanel::SetSliderRange(Field f, int min, int max) {
    ++programmatic_;
    Slider(f)->setRange(min, max);
    --programmatic_;
}

void OperatingPointPanel::WriteNumber(Field f, int value) {
    Box(f)->setText(QString::number(value));
}

int OperatingPointPanel::TextLimit(const Bound& b) const {
    return CheckLimit(b, b.base && Has(*b.base) ? std::optional(Value(*b.base)) : std::nullopt);
}

int OperatingPointPanel::PositionLimit(const Bound& b) const {
    if (!b.base || !Has(*b.base))
        return static_cast<int>(b.offset);
    return Position(*b.base) + static_cast<int>(b.offset);
}

void OperatingPointPanel::Message(const QString& text) {
    widgets::ShowMessage(window_, text);
}

void OperatingPointPanel::Check(Field f) {
    if (!Has(f))
        return;
    FlagGuard busy(busy_);
    const FieldLimits& c = Limits(f);
    Invalidate();
    double v = Value(f);
    if (std::isnan(v))
        v = 0;
    const int lower = TextLimit(c.lower);
    const int upper = TextLimit(c.upper);
    if (v < lower || v > upper) {
        const bool below = v < lower;
        const int limit = below ? lower : upper;
        Message(widgets::Q(OutOfRangeMessage(c, below, limit)));
        WriteNumber(f, limit);
        SetSlider(f, limit);
        Box(f)->setFocus();
        return;
    }
    SetSlider(f, kod::RoundHalfEven32(v));
    Slider(f)->update();
    RunFollowUps(f);
}

bool OperatingPointPanel::ApplyTexts(const std::array<std::optional<QString>, kFieldCount>& texts,
                                     std::optional<bool> centralHeating) {
    // A table without any of this panel's columns changes nothing.
    if (!centralHeating &&
        std::none_of(config_.fields.begin(), config_.fields.end(), [&texts](const FieldConfig& c) {
            return texts[static_cast<std::size_t>(c.field)];
        }))
        return false;
    FlagGuard busy(busy_);
    std::array<QString, kFieldCount> before;
    for (const FieldConfig& c : config_.fields) {
        const auto i = static_cast<std::size_t>(c.field);
        before[i] = Text(c.field);
        if (texts[i])
            Box(c.field)->setText(*texts[i]);
    }
    for (const FieldConfig& c : config_.fields) {
        if (!texts[static_cast<std::size_t>(c.field)])
            continue;
        const FieldLimits& l = Limits(c.field);
        QString message;
        if (!IsNumberText(Text(c.field))) {
            message = widgets::Q(l.notANumberMessage);
        } else {
            const double v = Value(c.field);
            const int lower = TextLimit(l.lower);
            const int upper = TextLimit(l.upper);
            if (v < lower || v > upper)
                message = widgets::Q(OutOfRangeMessage(l, v < lower, v < lower ? lower : upper));
        }
        if (!message.isEmpty()) {
            for (const FieldConfig& k : config_.fields)
                Box(k.field)->setText(before[static_cast<std::size_t>(k.field)]);
            Message(message);
            return false;
        }
    }
    if (centralHeating && *centralHeating != CentralHeating())
        (*centralHeating ? opCO_ : opCW_)->setChecked(true);
    Invalidate();
    busy_ = false;
    for (const FieldConfig& c : config_.fields)
        if (texts[static_cast<std::size_t>(c.field)])
            Check(c.field);
    return true;
}

void OperatingPointPanel::AdjustRange(Field f) {
    if (!Has(f) || !Limits(f).range)
        return;
    const RangeRule& rule = *Limits(f).range;
    const int lower = PositionLimit(rule.lower);
    const int upper = PositionLimit(rule.upper);
    SetSliderRange(f, kWideMin, kWideMax);
    auto pull = [&](bool toLower) {
        const int pos = Position(f);
        if (toLower ? pos < lower : pos > upper) {
            const int limit = toLower ? lower : upper;
            SetSlider(f, limit);
            WriteNumber(f, limit);
        }
    };
    pull(!rule.lowerWins);
    pull(rule.lowerWins);
    SetSliderRange(f, lower, upper);
    // A box may hold a limit the slider could not reach (the checks round the other field's
    // text, the ranges use its slider): the slider follows the box as far as its range allows.
    SetSlider(f, kod::RoundHalfEven32(Value(f)));
    Slider(f)->update();
}

void OperatingPointPanel::RunFollowUps(Field f) {
    for (Field next : Cfg(f).followUps)
        AdjustRange(next);
}

void OperatingPointPanel::Confirm(Field f) {
    if (!busy_)
        Check(f);
}

void OperatingPointPanel::TextEdited(Field f) {
    if (busy_)
        return;
    const bool number = IsNumberText(Box(f)->text());
    if (!number) {
        FlagGuard busy(busy_);
        Message(widgets::Q(Limits(f).notANumberMessage));
        Box(f)->setFocus();
    }
}

void OperatingPointPanel::SliderMoved(Field f) {
    Invalidate();
    WriteNumber(f, Position(f));
    RunFollowUps(f);
    if (Cfg(f).clearAfterSliderMove)
        ClearResults();
}

void OperatingPointPanel::PurposeClicked() {
    Invalidate();
}

Field OperatingPointPanel::FieldOfBox(const QObject* box) const {
    for (const FieldConfig& c : config_.fields)
        if (Box(c.field) == box)
            return c.field;
    return Field::Q;
}

bool OperatingPointPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Confirm(FieldOfBox(watched));
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // Losing the focus to another application or to a popup confirms nothing.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            window_->isVisible())
            Confirm(FieldOfBox(watched));
    }
    return QObject::eventFilter(watched, event);
}

} // namespace panel
