#include "coefficients/CoefficientChart.h"

#include "core/Calculations.h"
#include "core/Numbers.h"

#include <cmath>
#include <limits>

namespace coefficients {

namespace {

constexpr double kMaxMargin = 1.1; // the axis ends 10 % above the value that last raised it

int X(int i) {
    return kOrigin + i;
}

// A curve coordinate rounded to a 16-bit whole number, halves to even; nothing when it is not
// finite or does not fit.
std::optional<int> Coordinate(double value, double min, double max) {
    const double y = (value - min) / (max - min) * kLength + kOrigin;
    if (!std::isfinite(y) || y < std::numeric_limits<std::int16_t>::min() ||
        y > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return kod::RoundHalfEven16(y);
}

// First pass: samples, the axis ends and the bands.
bool FirstPass(const Abscissa& abscissa, const Evaluator& evaluate, Chart& chart) {
    chart.samples.reserve(kSampleCount);
    chart.min = 0;
    chart.max = 1.0;
    int start = kOrigin;
    int n = 0;
    for (int i = 0; i <= kLastSample; ++i) {
        const double a = abscissa.At(i);
        if (!std::isfinite(a))
            return false;
        const Evaluation e = evaluate(a);
        if (!std::isfinite(e.kw) || !std::isfinite(e.ke))
            return false;
        chart.samples.push_back({a, e.kw, e.ke, e.count});

        if (e.ke < chart.min)
            chart.min = e.ke;
        if (e.kw < chart.min)
            chart.min = e.kw;
        if (e.ke > chart.max)
            chart.max = kMaxMargin * e.ke;
        if (e.kw > chart.max)
            chart.max = kMaxMargin * e.kw;
        if (!std::isfinite(chart.max - chart.min))
            return false;

        if (i == 0) {
            n = e.count;
        } else if (e.count != n || i == kLastSample) {
            chart.bands.push_back({start, X(i), n});
            start = X(i);
            n = e.count;
        }
    }
    return true;
}

// Second pass: a curve joins two neighbouring samples of the same count; the last sample is never
// joined.
bool SecondPass(Chart& chart) {
    chart.required.reserve(kSampleCount);
    chart.operating.reserve(kSampleCount);
    Point previousRequired, previousOperating;
    int count = 0;
    for (int i = 0; i <= kLastSample; ++i) {
        const Sample& s = chart.samples[static_cast<std::size_t>(i)];
        const std::optional<int> yR = Coordinate(s.kw, chart.min, chart.max);
        const std::optional<int> yO = Coordinate(s.ke, chart.min, chart.max);
        if (!yR || !yO)
            return false;
        const Point required{X(i), *yR}, operating{X(i), *yO};
        if (i > 0 && s.count == count && i < kLastSample) {
            chart.required.push_back({previousRequired, required});
            chart.operating.push_back({previousOperating, operating});
        } else {
            count = s.count;
        }
        previousRequired = required;
        previousOperating = operating;
    }
    return true;
}

// The label of each grid line j = 0..10.
template <typename Label> TickLabels Ticks(Label label) {
    TickLabels labels;
    for (int j = 0; j <= kTicks; ++j)
        labels[static_cast<std::size_t>(j)] = label(j);
    return labels;
}

} // namespace

double Abscissa::At(int i) const {
    return static_cast<double>(i) / kLastSample * (high - low) + low;
}

Abscissa OutletSweep(int t21Position, int t11Position) {
    const int low = t21Position + 5;
    int high = t11Position - 10;
    if (high < low)
        high = low + 1;
    return {static_cast<double>(low), static_cast<double>(high)};
}

Evaluator ExchangerEvaluator(int model, const panel::OperatingPoint& point, Swept swept) {
    return [model, point, swept](double abscissa) {
        panel::OperatingPoint p = point;
        (swept == Swept::HeatOutput ? p.HeatOutput : p.HeatingOutlet) = abscissa;
        Evaluation e;
        std::int16_t n = 0;
        kod::EvaluateExchanger(static_cast<std::int16_t>(model), p.CentralHeating,
                               p.AllowedDropHeating, p.AllowedDropHeated, p.HeatingInlet,
                               p.HeatingOutlet, p.HeatedInlet, p.HeatedOutlet, p.HeatOutput, 0,
                               e.kw, e.ke, n);
        e.count = n;
        return e;
    };
}

std::optional<Chart> ComputeChart(const Abscissa& abscissa, const Evaluator& evaluate) {
    Chart chart;
    if (!FirstPass(abscissa, evaluate, chart) || !SecondPass(chart))
        return std::nullopt;
    return chart;
}

std::string BandLabel(int n, CountStyle style) {
    if (style == CountStyle::Digits)
        return kod::FormatPattern(n, n < 10 ? "0" : "00", '.');
    std::string label(n >= 0 ? 1 : 0, ' '); // the sign's place
    label += kod::GeneralForm(n, '.');
    return label;
}

TickLabels CoefficientLabels(double min, double max, char decimalSeparator) {
    return Ticks([&](int j) {
        return kod::FormatPattern(min + j * (max - min) / kTicks, "#0.##", decimalSeparator);
    });
}

TickLabels HeatOutputLabels() {
    return Ticks([](int j) { return kod::FormatPattern(100.0 * j, "####", '.'); });
}

TickLabels OutletLabels(const Abscissa& sweep) {
    return Ticks([&](int j) {
        return kod::FormatPattern(sweep.low + j * (sweep.high - sweep.low) / kTicks, "##0", '.');
    });
}

} // namespace coefficients
