#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kod {

// Reads the leading number of a text (Val): blanks, tabs and line feeds are skipped wherever they
// stand; an optional sign, digits, "." as the decimal separator and an optional exponent (E or D).
// Reading stops at the first character that cannot continue the number; a text without a leading
// number gives 0. The input panels pass their locale's separator as otherDecimalSeparator, which
// then marks the decimal part as "." does.
double Val(std::string_view text, char otherDecimalSeparator = '.');

// True when the whole text, blanks aside, is one finite number as Val reads it.
bool IsNumber(std::string_view text, char otherDecimalSeparator = '.');

// Rounds to the nearest whole number, halves to even (90.5 -> 90, 91.5 -> 92), saturated to the
// 16-bit range; a non-finite value gives 0.
std::int16_t RoundHalfEven16(double value);

// Same rounding to a 32-bit whole number (slider positions).
std::int32_t RoundHalfEven32(double value);

// Formats a number with a display pattern: "#0.00", "##0.000", "##0.0\%", "#0", "###0", "####",
// "#0.##", "#.#", "0", "00" and the like. "#" is an optional digit, "0" a required one, "\x" a
// literal x. Rounds half away from zero on the decimal digits. An all-optional pattern writes no
// digit for 0 ("####" gives ""), and a pattern with a point keeps the separator when no decimals
// are left ("#0.##" writes 25 as "25."). A non-finite value, or one of 1e15 or more in
// magnitude, gives "---".
std::string FormatPattern(double value, std::string_view pattern, char decimalSeparator);

// Right-aligns a text in as many characters as the pattern has "@" ("@@@").
std::string FormatText(std::string_view text, std::string_view pattern);

// The general form of a number: up to 15 significant digits, no grouping, scientific notation
// ("1E+16", "1E-05") for very large or small magnitudes. No blanks are added.
std::string GeneralForm(double value, char decimalSeparator);

// A number as the print statements write it: one blank for the sign when it is not negative,
// the general form, one trailing blank (" 65 ", "-1 ").
std::string PrintedNumber(double value, char decimalSeparator);

} // namespace kod
