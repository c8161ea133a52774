#pragma once

#include "panel/OperatingPoint.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The limits and messages of the operating-point fields, the same in every panel and in the
// command-line selection. Plain C++: texts are UTF-8.
namespace panel {

enum class Field { Q, Dp1, T11, T12, Dp2, T21, T22 };
inline constexpr int kFieldCount = 7;

// A limit: a constant, or another field's value plus an offset. In a check the other field's text
// is parsed and the sum rounded (halves to even); in a range adjustment its slider position is
// used.
struct Bound {
    std::optional<Field> base;
    double offset = 0;
};

// The slider range a field is kept within when the fields it depends on change.
struct RangeRule {
    Bound lower, upper;
    bool lowerWins = true; // applied last, so it wins when both are violated
};

struct FieldLimits {
    int sliderMin = 0, sliderMax = 0;        // slider range at opening
    Bound lower, upper;                      // accepted by the check
    std::optional<RangeRule> range;          // kept by the range adjustment
    std::string greaterMessage, lessMessage; // followed by the limit and the unit
    std::string unit;                        // " kW", " kPa", "°C"
    std::string notANumberMessage;
};

const FieldLimits& Limits(Field f);

// A check's limit: the constant, or baseValue (the other field's parsed text) plus the offset,
// rounded halves to even. baseValue is empty when the panel lacks the other field.
int CheckLimit(const Bound& b, std::optional<double> baseValue);

// The message of a value below (or above) the limit: "... musi być większa niż 10 kW".
std::string OutOfRangeMessage(const FieldLimits& limits, bool below, int limit);

// A text's number as the panels read it: Val with every blank (no-break ones too) ignored, where
// "." and decimalSeparator both mark the decimal part; and whether the whole text is that number.
double ParseNumber(std::string_view text, char decimalSeparator);
bool IsNumberText(std::string_view text, char decimalSeparator);

// The texts of the selection panel's fields (Q, Dp1, T11, Dp2, T21, T22; T12 unused), checked in
// its tab order as confirming each box checks it. Returns the first field's message, or nothing
// with `input` holding the values and the slider positions the panel would show for them.
std::optional<std::string>
CheckSelectionPoint(const std::array<std::string_view, kFieldCount>& texts, bool centralHeating,
                    char decimalSeparator, SearchInput& input);

} // namespace panel
