#include "panel/FieldLimits.h"

#include "core/Numbers.h"

#include <algorithm>
#include <cmath>

namespace panel {

namespace {

Bound Constant(double value) {
    return {std::nullopt, value};
}
Bound Plus(Field base, double offset) {
    return {base, offset};
}

FieldLimits Temperature(const char* symbol, int sliderMin, int sliderMax, Bound lower,
                        Bound upper) {
    FieldLimits l;
    l.sliderMin = sliderMin, l.sliderMax = sliderMax;
    l.lower = lower, l.upper = upper;
    l.greaterMessage = std::string("Wartość temperatury ") + symbol + " musi być większa niż ";
    l.lessMessage = std::string("Wartość temperatury ") + symbol + " musi być mniejsza niż ";
    l.unit = "°C";
    l.notANumberMessage = "temperatura musi być liczbą";
    return l;
}

FieldLimits Drop(const char* symbol, int sliderMax, double upper) {
    FieldLimits l;
    l.sliderMin = 1, l.sliderMax = sliderMax;
    l.lower = Constant(1), l.upper = Constant(upper);
    const std::string start = std::string("Wartość dopuszczalnego opru przepływu ") + symbol;
    l.greaterMessage = start + " musi być większa niż ";
    l.lessMessage = start + " musi być mniejsza niż ";
    l.unit = " kPa";
    l.notANumberMessage = "opór przepływu musi być liczbą";
    return l;
}

std::array<FieldLimits, kFieldCount> MakeLimits() {
    std::array<FieldLimits, kFieldCount> all;
    FieldLimits& q = all[static_cast<int>(Field::Q)];
    q.sliderMin = 10, q.sliderMax = 1000;
    q.lower = Constant(10), q.upper = Constant(1000);
    q.greaterMessage = "Wartość mocy cieplnej Q musi być większa niż ";
    q.lessMessage = "Wartość mocy cieplnej Q musi być mniejsza niż ";
    q.unit = " kW";
    q.notANumberMessage = "moc cieplna musi być liczbą";
    all[static_cast<int>(Field::Dp1)] = Drop("Dp1", 70, 100);
    all[static_cast<int>(Field::Dp2)] = Drop("Dp2", 40, 40);
    all[static_cast<int>(Field::T11)] = Temperature("T11", 8, 210, Constant(8), Constant(210));
    FieldLimits& t12 = all[static_cast<int>(Field::T12)] =
        Temperature("T12", 1, 200, Plus(Field::T21, 3), Plus(Field::T11, -1));
    t12.range = RangeRule{Plus(Field::T21, 3), Plus(Field::T11, -1), false};
    FieldLimits& t21 = all[static_cast<int>(Field::T21)] =
        Temperature("T21", 1, 199, Constant(1), Plus(Field::T11, -7));
    t21.range = RangeRule{Constant(1), Plus(Field::T11, -7), true};
    FieldLimits& t22 = all[static_cast<int>(Field::T22)] =
        Temperature("T22", 2, 209, Plus(Field::T21, 1), Plus(Field::T11, -5));
    t22.range = RangeRule{Plus(Field::T21, 1), Plus(Field::T11, -5), true};
    return all;
}

// The locale's group separator may be a no-break space (U+00A0, U+202F); it is a blank like any
// other.
std::string PlainBlanks(std::string_view text) {
    std::string out;
    if (text.find_first_of("\xC2\xE2") == std::string_view::npos)
        return std::string(text);
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\xC2\xA0") == 0) {
            out += ' ', ++i;
        } else if (text.compare(i, 3, "\xE2\x80\xAF") == 0) {
            out += ' ', i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

const FieldLimits& Limits(Field f) {
    static const std::array<FieldLimits, kFieldCount> all = MakeLimits();
    return all[static_cast<std::size_t>(f)];
}

int CheckLimit(const Bound& b, std::optional<double> baseValue) {
    if (!b.base || !baseValue)
        return static_cast<int>(b.offset);
    return kod::RoundHalfEven16(*baseValue + b.offset);
}

std::string OutOfRangeMessage(const FieldLimits& limits, bool below, int limit) {
    return (below ? limits.greaterMessage : limits.lessMessage) + std::to_string(limit) +
           limits.unit;
}

double ParseNumber(std::string_view text, char decimalSeparator) {
    return kod::Val(PlainBlanks(text), decimalSeparator);
}

bool IsNumberText(std::string_view text, char decimalSeparator) {
    return kod::IsNumber(PlainBlanks(text), decimalSeparator);
}

std::optional<std::string>
CheckSelectionPoint(const std::array<std::string_view, kFieldCount>& texts, bool centralHeating,
                    char decimalSeparator, SearchInput& input) {
    constexpr Field kOrder[] = {Field::Q,   Field::Dp1, Field::T11,
                                Field::Dp2, Field::T21, Field::T22};
    std::array<std::optional<double>, kFieldCount> values{};
    for (Field f : kOrder) {
        const std::string_view text = texts[static_cast<std::size_t>(f)];
        const FieldLimits& l = Limits(f);
        if (!IsNumberText(text, decimalSeparator))
            return l.notANumberMessage;
        const double v = ParseNumber(text, decimalSeparator);
        auto base = [&](const Bound& b) {
            return b.base ? values[static_cast<std::size_t>(*b.base)] : std::nullopt;
        };
        const int lower = CheckLimit(l.lower, base(l.lower));
        const int upper = CheckLimit(l.upper, base(l.upper));
        if (v < lower || v > upper)
            return OutOfRangeMessage(l, v < lower, v < lower ? lower : upper);
        values[static_cast<std::size_t>(f)] = v;
    }
    OperatingPoint& p = input.point;
    p = OperatingPoint{};
    p.HeatOutput = *values[static_cast<int>(Field::Q)];
    p.AllowedDropHeating = *values[static_cast<int>(Field::Dp1)];
    p.HeatingInlet = *values[static_cast<int>(Field::T11)];
    p.AllowedDropHeated = *values[static_cast<int>(Field::Dp2)];
    p.HeatedInlet = *values[static_cast<int>(Field::T21)];
    p.HeatedOutlet = *values[static_cast<int>(Field::T22)];
    p.CentralHeating = centralHeating;
    // The sliders show the rounded values; T21's slider stays within 1..T11's position − 7.
    const FieldLimits& t11 = Limits(Field::T11);
    input.t11Position =
        std::clamp(kod::RoundHalfEven32(p.HeatingInlet), t11.sliderMin, t11.sliderMax);
    const RangeRule& t21 = *Limits(Field::T21).range;
    const int lower = static_cast<int>(t21.lower.offset);
    const int upper = std::max(lower, input.t11Position + static_cast<int>(t21.upper.offset));
    input.t21Position = std::clamp(kod::RoundHalfEven32(p.HeatedInlet), lower, upper);
    return std::nullopt;
}

} // namespace panel
