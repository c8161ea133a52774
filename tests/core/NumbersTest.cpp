#include "core/Numbers.h"
#include "core/Cp1250.h"
#include "core/Drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

using namespace kod;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Each expectation is the leading number of the text read by hand. Blanks, tabs and line feeds
// are skipped wherever they stand; the catalogue's only separator is "." and the panels add their
// locale's (here ",").
TEST(Val, ReadsTheLeadingNumber) {
    const std::tuple<const char*, char, double> cases[] = {
        {"", '.', 0},
        {"abc", '.', 0},
        {"  \t\n-1.5", '.', -1.5},
        {"1,5", '.', 1}, // the catalogue stops at a comma
        {"3.25.7", '.', 3.25},
        {".5", '.', 0.5},
        {"1.5E3", '.', 1500},
        {"2e-2", '.', 0.02},
        {"1D2", '.', 100},
        {"4E+x", '.', 4},
        {"2 8", '.', 28},
        {"- 5", '.', -5},
        {"1 E2", '.', 100},
        {"1E -2", '.', 0.01},
        {"1\t0\n0", '.', 100},
        {"12x34", '.', 12},
        {"1e400", '.', kInf},
        {"1e-400", '.', 0},
        {"0.1e309", '.', 1e308}, // inside the range although the exponent is not
        {"250,7", ',', 250.7},
        {"250.7", ',', 250.7},
        {"1 000,5", ',', 1000.5},
        {"95,5,1", ',', 95.5},
        {"1,5.2", ',', 1.5}, // one decimal mark only, whichever comes first
    };
    for (const auto& [text, separator, expected] : cases)
        EXPECT_DOUBLE_EQ(expected, Val(text, separator)) << '"' << text << "\" with " << separator;
}

// The number test accepts what Val reads whole, and nothing that Val would cut short.
TEST(Val, NumberTestAgreesWithTheReading) {
    const std::tuple<const char*, char, bool> cases[] = {
        {"250,7", ',', true},  {"250.7", ',', true},  {" 1 000,5 ", ',', true}, {"1e3", ',', true},
        {"-5", ',', true},     {"250,7", '.', false}, {"", ',', false},         {"  ", ',', false},
        {"12abc", ',', false}, {"1,2,3", ',', false}, {"1e", ',', false},       {"inf", ',', false},
        {"nan", ',', false},   {"1e400", ',', false}, {"-", ',', false},        {",", ',', false},
        {"1 E -2", '.', true},
    };
    for (const auto& [text, separator, expected] : cases)
        EXPECT_EQ(expected, IsNumber(text, separator)) << '"' << text << "\" with " << separator;
}

// Band colours given with the charts: 0 black, 1 (1, 230, 45) ... 6 (6, 105, 15); 10 is
// (10, |255 − 250|, 450 − 255) = (10, 5, 195); 11 is (11, |−20|, 495 − 255) = (11, 20, 240).
TEST(BandColour, FollowsTheCountRule) {
    const std::pair<int, Rgb> cases[] = {
        {0, {0, 0, 0}},     {1, {1, 230, 45}},  {2, {2, 205, 90}},
        {3, {3, 180, 135}}, {4, {4, 155, 180}}, {5, {5, 130, 225}},
        {6, {6, 105, 15}},  {10, {10, 5, 195}}, {11, {11, 20, 240}},
    };
    for (const auto& [n, colour] : cases)
        EXPECT_EQ(colour, BandColour(n)) << n;
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbourAndSaturate) {
    const std::pair<double, int> cases[] = {{90.5, 90},    {91.5, 92},   {-2.5, -2},
                                            {64.51, 65},   {1e9, 32767}, {-1e9, -32768},
                                            {kInf, 32767}, {kNaN, 0}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(expected, RoundHalfEven16(value)) << value;
}

// More digits than the pattern shows are kept; 2.675 (stored just below) rounds as written; a value
// rounding to zero has no minus sign; an escaped percent does not scale; optional digits write
// nothing for 0 and keep the separator with no decimal left; rounding may carry into a new digit.
TEST(FormatPattern, WritesThePatternsOfTheWindows) {
    const std::tuple<double, const char*, const char*> cases[] = {
        {0.5, "#0.00", "0,50"},       {1234.5678, "##0.000", "1234,568"},
        {2.675, "#0.00", "2,68"},     {-0.004, "#0.00", "0,00"},
        {12.34, "##0.0\\%", "12,3%"}, {0.0, "####", ""},
        {25.0, "#0.##", "25,"},       {0.04, "#.#", ","},
        {9.995, "#0.00", "10,00"},    {999.9996, "##0.000", "1000,000"},
        {0.999, "#0.##", "1,"},       {99.5, "00", "100"},
        {kNaN, "#0.00", "---"},       {1e308, "#0.00", "---"}, // never hundreds of digits
        {-1e15, "#0", "---"},         {999999999999999.0, "#0", "999999999999999"},
    };
    for (const auto& [value, pattern, expected] : cases)
        EXPECT_EQ(expected, FormatPattern(value, pattern, ',')) << value << " with " << pattern;
}

// The general form: whole numbers as they are, no grouping; otherwise 15 significant digits with
// trailing zeros dropped; from 1E+15 up and below 1E-04 the scientific form with a two-digit (or
// three-digit) exponent. The printed number adds a blank for the sign of a non-negative value and
// a blank after it.
TEST(GeneralForm, FifteenDigitsAndTheScientificForm) {
    const std::tuple<double, char, const char*, const char*> cases[] = {
        {65, '.', "65", " 65 "},
        {-1, ',', "-1", "-1 "},
        {1234567, ',', "1234567", " 1234567 "},
        {123456789012345, '.', "123456789012345", " 123456789012345 "}, // 15 digits, no exponent
        {0, ',', "0", " 0 "},
        {-0.0, '.', "0", " 0 "},
        {2.5, ',', "2,5", " 2,5 "},
        {2.5, '.', "2.5", " 2.5 "},
        {-0.004, ',', "-0,004", "-0,004 "},
        {0.0001, '.', "0.0001", " 0.0001 "}, // the smallest without an exponent
        {0.1 + 0.2, '.', "0.3", " 0.3 "},    // 0.30000000000000004 to 15 digits
        {2.0 / 3, ',', "0,666666666666667", " 0,666666666666667 "},
        {1234.56789012345678, '.', "1234.56789012346", " 1234.56789012346 "},
        {99999999999999.99, '.', "100000000000000", " 100000000000000 "}, // carries to 15 digits
        {999999999999999.9, '.', "1E+15", " 1E+15 "},                     // carries past them
        {1e16, ',', "1E+16", " 1E+16 "},
        {-2.5e20, ',', "-2,5E+20", "-2,5E+20 "},
        {1.5e-5, ',', "1,5E-05", " 1,5E-05 "},
        {1.5e-5, '.', "1.5E-05", " 1.5E-05 "},
        {-1e-5, '.', "-1E-05", "-1E-05 "},
        {1.23456789012345678e-7, '.', "1.23456789012346E-07", " 1.23456789012346E-07 "},
        {1e100, '.', "1E+100", " 1E+100 "},
        {kNaN, ',', "---", " --- "},
        {kInf, '.', "---", " --- "},
    };
    for (const auto& [value, separator, general, printed] : cases) {
        EXPECT_EQ(general, GeneralForm(value, separator)) << value << " with " << separator;
        EXPECT_EQ(printed, PrintedNumber(value, separator)) << value << " with " << separator;
    }
}

TEST(Cp1250, PolishLettersMapBothWays) {
    // Bytes from the code page's published table.
    const std::string utf8 = "ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ °€";
    const std::string cp1250 =
        "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF \xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF \xB0\x80";
    EXPECT_EQ(cp1250, ToCp1250(utf8));
    EXPECT_EQ(utf8, FromCp1250(cp1250));
    EXPECT_EQ("a?b?", ToCp1250("a\xE2\x88\x9E"
                               "b\xC5"));          // ∞ and a cut sequence
    EXPECT_EQ("\xEF\xBF\xBD", FromCp1250("\x81")); // undefined: U+FFFD
}

TEST(Log10, DecimalLogarithmAndZeroForNonPositive) {
    const std::pair<double, double> cases[] = {{1000, 3}, {0.1, -1}, {0, 0}, {-5, 0}};
    for (const auto& [x, expected] : cases)
        EXPECT_DOUBLE_EQ(expected, Log10(x)) << x;
}

TEST(GradientBands, TwoHundredTwentyBandsOfWholeUnitsDarkeningToTheRight) {
    // 2200 units: bands of 2200 / 220 = 10, greys 239 down to 20.
    const std::vector<GradientBand> bands = GradientBands(2200);
    ASSERT_EQ(220u, bands.size());
    EXPECT_EQ(std::tuple(0, 10, 239), std::tuple(bands[0].left, bands[0].right, bands[0].grey));
    EXPECT_EQ(std::tuple(2200, 20), std::tuple(bands.back().right, bands.back().grey));
    for (std::size_t i = 1; i < bands.size(); ++i) {
        EXPECT_EQ(bands[i - 1].right, bands[i].left);
        EXPECT_EQ(bands[i - 1].right + 10, bands[i].right);
        EXPECT_EQ(bands[i - 1].grey - 1, bands[i].grey);
    }
    EXPECT_EQ(2200, GradientBands(2300).back().right); // 2300 / 220 = 10: a strip stays unpainted
    for (const GradientBand& b : GradientBands(219)) // 219 / 220 = 0: every band is the line x = 0
        EXPECT_EQ(std::pair(0, 0), std::pair(b.left, b.right));
}

} // namespace
