#include "Support.h"

#include <gtest/gtest.h>

#include <charconv>

using namespace kod;

namespace {

// What the function of a row makes of its input and argument, as text.
std::string Apply(const std::string& function, const std::string& input, const std::string& arg) {
    const double x = std::strtod(input.c_str(), nullptr);
    const char sep = arg.empty() ? '.' : arg[0];
    auto number = [](double v) { // the shortest text that reads back as v
        char text[32];
        return std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
    };
    if (function == "val")
        return number(Val(input, sep));
    if (function == "isnumber")
        return IsNumber(input, sep) ? "1" : "0";
    if (function == "round16")
        return std::to_string(RoundHalfEven16(x));
    if (function == "log10")
        return number(Log10(x));
    if (function == "band") {
        const Rgb c = BandColour(static_cast<int>(x));
        return std::to_string(c.red) + ' ' + std::to_string(c.green) + ' ' + std::to_string(c.blue);
    }
    if (function == "pattern")
        return FormatPattern(x, arg, ',');
    if (function == "text")
        return FormatText(input, arg);
    return function == "general" ? GeneralForm(x, sep) : PrintedNumber(x, sep);
}

TEST(Numbers, CasesOfTheDataFile) {
    std::ifstream file(VARMI_TEST_DATA "/core_numbers.tsv");
    int cases = 0;
    for (std::string line; std::getline(file, line); ++cases) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> f = testing_core::Fields(line);
        f.resize(4);
        EXPECT_EQ(f[3], Apply(f[0], f[1], f[2])) << line;
    }
    EXPECT_GT(cases, 100);
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

TEST(GradientBands, TwoHundredTwentyBandsOfWholeUnitsDarkeningToTheRight) {
    // 2200 units: bands of 2200 / 220 = 10, greys 239 down to 20; 2300 / 220 is 10 as well.
    const std::vector<GradientBand> bands = GradientBands(2300);
    ASSERT_EQ(220u, bands.size());
    for (std::size_t i = 0; i < bands.size(); ++i)
        EXPECT_EQ(std::tuple(int(10 * i), int(10 * i + 10), int(239 - i)),
                  std::tuple(bands[i].left, bands[i].right, bands[i].grey));
    EXPECT_EQ(0, GradientBands(219).back().right); // 219 / 220 = 0: every band is the line x = 0
}

} // namespace
