#include "TestCatalogue.h"

#include "core/Kod.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using namespace kod;
using testing_core::ModelValues;
using testing_core::ReadBytes;
using testing_core::TempDir;
using testing_core::UseModels;

namespace {

// The log file as UTF-8 lines; fails the test on a line end other than CR LF.
std::vector<std::string> LogLines(const std::filesystem::path& file) {
    const std::string bytes = ReadBytes(file);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find("\r\n", start);
        EXPECT_NE(std::string::npos, end) << "last line without CR LF";
        if (end == std::string::npos)
            end = bytes.size();
        lines.push_back(FromCp1250(bytes.substr(start, end - start)));
        start = end + 2;
    }
    std::size_t lineFeeds = 0;
    for (char c : bytes)
        lineFeeds += c == '\n';
    EXPECT_EQ(lines.size(), lineFeeds) << "a line feed without CR";
    return lines;
}

TEST(LogLine, ZonesTabsAndCharacterColumns) {
    // "Dobór" is five characters (six bytes): the next zone starts at column 15.
    EXPECT_EQ("Dobór" + std::string(9, ' ') + "x",
              LogLine().Text("Dobór").NextZone().Text("x").str());
    // At the start of a zone the comma still moves on to the next one.
    EXPECT_EQ(std::string(14, ' ') + "x", LogLine().NextZone().Text("x").str());
    EXPECT_EQ(std::string(14, 'a') + std::string(14, ' ') + "x",
              LogLine().Text(std::string(14, 'a')).NextZone().Text("x").str());
    // Tab(10) then a zone: the label starts in column 15.
    EXPECT_EQ(std::string(14, ' ') + "Q=", LogLine().Tab(10).NextZone().Text("Q=").str());
    // A tab to a column already passed continues on a new line.
    EXPECT_EQ("abcdefghijkl\r\n" + std::string(9, ' ') + "x",
              LogLine().Text("abcdefghijkl").Tab(10).Text("x").str());
    EXPECT_EQ("True False", LogLine().Boolean(true).Text(" ").Boolean(false).str());
    EXPECT_EQ("-3 ", LogLine().Integer(-3).str());
    EXPECT_EQ(" 1,5 ", LogLine(',').Number(1.5).str());
}

class LogFile : public ::testing::Test {
protected:
    void SetUp() override {
        UseModels(ModelValues{.C = 10});
        file = dir / "raport.txt";
    }
    void TearDown() override { Log().Close(); }
    TempDir dir;
    std::filesystem::path file;
};

TEST_F(LogFile, TrialLineColumns) {
    // t = 65, n = 2, kw = 1.2, ke = 1.3 with the point as separator: columns 1-4 "t12=",
    // 5-8 " 65 ", 9-15 "l.wym.=", 16-18 " 2 ", blanks to 28, "kw=1.200" from 29, blanks to 42,
    // "ke=1.300" from 43.
    ASSERT_TRUE(Log().Open(file, '.'));
    Log().WriteTrial(65, 2, 1.2, 1.3);
    Log().WriteTrial(-1, 12, 123.4564, 0.0005); // wider numbers keep the zones
    Log().Close();
    const std::vector<std::string> expected = {
        "t12= 65 l.wym.= 2           kw=1.200      ke=1.300",
        "t12=-1 l.wym.= 12           kw=123.456    ke=0.001",
    };
    EXPECT_EQ(expected, LogLines(file));
}

TEST_F(LogFile, FirstTrialSuccessWritesTwelveHeaderLinesAndOneTrial) {
    UseModels(ModelValues{.C = 10, .F = 10});
    ASSERT_TRUE(Log().Open(file, '.'));
    Log().WriteSelectionStart();
    Log().WriteSelectionModel(45, 140, 0, true, 20, 15, 150, 40, 100, 200);
    double T12 = 0, kw = 0, ke = 0;
    std::int16_t n = 0;
    // At t = 45 the end differences are 50 and 5 K, ΔT = 45 / ln 10 = 19.54 K; one exchanger
    // (G1 = 0.46 kg/s against 20 permitted): kw = 200 / (10 · 19.54) = 1.02 < ke = 5.
    FindOutletTemperature(45, 140, 0, true, 20, 15, 150, T12, 40, 100, 200, kw, ke, n, true);
    ASSERT_EQ(45, T12);
    Log().Close();
    ASSERT_FALSE(Log().Failed());

    const std::vector<std::string> lines = LogLines(file);
    ASSERT_EQ(1u + 12u + 1u, lines.size());
    const std::string zone2(14, ' ');
    EXPECT_EQ("********  Początek obliczania ***************", lines[0]);
    EXPECT_EQ("       #############   ", lines[1]);
    EXPECT_EQ("Dobór wymiennika dla parametrów:", lines[2]);
    EXPECT_EQ(zone2 + "T12min= 45 ", lines[3]);
    EXPECT_EQ(zone2 + "T12max= 140 ", lines[4]);
    // "NrWymiennika=" and " 0 " end in column 30; the name starts in the next zone, column 43.
    EXPECT_EQ(zone2 + "NrWymiennika= 0 " + std::string(12, ' ') + "orv2.14", lines[5]);
    EXPECT_EQ(zone2 + "CO ? =True", lines[6]);
    EXPECT_EQ(zone2 + "Dp1= 20 ", lines[7]);
    EXPECT_EQ(zone2 + "Dp2= 15 ", lines[8]);
    EXPECT_EQ(zone2 + "T11= 150 ", lines[9]);
    EXPECT_EQ(zone2 + "T21= 40 ", lines[10]);
    EXPECT_EQ(zone2 + "T22= 100 ", lines[11]);
    EXPECT_EQ(zone2 + "Q= 200 ", lines[12]);
    EXPECT_EQ(0u, lines[13].find("t12= 45 l.wym.= 1 ")) << lines[13];

    // The file itself is Windows-1250: "Początek" has ą as the byte 0xB9.
    EXPECT_NE(std::string::npos, ReadBytes(file).find("Pocz\xB9tek"));
}

// The search of the Search fixture of the calculation tests: one exchanger never suffices on
// 40..60, two suffice from t = 46 (kw = 4.923 < ke = 5).
TEST_F(LogFile, TraceShowsEveryTemperatureBeforeAnExtraExchanger) {
    ASSERT_TRUE(Log().Open(file, ','));
    double T12 = 0, kw = 0, ke = 0;
    std::int16_t n = 0;
    FindOutletTemperature(40, 60, 0, true, 100, 100, 100, T12, 20, 60, 320, kw, ke, n, true);
    Log().Close();
    ASSERT_EQ(46, T12);

    const std::vector<std::string> lines = LogLines(file);
    ASSERT_EQ(21u + 3u + 7u, lines.size()); // t = 40..60, the extra header, t = 40..46
    for (int t = 40; t <= 60; ++t) {
        const std::string head = "t12= " + std::to_string(t) + " l.wym.= 1 ";
        EXPECT_EQ(0u, lines[static_cast<std::size_t>(t - 40)].find(head)) << t;
    }
    EXPECT_EQ(std::string(21, ' '), lines[21]);
    EXPECT_EQ("Obliczenia dla liczby nadmiarowych wymienników =" + std::string(8, ' ') + " 1 ",
              lines[22]);
    EXPECT_EQ(std::string(21, ' '), lines[23]);
    for (int t = 40; t <= 46; ++t) {
        const std::string head = "t12= " + std::to_string(t) + " l.wym.= 2 ";
        EXPECT_EQ(0u, lines[static_cast<std::size_t>(24 + t - 40)].find(head)) << t;
    }
    // kw = 320 / (2 · 14 / ln(40/26)) = 4.923 and ke = 5, with the comma as separator.
    EXPECT_EQ("t12= 46 l.wym.= 2           kw=4,923      ke=5,000", lines.back());
}

TEST_F(LogFile, TraceOffOrLogClosedWritesNothing) {
    ASSERT_TRUE(Log().Open(file, '.'));
    double T12 = 0, kw = 0, ke = 0;
    std::int16_t n = 0;
    FindOutletTemperature(40, 60, 0, true, 100, 100, 100, T12, 20, 60, 320, kw, ke, n, false);
    Log().Close();
    EXPECT_EQ("", ReadBytes(file));
    // Closed log, trace on: the search still runs.
    FindOutletTemperature(40, 60, 0, true, 100, 100, 100, T12, 20, 60, 320, kw, ke, n, true);
    EXPECT_EQ(46, T12);
    EXPECT_EQ("", ReadBytes(file));
}

TEST_F(LogFile, PrintRunReplacesTheSelectionTrace) {
    ASSERT_TRUE(Log().Open(file, '.'));
    Log().WriteSelectionStart();
    Log().Close();
    ASSERT_TRUE(Log().Open(file, '.'));
    Log().WritePrintStart();
    Log().WritePrintModel(2);
    Log().Close();
    const std::vector<std::string> lines = LogLines(file);
    const std::vector<std::string> expected = {
        "********  Początek obliczania do druku***************",
        std::string(21, ' '),
        "Wejście do procedury drukowania",
        "  ",
        std::string(21, ' '),
        // 27 characters, so the number (with its sign blank) goes to the zone at column 29.
        "Obliczenia dla wymiennika =  2 ",
        "  ",
    };
    EXPECT_EQ(expected, lines);
}

TEST_F(LogFile, FailuresSwitchTheLogOff) {
    // A directory that does not exist: the log cannot be created.
    EXPECT_FALSE(Log().Open(dir / "missing" / "raport.txt", '.'));
    EXPECT_TRUE(Log().Failed());
    EXPECT_FALSE(Log().IsOpen());
    Log().WriteSelectionStart(); // ignored
    Log().Close();

    // A device that accepts the file but no data: the failure shows once the lines are written.
    ASSERT_TRUE(Log().Open("/dev/full", '.'));
    EXPECT_FALSE(Log().Failed());
    for (int i = 0; i < 10000; ++i)
        Log().WriteTrial(i, 1, 1.0, 2.0);
    Log().Close();
    EXPECT_TRUE(Log().Failed());

    // A later Open starts clean.
    ASSERT_TRUE(Log().Open(file, '.'));
    EXPECT_FALSE(Log().Failed());
    Log().Close();
}

} // namespace
