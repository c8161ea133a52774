#pragma once

#include "core/CalcLog.h"
#include "core/Catalogue.h"
#include "panel/OperatingPoint.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

// The selection over the four models and the choice of the most favourable variant. No widgets.
namespace selection {

inline constexpr const char* kVerdictImpossible =
    "zastosowanie tego wymiennika dla wyznaczonych warunków jest niemożliwe - współczynnik "
    "przenikania ciepła dla warunków eksploatacyjnych jest zawsze mniejszy niż wymagany "
    "współczynnik przenikania ciepła kw";
inline constexpr const char* kVerdictPossible = "zastosowanie wymiennika możliwe";
inline constexpr const char* kVerdictExcessive =
    "zastosowanie wymiennika możliwe ale wystąpi zbyt duży nadmiar współczynnika przenikania";
inline constexpr const char* kVerdictBest = "najkorzystniejszy wariant";
inline constexpr const char* kLoweringAdvice =
    "\r\n\r\n ale zalecane obniżenie temperatur T21 i T12";

// Excess (%) above which a variant counts as oversized.
inline constexpr double kExcessLimit = 10.0;

enum class VerdictKind { Impossible, Possible, Excessive, Best };

// The most favourable variant so far. Fewer exchangers win over a smaller excess, but a variant
// with fewer exchangers replaces an earlier one only when its own excess is below 10 %; among equal
// counts the smaller excess wins, ties keep the earlier model. Count 10 also marks "none yet".
class Choice {
public:
    // Offers model m with n exchangers and excess e (%). Returns true when it became the best.
    bool Offer(int m, int n, double e);
    // False while nothing was chosen, or the chosen excess is 1000 % or more.
    bool HasBest() const { return bestExcess_ < 1000.0; }
    int BestModel() const { return bestModel_; }
    int BestCount() const { return bestCount_; }
    double BestExcess() const { return bestExcess_; }
    bool LoweringAdvised() const { return lowering_; }

private:
    double bestExcess_ = 1000.0;
    int bestCount_ = 10;
    int bestModel_ = 0;
    bool lowering_ = false;
};

// What the selection reads from the panel: the parsed values and two slider positions.
using SelectionInput = panel::SearchInput;

struct ModelResult {
    bool evaluated = false;           // at least one evaluation ran for this model
    bool found = false;               // a T12 was found
    double T12 = -1;                  // °C, -1 when none
    double kw = 0, ke = 0;            // kW/(m²·K), of the last evaluation
    std::int16_t n = 0;               // exchangers of the last evaluation
    kod::EvaluationRecord evaluation; // as the last evaluation left it
    double excess = 0;                // %, only when found
    std::string verdict;              // UTF-8, "\r\n" line breaks
    VerdictKind kind = VerdictKind::Impossible;
};

struct SelectionResult {
    double T12min = 0, T12max = 0; // °C, bounds of the search
    std::array<ModelResult, kod::kModelCount> models;
    Choice choice;
    int Best() const { return choice.HasBest() ? choice.BestModel() : -1; }
};

// The result values of a model, in the order of their rows in the grid and on the page (row
// r + 1 of the grid shows value r; the verdict follows them).
enum class ResultRow {
    G1dop,
    G2dop,
    G1,
    G2,
    G1Ratio,
    G2Ratio,
    Count,
    Gr1,
    Gr2,
    dP1,
    dP2,
    kw,
    ke,
    Excess,
    T12,
};
inline constexpr int kResultValueCount = 15;

// True for the values shown even when no T12 was found: the flows, their ratios and kw.
bool ShownWithoutT12(ResultRow row);

// Display patterns of the result values of a model, in row order.
using ColumnFormats = std::array<const char*, kResultValueCount>;
using ResultTexts = std::array<std::string, kResultValueCount>;

// The forms of the selection window's grid.
inline constexpr ColumnFormats kGridFormats = {"#0.00",  "#0.00",   "#0.00",   "#0.00",    "#0.00",
                                               "#0.00",  "#0",      "#0.00",   "#0.00",    "##0.00",
                                               "##0.00", "##0.000", "##0.000", "##0.0\\%", "##0.0"};

// The result values of a model in row order, whether shown or not.
std::array<double, kResultValueCount> ResultValues(const ModelResult& r);

// The result values of a model as shown: the rows not shown without a T12 are "---" then, and
// every row is "---" when no evaluation ran.
ResultTexts ResultColumn(const ModelResult& r, const ColumnFormats& formats, char decimalSeparator);

// The verdict of the most favourable variant.
std::string BestVerdict(bool loweringAdvised);

// Runs the outlet temperature search (trace on) for models 0..3, T12 from SlT21 + 5 to
// slT11 − 10, and chooses the most favourable variant. beforeModel(m, T12min, T12max) runs before
// each model's search (the caller writes its log header lines there). Sets kod::ResultComments.
SelectionResult RunSelection(const SelectionInput& input,
                             const std::function<void(int, double, double)>& beforeModel = {});

// The same run touching no module data: the trace goes to `log` when it is given and open, the
// verdicts stay in the result. Runs on several threads share only the catalogue.
SelectionResult RunSelection(const SelectionInput& input, kod::CalcLog* log,
                             const std::function<void(int, double, double)>& beforeModel = {});

} // namespace selection
