#include "selection/SelectionRun.h"

#include "core/Calculations.h"
#include "core/Numbers.h"

namespace selection {

bool Choice::Offer(int m, int n, double e) {
    bool chosen = false;
    if (n < bestCount_) {
        chosen = e < kExcessLimit || bestCount_ == 10;
        bestCount_ = n;
    } else if (n == bestCount_) {
        chosen = e < bestExcess_;
    }
    if (chosen) {
        bestExcess_ = e;
        bestModel_ = m;
        lowering_ = e > kExcessLimit;
    }
    return chosen;
}

bool ShownWithoutT12(ResultRow row) {
    return row <= ResultRow::G2Ratio || row == ResultRow::kw;
}

std::array<double, kResultValueCount> ResultValues(const ModelResult& r) {
    const kod::EvaluationRecord& e = r.evaluation;
    return {e.G1dop, e.G2dop, e.G1,  e.G2, e.G1Ratio, e.G2Ratio, double(r.n), e.Gr1,
            e.Gr2,   e.dP1,   e.dP2, r.kw, r.ke,      r.excess,  r.T12};
}

ResultTexts ResultColumn(const ModelResult& r, const ColumnFormats& formats,
                         char decimalSeparator) {
    const std::array<double, kResultValueCount> values = ResultValues(r);
    ResultTexts column;
    for (std::size_t i = 0; i < column.size(); ++i) {
        const bool shown = r.evaluated && (r.found || ShownWithoutT12(static_cast<ResultRow>(i)));
        column[i] = shown ? kod::FormatPattern(values[i], formats[i], decimalSeparator) : "---";
    }
    return column;
}

std::string BestVerdict(bool loweringAdvised) {
    std::string text = kVerdictBest;
    if (loweringAdvised)
        text += kLoweringAdvice;
    return text;
}

SelectionResult RunSelection(const SelectionInput& input, kod::CalcLog* log,
                             const std::function<void(int, double, double)>& beforeModel) {
    SelectionResult run;
    run.T12min = input.t21Position + 5.0;
    run.T12max = input.t11Position - 10.0;
    const panel::OperatingPoint& p = input.point;

    for (int m = 0; m < kod::kModelCount; ++m) {
        if (beforeModel)
            beforeModel(m, run.T12min, run.T12max);
        ModelResult& r = run.models[m];
        // The search's out-parameters start at 0 for every model, as FindOutletTemperature leaves
        // them untouched when it tries nothing.
        double T12 = 0, kw = 0, ke = 0;
        std::int16_t n = 0;
        kod::FindOutletTemperature(run.T12min, run.T12max, static_cast<std::int16_t>(m),
                                   p.CentralHeating, p.AllowedDropHeating, p.AllowedDropHeated,
                                   p.HeatingInlet, T12, p.HeatedInlet, p.HeatedOutlet, p.HeatOutput,
                                   kw, ke, n, r.evaluation, log);
        r.evaluated = run.T12min <= run.T12max;
        r.found = r.evaluated && T12 != -1;
        r.T12 = r.found ? T12 : -1;
        r.kw = kw;
        r.ke = ke;
        r.n = n;
        if (!r.found) {
            r.verdict = kVerdictImpossible;
            r.kind = VerdictKind::Impossible;
        } else {
            r.excess = kod::RelativeExcess(kw, ke);
            run.choice.Offer(m, n, r.excess);
            const bool excessive = r.excess > kExcessLimit;
            r.verdict = excessive ? kVerdictExcessive : kVerdictPossible;
            r.kind = excessive ? VerdictKind::Excessive : VerdictKind::Possible;
        }
    }

    if (run.choice.HasBest()) {
        ModelResult& best = run.models[run.choice.BestModel()];
        best.verdict = BestVerdict(run.choice.LoweringAdvised());
        best.kind = VerdictKind::Best;
    }
    return run;
}

SelectionResult RunSelection(const SelectionInput& input,
                             const std::function<void(int, double, double)>& beforeModel) {
    SelectionResult run = RunSelection(input, &kod::Log(), beforeModel);
    // The windows read the last evaluation and the verdicts from the module data.
    const ModelResult& last = run.models[kod::kModelCount - 1];
    if (last.evaluated)
        kod::EvaluationResult = last.evaluation;
    for (int m = 0; m < kod::kModelCount; ++m)
        kod::ResultComments[m] = run.models[m].verdict;
    return run;
}

} // namespace selection
