#pragma once

#include <string>
#include <string_view>

// The formatting behind FormatPattern, GeneralForm and PrintedNumber, for callers that write many
// numbers (the calculation log): patterns parsed once, text appended without temporaries.
namespace kod {

class NumberPattern {
public:
    explicit NumberPattern(std::string_view pattern);
    void AppendTo(std::string& out, double value, char decimalSeparator) const;

private:
    std::string prefix_, suffix_;
    int intRequired_ = 0;   // "0" places before the point
    int decRequired_ = 0;   // leading "0" places after the point
    bool hasPoint_ = false; // the separator is written even when no decimals follow
    int decimals_ = 0;      // all places after the point
    bool percent_ = false;
};

void AppendGeneralForm(std::string& out, double value, char decimalSeparator);
void AppendPrintedNumber(std::string& out, double value, char decimalSeparator);

} // namespace kod
