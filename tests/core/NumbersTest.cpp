#include "Support.h"

#include "core/FieldReader.h"

#include <gtest/gtest.h>

#include <charconv>

using namespace kod;

namespace {

// The tab-separated fields of a line, \t, \r, \n, \\ and \xNN standing for their characters.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == '\t') {
            fields.emplace_back();
            continue;
        }
        if (c == '\\' && line[i + 1] == 'x')
            c = static_cast<char>(std::stoi(line.substr(i + 2, 2), nullptr, 16)), i += 3;
        else if (c == '\\' && i + 1 < line.size())
            c = line[++i] == 't' ? '\t' : line[i] == 'r' ? '\r' : line[i] == 'n' ? '\n' : line[i];
        fields.back() += c;
    }
    return fields;
}

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
    if (function == "to1250" || function == "from1250")
        return function == "to1250" ? ToCp1250(input) : FromCp1250(input);
    std::string read; // fields or drives, | between
    FieldReader reader(input);
    for (char kind : function == "fields" ? arg : "") {
        const auto text = kind == 'T' ? reader.NextText() : std::nullopt;
        const auto value = kind == 'N' ? reader.NextNumber() : std::nullopt;
        read += (read.empty() ? "" : "|") + (text ? *text : value ? number(*value) : "~");
    }
    for (const Drive& d : function == "drives" ? DrivesFromMountTable(input) : std::vector<Drive>())
        read += (read.empty() ? "" : "|") + d.root + (d.cdrom ? "*" : "");
    for (int i : function == "gradient" ? std::vector{0, 100, 219} : std::vector<int>()) {
        const GradientBand b = GradientBands(static_cast<int>(x))[i];
        read += (i ? " | " : "") + std::to_string(b.left) + ' ' + std::to_string(b.right) + ' ' +
                std::to_string(b.grey);
    }
    if (function == "fields" || function == "drives" || function == "gradient")
        return read;
    return function == "general" ? GeneralForm(x, sep) : PrintedNumber(x, sep);
}

TEST(Texts, CasesOfTheDataFile) {
    std::ifstream file(VARMI_TEST_DATA "/core_texts.tsv");
    int cases = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> f = Fields(line);
        EXPECT_EQ(f.at(3), Apply(f[0], f[1], f[2])) << line;
        ++cases;
    }
    EXPECT_GT(cases, 120);
}

} // namespace
