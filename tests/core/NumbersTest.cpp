#include "core/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kod;

namespace {

struct ValCase {
    const char* text;
    double expected;
};

// Expected values are the leading number of each text read by hand.
TEST(Val, ReadsTheLeadingNumber) {
    const ValCase cases[] = {
        {"", 0},
        {"abc", 0},
        {"12", 12},
        {"  \t\n-1.5", -1.5}, // blanks, tabs and line feeds before the number are skipped
        {"+7", 7},
        {"1,5", 1}, // the comma is no decimal separator
        {"0,25", 0},
        {"3.25.7", 3.25}, // a second point ends the number
        {".5", 0.5},
        {"5.", 5},
        {"1.5E3", 1500},
        {"2e-2", 0.02},
        {"1D2", 100}, // D marks the exponent as well
        {"4E", 4},    // an exponent without digits adds nothing
        {"4E+x", 4},
        {"12 34", 12}, // Val stops at the blank
        {"-", 0},
        {"1.0074,1.0023", 1.0074},
        {"000123.4500", 123.45},
    };
    for (const ValCase& c : cases)
        EXPECT_DOUBLE_EQ(c.expected, Val(c.text)) << '"' << c.text << '"';
}

TEST(Val, HugeExponentsGiveInfinityOrZero) {
    EXPECT_EQ(std::numeric_limits<double>::infinity(), Val("1e400"));
    EXPECT_EQ(-std::numeric_limits<double>::infinity(), Val("-9.9e99999999999999999999"));
    EXPECT_EQ(0.0, Val("1e-400"));
    // 0.1e309 is 1e308: inside the range although the written exponent is not.
    EXPECT_DOUBLE_EQ(1e308, Val("0.1e309"));
    // A long run of digits keeps its magnitude: 1 followed by 30 zeros.
    EXPECT_DOUBLE_EQ(1e30, Val("1000000000000000000000000000000"));
}

TEST(ValIgnoringBlanks, IgnoresBlanksBetweenDigits) {
    const ValCase cases[] = {
        {"1 000", 1000}, {" 12 5.5", 125.5}, {"95,5", 95}, {"1 2e 2", 1200}, {"abc 1", 0},
    };
    for (const ValCase& c : cases)
        EXPECT_DOUBLE_EQ(c.expected, ValIgnoringBlanks(c.text)) << '"' << c.text << '"';
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(90, RoundHalfEven16(90.5));
    EXPECT_EQ(92, RoundHalfEven16(91.5));
    EXPECT_EQ(-2, RoundHalfEven16(-2.5));
    EXPECT_EQ(-4, RoundHalfEven16(-3.5));
    EXPECT_EQ(65, RoundHalfEven16(64.51));
    EXPECT_EQ(0, RoundHalfEven16(0.49));
    EXPECT_EQ(2, RoundHalfEven32(2.5));
    EXPECT_EQ(1000001, RoundHalfEven32(1000000.7));
}

TEST(RoundHalfEven, SaturatesAndMapsNaNToZero) {
    EXPECT_EQ(32767, RoundHalfEven16(1e9));
    EXPECT_EQ(-32768, RoundHalfEven16(-1e9));
    EXPECT_EQ(32767, RoundHalfEven16(std::numeric_limits<double>::infinity()));
    EXPECT_EQ(0, RoundHalfEven16(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(2147483647, RoundHalfEven32(1e300));
    EXPECT_EQ(-2147483647 - 1, RoundHalfEven32(-std::numeric_limits<double>::infinity()));
}

struct PatternCase {
    double value;
    const char* pattern;
    const char* expected;
};

TEST(FormatPattern, WritesThePatternsOfTheWindows) {
    const PatternCase cases[] = {
        {1.2345, "#0.00", "1.23"},
        {0.5, "#0.00", "0.50"}, // the 0 before the point is required
        {123.4, "##0.00", "123.40"},
        {1.2, "##0.000", "1.200"},
        {1234.5678, "##0.000", "1234.568"}, // more digits than the pattern shows are kept
        {7.25, "##0.0", "7.3"},
        {3.14, "#0.0", "3.1"},
        {12.34, "##0.0\\%", "12.3%"}, // an escaped percent sign does not scale
        {0.125, "0%", "13%"},         // a plain one does: 12.5 rounds away from zero
        {5.5, "#0", "6"},
        {4.5, "##0", "5"},
        {45.0, "###0", "45"},
        {300.0, "####", "300"},
        {0.0, "####", ""}, // all digits optional: nothing is written
        {1.5, "#0.##", "1.5"},
        {1.257, "#0.##", "1.26"},
        {25.0, "#0.##", "25."}, // no decimals left: the separator stays
        {0.1, "#.#", ".1"},     // no required digit before the point
        {0.9, "#.#", ".9"},
        {0.04, "#.#", "."}, // rounds to nothing but the separator
        {7.0, "0", "7"},
        {7.0, "00", "07"},
        {12.0, "00", "12"},
        {-1.5, "#0.00", "-1.50"},
        {-0.004, "#0.00", "0.00"}, // rounds to zero: no minus sign
        {-0.006, "#0.00", "-0.01"},
    };
    for (const PatternCase& c : cases)
        EXPECT_EQ(c.expected, FormatPattern(c.value, c.pattern, '.'))
            << c.value << " with " << c.pattern;
}

TEST(FormatPattern, RoundsHalfAwayFromZeroOnTheDecimalDigits) {
    // 2.675 is stored as 2.67499999999999982236431605997495353221893310546875; the user sees
    // 2.675 and expects 2.68.
    const PatternCase cases[] = {
        {2.675, "#0.00", "2.68"},
        {-2.675, "#0.00", "-2.68"},
        {1.005, "#0.00", "1.01"},
        {0.125, "#0.00", "0.13"},
        {0.0005, "##0.000", "0.001"},
        // Rounding that carries into a new digit.
        {9.995, "#0.00", "10.00"},
        {99.96, "##0.0", "100.0"},
        {999.9996, "##0.000", "1000.000"},
        {-9.95, "#0.0", "-10.0"},
        {0.999, "#0.##", "1."},
        {9.5, "0", "10"},
        {99.5, "00", "100"},
    };
    for (const PatternCase& c : cases)
        EXPECT_EQ(c.expected, FormatPattern(c.value, c.pattern, '.'))
            << c.value << " with " << c.pattern;
}

TEST(FormatPattern, UsesTheGivenSeparatorAndMarksNonFiniteValues) {
    EXPECT_EQ("1,200", FormatPattern(1.2, "##0.000", ','));
    EXPECT_EQ("5,0%", FormatPattern(5.0, "##0.0\\%", ','));
    EXPECT_EQ(",5", FormatPattern(0.5, "#.#", ','));
    EXPECT_EQ("---", FormatPattern(std::numeric_limits<double>::quiet_NaN(), "#0.00", '.'));
    EXPECT_EQ("---", FormatPattern(std::numeric_limits<double>::infinity(), "##0.0", '.'));
    EXPECT_EQ("---", FormatPattern(-std::numeric_limits<double>::infinity(), "#0", '.'));
    // 1e20 written out in full: 1 and 20 zeros.
    EXPECT_EQ("100000000000000000000", FormatPattern(1e20, "#0", '.'));
}

TEST(FormatText, RightAlignsInThePatternWidth) {
    EXPECT_EQ(" ab", FormatText("ab", "@@@"));
    EXPECT_EQ("  7", FormatText("7", "@@@"));
    EXPECT_EQ("abcd", FormatText("abcd", "@@@"));
    EXPECT_EQ(" żł", FormatText("żł", "@@@")); // two characters, four bytes
}

TEST(GeneralForm, FifteenSignificantDigitsWithoutTrailingZeros) {
    const struct {
        double value;
        const char* expected;
    } cases[] = {
        {65, "65"},
        {0, "0"},
        {-1.5, "-1.5"},
        {0.5, "0.5"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {123456789012345.0, "123456789012345"}, // exponent 14: still written out
        {1e15, "1E+15"},
        {1e16, "1E+16"},
        {1234567890123456789.0, "1.23456789012346E+18"},
        {0.0001, "0.0001"}, // exponent -4: written out
        {0.000015, "1.5E-05"},
        {-2.5e-7, "-2.5E-07"},
        {0.1 + 0.2, "0.3"}, // 0.30000000000000004 has 17 significant digits
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, GeneralForm(c.value, '.')) << c.value;
    EXPECT_EQ("0,5", GeneralForm(0.5, ','));
    EXPECT_EQ("1,5E-05", GeneralForm(0.000015, ','));
}

TEST(PrintedNumber, ReservesTheSignPlaceAndAddsOneBlank) {
    EXPECT_EQ(" 65 ", PrintedNumber(65, '.'));
    EXPECT_EQ("-1 ", PrintedNumber(-1, '.'));
    EXPECT_EQ(" 0 ", PrintedNumber(0, '.'));
    EXPECT_EQ(" 0 ", PrintedNumber(-0.0, '.'));
    EXPECT_EQ(" 12,5 ", PrintedNumber(12.5, ','));
}

} // namespace
